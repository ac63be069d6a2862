#include <gtest/gtest.h>
#include <wx/defs.h>
#include <wx/textctrl.h>

#include <utility>

#include "editor/EditorControlIds.h"
#include "framework/dialog/WindowMessages.h"
#include "host/HostDialogs.h"
#include "tests/wx/EditorWindow.h"

namespace {

// Replaces whole lines of a motion text by their start.
CString WithLine(CString text, const char* start, const char* line) {
  const int at = text.Find(start);
  const int end = text.Find('\n', at);
  return text.Left(at) + line + text.Mid(end);
}

// Types a linear segment as a person does: the X increment, Enter, the Y increment, Enter, which
// inserts it below the current row; the table then has `rows` rows.
void TypeLinearSegment(ScreenUser& user, const char* x, const char* y, unsigned rows) {
  ASSERT_TRUE(user.WaitUntil([&] { return user.FocusedId() == IDC_FIRST_VALUE; }));
  user.Type(x);
  ASSERT_TRUE(user.WaitUntil([&] { return user.Text(IDC_FIRST_VALUE) == x; }));
  user.Press(WXK_RETURN);
  ASSERT_TRUE(user.WaitUntil([&] { return user.FocusedId() == IDC_SECOND_VALUE; }));
  user.Type(y);
  ASSERT_TRUE(user.WaitUntil([&] { return user.Text(IDC_SECOND_VALUE) == y; }));
  user.Press(WXK_RETURN);
  ASSERT_TRUE(user.WaitUntil([&] { return user.RowCount(IDC_SEGMENT_LIST) == rows; }));
}

}  // namespace

TEST(EditorWindow, ASegmentTypedWithTheKeyboardIsInsertedAndOkWritesTheMotion) {
  EditorInWindow editor;
  CString text = EditorInWindow::ReadExample("rounded_rectangle.motion");
  const int result = editor.Edit(text, [](wxDialog& window) {
    ScreenUser user(window);
    ASSERT_NO_FATAL_FAILURE(TypeLinearSegment(user, "12.5", "-7", 9));
    EXPECT_EQ(IDC_FIRST_VALUE, user.FocusedId());
    user.Click(IDOK);
    EXPECT_TRUE(user.WaitUntil([&] { return !window.IsModal(); }));
  });
  EXPECT_EQ(1, result);
  CString expected = EditorInWindow::ReadExample("rounded_rectangle.motion");
  expected = WithLine(expected, "SegmentType[]=", "SegmentType[]=0, 0, 1, 0, 1, 0, 1, 0, 1");
  expected = WithLine(expected, "CACC", "CACC[m/s^2]=1, 1, 0, 0, 0, 0, 0, 0, 0");
  expected = WithLine(expected, "CSPD", "CSPD[m/s]=0.2, 0.2, 0.05, 0.2, 0.05, 0.2, 0.05, 0.2, 0.05");
  expected = WithLine(expected, "X_TPOS", "X_TPOS[mm]=80, 12.5, 0, -80, 0");
  expected = WithLine(expected, "Y_TPOS", "Y_TPOS[mm]=0, -7, 40, 0, -40");
  EXPECT_EQ(expected, text);
}

TEST(EditorWindow, EscapeInTheEditorAndInTheEventChooserLeavesTheMotionAlone) {
  EditorInWindow editor;
  const CString original = EditorInWindow::ReadExample("on_event.motion");
  CString text = original;
  bool chooserClosed = false;
  editor.On("Start Event", [&](wxDialog& chooser) {
    ScreenUser user(chooser);
    EXPECT_TRUE(user.WaitUntil([&] { return user.FocusedId() == IDC_EVENT_KIND; }));
    const wxWindow& kinds = *user.Widget(IDC_EVENT_KIND);
    EXPECT_GE(kinds.GetSize().x, kinds.GetBestSize().x) << "the event kinds are cut";
    user.Press(WXK_ESCAPE);
    chooserClosed = user.WaitUntil([&] { return !chooser.IsModal(); });
  });
  const int result = editor.Edit(text, [&](wxDialog& window) {
    ScreenUser user(window);
    ASSERT_NO_FATAL_FAILURE(TypeLinearSegment(user, "5", "5", 5));
    user.Click(IDC_CHANGE_EVENT);
    ASSERT_TRUE(user.WaitUntil([&] { return chooserClosed; }));
    user.Press(WXK_ESCAPE);
    EXPECT_TRUE(user.WaitUntil([&] { return !window.IsModal(); }));
  });
  EXPECT_EQ(0, result);
  EXPECT_EQ(original, text);
}

