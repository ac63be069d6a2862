#include <gtest/gtest.h>

#include <wx/filedlg.h>
#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/generic/msgdlgg.h>
#include <wx/statbmp.h>
#include <wx/testing.h>

#include <cstdlib>
#include <string>

#include "framework/backends/wx/WxBackend.h"
#include "framework/dialog/CFileDialog.h"
#include "framework/dialog/MessageBox.h"
#include "tests/wx/EditorWindow.h"

namespace {

// Whether the box shows a picture beside its text. The box makes its widgets only as it is
// shown, so this looks at a box that is on the screen.
bool ShowsIcon(const wxWindow& box) {
  for (const wxWindow* child : box.GetChildren())
    if (const auto* picture = dynamic_cast<const wxStaticBitmap*>(child); picture != nullptr && picture->GetBitmap().IsOk())
      return true;
  return false;
}

// Stands in for the person at a message box: checks what the box shows and answers it.
class MessageBoxAnswer : public wxExpectModalBase<wxGenericMessageDialog, MessageBoxAnswer> {
 public:
  MessageBoxAnswer(long style, int answer) : m_Style(style), m_Answer(answer) {}

 protected:
  int OnInvoked(wxGenericMessageDialog* box) const override {
    EXPECT_EQ(wxString("The text"), box->GetMessage());
    EXPECT_EQ(wxString("The caption"), box->GetTitle());
    EXPECT_EQ(m_Style, box->GetMessageDialogStyle() & (wxOK | wxCANCEL | wxYES_NO | wxICON_MASK));
    return m_Answer;
  }

 private:
  long m_Style;
  int m_Answer;
};

// Checks the file chooser's wildcard and style, and cancels it.
class FileChoice : public wxExpectModalBase<wxFileDialog, FileChoice> {
 public:
  FileChoice(const wxString& wildcard, long style) : m_Wildcard(wildcard), m_Style(style) {}

 protected:
  int OnInvoked(wxFileDialog* chooser) const override {
    EXPECT_EQ(m_Wildcard, chooser->GetWildcard());
    EXPECT_EQ(m_Style, chooser->GetWindowStyle() & (wxFD_OPEN | wxFD_SAVE | wxFD_FILE_MUST_EXIST));
    return wxID_CANCEL;
  }

 private:
  wxString m_Wildcard;
  long m_Style;
};

struct MessageBoxCase {
  UINT type;
  long style;
  int toolkitAnswer;
  int answer;
};

class ToolkitDialogs : public ::testing::Test {
 protected:
  void SetUp() override { AfxSetDialogBackend(&::WindowBackend()); }
  void TearDown() override { AfxSetDialogBackend(nullptr); }
};

}  // namespace

TEST_F(ToolkitDialogs, MessageBoxesShowTheirButtonsAndIconAndAnswerWithTheButtonChosen) {
  const MessageBoxCase cases[] = {
      {MB_OK, wxOK, wxID_OK, IDOK},
      {MB_OK | MB_ICONEXCLAMATION, wxOK | wxICON_WARNING, wxID_OK, IDOK},
      {MB_OKCANCEL | MB_ICONSTOP, wxOK | wxCANCEL | wxICON_ERROR, wxID_CANCEL, IDCANCEL},
      {MB_YESNO | MB_ICONQUESTION, wxYES_NO | wxICON_QUESTION, wxID_NO, IDNO},
      {MB_YESNOCANCEL | MB_ICONINFORMATION, wxYES_NO | wxCANCEL | wxICON_INFORMATION, wxID_YES, IDYES},
  };
  for (const MessageBoxCase& c : cases) {
    SCOPED_TRACE(c.type);
    int answer = 0;
    wxTEST_DIALOG(answer = ShowMessageBox("The text", "The caption", c.type), MessageBoxAnswer(c.style, c.toolkitAnswer));
    EXPECT_EQ(c.answer, answer);
    bool showsIcon = false;
    wxTheApp->CallAfter([&] {
      for (wxWindow* window : wxTopLevelWindows)
        if (auto* box = dynamic_cast<wxDialog*>(window); box != nullptr && box->IsModal()) {
          showsIcon = ShowsIcon(*box);
          box->EndModal(wxID_OK);
        }
    });
    ShowMessageBox("The text", "The caption", c.type);
    EXPECT_EQ((c.style & wxICON_MASK) != 0, showsIcon);
  }
}

TEST_F(ToolkitDialogs, TheOpenFileDialogShowsTheFilterAsItsWildcard) {
  CFileDialog dialog(TRUE, "txt", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                     "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
  INT_PTR result = 0;
  wxTEST_DIALOG(result = dialog.DoModal(),
                FileChoice("Text Files (*.txt)|*.txt|All Files (*.*)|*", wxFD_OPEN | wxFD_FILE_MUST_EXIST));
  EXPECT_EQ(IDCANCEL, result);
}

TEST_F(ToolkitDialogs, CanOpenDisplaySaysWhyNoWindowCanBeShown) {
  const std::string display = std::getenv("DISPLAY");
  const struct {
    const char* display;
    bool answers;
    const char* why;
  } cases[] = {
      {nullptr, false, "no display: DISPLAY is not set, so no window can be shown"},
      {":4242", false, "cannot open the display \":4242\", so no window can be shown"},
      {display.c_str(), true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    if (c.display != nullptr)
      setenv("DISPLAY", c.display, 1);
    else
      unsetenv("DISPLAY");
    CString why("unchanged");
    EXPECT_EQ(c.answers, CWxBackend::CanOpenDisplay(why));
    EXPECT_EQ(CString(c.why), why);
  }
}