// What the headless backend says of the focus and the current row holds for the keyboard too:
// typing after a row click goes into the first field, arrow keys in the table go on from the
// current row, Tab reaches the checked radio button, and the value labels' mnemonics move the
// focus to their fields.
TEST(EditorWindow, TheKeyboardFollowsTheFocusAndRowTheDialogChose) {
  EditorInWindow editor;
  CString text = EditorInWindow::ReadExample("rounded_rectangle.motion");
  const int result = editor.Edit(text, [](wxDialog& window) {
    ScreenUser user(window);
    user.ClickRow(IDC_SEGMENT_LIST, 4);
    ASSERT_TRUE(user.WaitUntil([&] { return user.Selection(IDC_SEGMENT_LIST) == 4; }));
    ASSERT_TRUE(user.WaitUntil([&] { return user.FocusedId() == IDC_FIRST_VALUE; }));
    user.Type("77");
    user.Click(IDC_UPDATE);
    EXPECT_TRUE(user.WaitUntil([&] { return user.Row(IDC_SEGMENT_LIST, 4).StartsWith("L          77 "); }))
        << user.Row(IDC_SEGMENT_LIST, 4);

    user.Click(IDC_NEXT);
    ASSERT_TRUE(user.WaitUntil([&] { return user.Selection(IDC_SEGMENT_LIST) == 5; }));
    ASSERT_TRUE(user.TabTo(IDC_SEGMENT_LIST));
    user.Press(WXK_DOWN);
    EXPECT_TRUE(user.WaitUntil([&] { return user.Selection(IDC_SEGMENT_LIST) == 6; }))
        << "row " << user.Selection(IDC_SEGMENT_LIST);

    const std::pair<int, int> mnemonics[] = {{'Y', IDC_SECOND_VALUE}, {'X', IDC_FIRST_VALUE}};
    for (const auto& [letter, field] : mnemonics) {
      user.Press(letter, wxMOD_ALT);
      EXPECT_TRUE(user.WaitUntil([&] { return user.FocusedId() == field; })) << static_cast<char>(letter);
    }
    EXPECT_TRUE(user.TabTo(IDC_EXECUTE_IMMEDIATE));
    user.Press(WXK_ESCAPE);
    EXPECT_TRUE(user.WaitUntil([&] { return !window.IsModal(); }));
  });
  EXPECT_EQ(0, result);
}

// A unit change rewrites the value in its field; the selection that covered "80" must not mark a
// part of "80000", as no one chose it.
TEST(EditorWindow, AUnitChangeLeavesNoPartOfTheNewValueSelected) {
  EditorInWindow editor;
  CString text = EditorInWindow::ReadExample("rounded_rectangle.motion");
  editor.Edit(text, [](wxDialog& window) {
    ScreenUser user(window);
    user.ClickRow(IDC_SEGMENT_LIST, 0);
    ASSERT_TRUE(user.WaitUntil([&] { return user.FocusedId() == IDC_FIRST_VALUE; }));
    auto* field = static_cast<wxTextCtrl*>(user.Widget(IDC_FIRST_VALUE));
    ASSERT_TRUE(user.WaitUntil([&] { return field->GetStringSelection() == "80"; }));
    ASSERT_TRUE(user.TabTo(IDC_FIRST_UNIT));
    user.Press(WXK_DOWN);
    ASSERT_TRUE(user.WaitUntil([&] { return user.Text(IDC_FIRST_VALUE) != "80"; }));
    EXPECT_EQ("", field->GetStringSelection()) << user.Text(IDC_FIRST_VALUE);
    user.Press(WXK_ESCAPE);
    EXPECT_TRUE(user.WaitUntil([&] { return !window.IsModal(); }));
  });
}
