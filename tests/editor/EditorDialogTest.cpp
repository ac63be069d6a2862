#include <string>

#include "framework/ResourceChain.h"
#include "framework/dialog/DialogTemplate.h"
#include "tests/editor/EditorFixture.h"

namespace {

using Ids = std::vector<int>;

// What a person sees as enabled among `ids`.
Ids EnabledAmong(const CHeadlessUser& user, const Ids& ids) {
  Ids enabled;
  for (int id : ids)
    if (user.IsEnabled(id)) enabled.push_back(id);
  return enabled;
}

constexpr const char* kDemoHeader =
    "L       X[mm]       Y[mm]            \n"
    "C       R[mm]     Ao[deg]     Ai[deg]    Accel[m/s^2]    Speed[m/s]";

}  // namespace

using EditorDialog = EditorFixture;

TEST_F(EditorDialog, TemplateHasTheWindowAndEveryControlInTabOrder) {
  ASSERT_TRUE(module.IsLoaded());
  const DialogTemplate* dialog = AfxFindDialogTemplate(IDD_VECTOR_MODE);
  ASSERT_NE(nullptr, dialog);
  EXPECT_STREQ("Motion - Vector Mode", dialog->caption);
  EXPECT_EQ((DialogRect{0, 0, 383, 332}), dialog->rect);
  EXPECT_STREQ("MS Sans Serif", dialog->fontName);
  EXPECT_EQ(8, dialog->fontPointSize);
  Ids order;
  for (const DialogControlTemplate& control : dialog->controls) order.push_back(control.id);
  EXPECT_EQ((Ids{-1,
                 IDC_CONFIGURE_MODE,
                 IDC_CLEAR_BUFFER,
                 IDC_INSERT_END_SEGMENT,
                 IDC_SLAVE_X_LABEL,
                 IDC_SLAVE_X,
                 IDC_SLAVE_Y_LABEL,
                 IDC_SLAVE_Y,
                 IDC_SLAVE_TANGENT_LABEL,
                 IDC_SLAVE_TANGENT,
                 -1,
                 IDC_ACC_CHECK,
                 IDC_ACC_VALUE,
                 IDC_ACC_UNIT,
                 IDC_SPEED_CHECK,
                 IDC_SPEED_VALUE,
                 IDC_SPEED_UNIT,
                 -1,
                 IDC_SEGMENT_TYPE,
                 IDC_FIRST_LABEL,
                 IDC_FIRST_VALUE,
                 IDC_FIRST_UNIT,
                 IDC_SECOND_LABEL,
                 IDC_SECOND_VALUE,
                 IDC_SECOND_UNIT,
                 IDC_ANGLE_INCREMENT_LABEL,
                 IDC_ANGLE_INCREMENT_VALUE,
                 IDC_ANGLE_INCREMENT_UNIT,
                 IDC_PREVIOUS,
                 IDC_NEXT,
                 IDC_MOVE_UP,
                 IDC_MOVE_DOWN,
                 IDC_INSERT_ABOVE,
                 IDC_INSERT_BELOW,
                 IDC_UPDATE,
                 IDC_REMOVE,
                 IDC_TABLE_HEADER,
                 IDC_SEGMENT_LIST,
                 IDC_IMPORT,
                 -1,
                 IDC_EXECUTE_IMMEDIATE,
                 IDC_EXECUTE_ON_EVENT,
                 IDC_CHANGE_EVENT,
                 IDC_EDIT_EVENT,
                 IDC_EVENT_DESCRIPTION,
                 IDC_WAIT_FOR_COMPLETION,
                 IDOK,
                 IDCANCEL,
                 ID_HELP}),
            order);
  const DialogControlTemplate& list = dialog->controls[37];
  EXPECT_EQ(ControlKind::ListBox, list.kind);
  EXPECT_EQ((DialogRect{3, 220, 377, 91}), list.rect);
  EXPECT_EQ(LBS_NOTIFY, list.style & LBS_NOTIFY);
  for (int combo : {IDC_SLAVE_X, IDC_SLAVE_Y, IDC_SLAVE_TANGENT, IDC_SEGMENT_TYPE}) {
    const auto& items = dialog->comboItems.at(combo);
    EXPECT_EQ(1u, items.size()) << combo;
    if (!items.empty()) {
      EXPECT_STREQ(" ", items[0]) << combo;
    }
  }
}

TEST_F(EditorDialog, MotionWithoutSegmentsOpensWithOneLinearRow) {
  text = Motion({{"SegmentType", "SegmentType[]="}, {"CACC", "CACC[m/s^2]="}, {"CSPD", "CSPD[m/s]="},
                 {"X_TPOS", "X_TPOS[mm]="}, {"Y_TPOS", "Y_TPOS[mm]="}, {"Radius", "Radius[mm]="},
                 {"InitAngle", "InitAngle[deg]="}, {"AngleIncrement", "AngleIncrement[deg]="}});
  Edit([](CHeadlessUser& user) {
    EXPECT_EQ(1u, Rows(user).size());
    EXPECT_EQ('L', Rows(user)[0][0]);
    EXPECT_EQ(Ids{IDC_INSERT_BELOW},
              EnabledAmong(user, {IDC_REMOVE, IDC_PREVIOUS, IDC_NEXT, IDC_MOVE_UP, IDC_MOVE_DOWN, IDC_INSERT_BELOW}));
    EXPECT_EQ(IDC_FIRST_VALUE, user.FocusedId());
  });
}

struct EnablingCase {
  const char* name;
  std::initializer_list<LineChange> changes;
  Ids checked;  // among IDC_CONFIGURE_MODE, IDC_CLEAR_BUFFER, IDC_INSERT_END_SEGMENT, IDC_WAIT_FOR_COMPLETION,
                // IDC_EXECUTE_IMMEDIATE, IDC_EXECUTE_ON_EVENT
  Ids enabled;  // among IDC_CLEAR_BUFFER, IDC_SLAVE_X, IDC_SLAVE_Y, IDC_SLAVE_TANGENT, IDC_WAIT_FOR_COMPLETION,
                // IDC_CHANGE_EVENT, IDC_EDIT_EVENT
  const char* description;
};

TEST_F(EditorDialog, OptionControlsFollowTheRecord) {
  const EnablingCase cases[] = {
      {"configure, end segment, immediate",
       {{"ClearBuffer", "ClearBuffer=1"}},
       {IDC_CONFIGURE_MODE, IDC_CLEAR_BUFFER, IDC_INSERT_END_SEGMENT, IDC_WAIT_FOR_COMPLETION, IDC_EXECUTE_IMMEDIATE},
       {IDC_CLEAR_BUFFER, IDC_SLAVE_X, IDC_SLAVE_Y, IDC_SLAVE_TANGENT, IDC_WAIT_FOR_COMPLETION},
       ""},
      {"no configuration hides the clear-buffer choice",
       {{"ConfigureMode", "ConfigureMode=0"}, {"ClearBuffer", "ClearBuffer=1"}},
       {IDC_INSERT_END_SEGMENT, IDC_WAIT_FOR_COMPLETION, IDC_EXECUTE_IMMEDIATE},
       {IDC_WAIT_FOR_COMPLETION},
       ""},
      {"no end segment: no wait",
       {{"InsertEndSegment", "InsertEndSegment=0"}},
       {IDC_CONFIGURE_MODE, IDC_EXECUTE_IMMEDIATE},
       {IDC_CLEAR_BUFFER, IDC_SLAVE_X, IDC_SLAVE_Y, IDC_SLAVE_TANGENT},
       ""},
      {"on event",
       {{"Execute", "Execute=1\nEventType=1\nEventDelay=250"}},
       {IDC_CONFIGURE_MODE, IDC_INSERT_END_SEGMENT, IDC_WAIT_FOR_COMPLETION, IDC_EXECUTE_ON_EVENT},
       {IDC_CLEAR_BUFFER, IDC_SLAVE_X, IDC_SLAVE_Y, IDC_SLAVE_TANGENT, IDC_WAIT_FOR_COMPLETION, IDC_CHANGE_EVENT,
        IDC_EDIT_EVENT},
       "delay 250 ms"},
  };
  for (const EnablingCase& c : cases) {
    SCOPED_TRACE(c.name);
    text = Motion(c.changes);
    Edit([&](CHeadlessUser& user) {
      Ids checked;
      for (int id : {IDC_CONFIGURE_MODE, IDC_CLEAR_BUFFER, IDC_INSERT_END_SEGMENT, IDC_WAIT_FOR_COMPLETION,
                     IDC_EXECUTE_IMMEDIATE, IDC_EXECUTE_ON_EVENT})
        if (user.Check(id)) checked.push_back(id);
      EXPECT_EQ(c.checked, checked);
      EXPECT_EQ(c.enabled, EnabledAmong(user, {IDC_CLEAR_BUFFER, IDC_SLAVE_X, IDC_SLAVE_Y, IDC_SLAVE_TANGENT,
                                               IDC_WAIT_FOR_COMPLETION, IDC_CHANGE_EVENT, IDC_EDIT_EVENT}));
      EXPECT_EQ(CString(c.description), user.Text(IDC_EVENT_DESCRIPTION));
    });
  }
}

TEST_F(EditorDialog, FieldsShowTheCurrentSegment) {
  Edit([](CHeadlessUser& user) {
    // Row 0: linear, with acceleration and speed.
    EXPECT_EQ(CString("Position increment on axis &X"), user.Text(IDC_FIRST_LABEL));
    EXPECT_EQ(CString("10"), user.Text(IDC_FIRST_VALUE));
    EXPECT_EQ(CString("5"), user.Text(IDC_SECOND_VALUE));
    EXPECT_FALSE(user.IsVisible(IDC_ANGLE_INCREMENT_VALUE));
    EXPECT_EQ(BST_CHECKED, user.Check(IDC_ACC_CHECK));
    EXPECT_TRUE(user.IsEnabled(IDC_ACC_VALUE) && user.IsEnabled(IDC_ACC_UNIT));
    EXPECT_EQ(CString("m/s^2"), user.Text(IDC_ACC_UNIT));
    EXPECT_EQ(CString("0.5"), user.Text(IDC_SPEED_VALUE));
    EXPECT_EQ(CString("Linear"), user.Text(IDC_SEGMENT_TYPE));
    EXPECT_EQ((std::vector<CString>{"A", "B", "C"}), user.Items(IDC_SLAVE_X));
    EXPECT_EQ((std::vector<CString>{"none", "A", "B", "C"}), user.Items(IDC_SLAVE_TANGENT));
    EXPECT_EQ(CString("none"), user.Text(IDC_SLAVE_TANGENT));

    // Row 1: circular, keeps the speed in force.
    ASSERT_TRUE(user.SelectRow(IDC_SEGMENT_LIST, 1));
    EXPECT_EQ(CString("Radius R"), user.Text(IDC_FIRST_LABEL));
    EXPECT_EQ(CString("Initial Angle Ao"), user.Text(IDC_SECOND_LABEL));
    EXPECT_EQ(CString("20"), user.Text(IDC_FIRST_VALUE));
    EXPECT_TRUE(user.IsVisible(IDC_ANGLE_INCREMENT_LABEL) && user.IsVisible(IDC_ANGLE_INCREMENT_VALUE));
    EXPECT_EQ(CString("90"), user.Text(IDC_ANGLE_INCREMENT_VALUE));
    EXPECT_EQ(BST_UNCHECKED, user.Check(IDC_SPEED_CHECK));
    EXPECT_FALSE(user.IsEnabled(IDC_SPEED_VALUE) || user.IsEnabled(IDC_SPEED_UNIT));
  });
}

struct TableCase {
  const char* name;
  std::initializer_list<LineChange> changes;
  std::vector<std::string> rows;
};

TEST_F(EditorDialog, HeaderAndRowsLineUpInColumns) {
  const TableCase cases[] = {
      {"demo",
       {},
       {"L          10           5                           1           0.5",
        "C          20           0          90               2              "}},
      {"wide value shifts only its own row",
       {{"X_TPOS", "X_TPOS[mm]=-123456.7895"}, {"CACC", "CACC[m/s^2]=0, 0"}, {"CSPD", "CSPD[m/s]=0, 0"}},
       {"L -123456.7895           5                                          ",
        "C          20           0          90                              "}},
  };
  for (const TableCase& c : cases) {
    SCOPED_TRACE(c.name);
    text = Motion(c.changes);
    Edit([&](CHeadlessUser& user) {
      EXPECT_EQ(CString(kDemoHeader), user.Text(IDC_TABLE_HEADER));
      EXPECT_EQ(c.rows, Rows(user));
      EXPECT_EQ(0, user.Selection(IDC_SEGMENT_LIST));
    });
  }
}

struct AxisCase {
  const char* name;
  int x, y, tangent;  // combo items: X and Y "A" 0, "B" 1, "C" 2; tangent "none" 0, then "A" ...
  int focus;
};

TEST_F(EditorDialog, OkRefusesAxesThatAreNotDistinct) {
  const AxisCase cases[] = {
      {"Y equal to X", 0, 0, 0, IDC_SLAVE_Y},
      {"tangent equal to X", 0, 1, 1, IDC_SLAVE_TANGENT},
      {"tangent equal to Y", 0, 1, 2, IDC_SLAVE_TANGENT},
  };
  for (const AxisCase& c : cases) {
    SCOPED_TRACE(c.name);
    backend.Reset();
    const CString before = text;
    const int result = Edit([&](CHeadlessUser& user) {
      user.Choose(IDC_SLAVE_X, c.x);
      user.Choose(IDC_SLAVE_Y, c.y);
      user.Choose(IDC_SLAVE_TANGENT, c.tangent);
      ASSERT_TRUE(user.Click(IDOK));
      EXPECT_FALSE(user.IsEnded());
      EXPECT_EQ(c.focus, user.FocusedId());
    });
    EXPECT_EQ(0, result);
    EXPECT_EQ(before, text);
    ASSERT_EQ(1u, backend.GetMessageBoxes().size());
    EXPECT_EQ(CString("Please select distinct slave axis!"), backend.GetMessageBoxes()[0].text);
    EXPECT_EQ(MB_ICONEXCLAMATION, backend.GetMessageBoxes()[0].Icon());
  }
}

TEST_F(EditorDialog, OkRefusesAMissingAxis) {
  text = Motion({{"SlaveX", "SlaveX=4"}});  // the open-loop conveyor is not offered
  EXPECT_EQ(0, Edit([](CHeadlessUser& user) {
              EXPECT_EQ(-1, user.Selection(IDC_SLAVE_X));
              user.Click(IDOK);
              EXPECT_EQ(IDC_SLAVE_X, user.FocusedId());
            }));
  ASSERT_EQ(1u, backend.GetMessageBoxes().size());
  EXPECT_EQ(CString("Select a slave axis for X and for Y."), backend.GetMessageBoxes()[0].text);
  EXPECT_EQ(MB_ICONEXCLAMATION, backend.GetMessageBoxes()[0].Icon());
}

TEST_F(EditorDialog, ValidOkRewritesTheTextAndCancelKeepsItByteForByte) {
  text = Motion({{"SlaveTangent", "SlaveTangent=2"}});
  CString original = text;
  EXPECT_EQ(0, Edit([](CHeadlessUser& user) {
              user.SetCheck(IDC_CLEAR_BUFFER, true);
              user.PressEscape();
            }));
  EXPECT_EQ(original, text);

  EXPECT_EQ(1, Edit([](CHeadlessUser& user) {
              user.SetCheck(IDC_CLEAR_BUFFER, true);
              user.Choose(IDC_SLAVE_TANGENT, 0);
              user.Click(IDOK);
            }));
  EXPECT_EQ(Motion({{"ClearBuffer", "ClearBuffer=1"}}), text);
  EXPECT_TRUE(backend.GetMessageBoxes().empty());
}

TEST_F(EditorDialog, FailedValidationShowsTheMessageAndTheOffendingRow) {
  // Rows: C, C, L, C, C, L(0, 0): row 5 is the second linear segment and has no length.
  text = Motion({{"SegmentType", "SegmentType[]=1, 1, 0, 1, 1, 0"},
                 {"CACC", "CACC[m/s^2]=1, 0, 0, 0, 0, 0"},
                 {"CSPD", "CSPD[m/s]=1, 0, 0, 0, 0, 0"},
                 {"X_TPOS", "X_TPOS[mm]=7, 0"},
                 {"Y_TPOS", "Y_TPOS[mm]=8, 0"},
                 {"Radius", "Radius[mm]=20, 21, 22, 23"},
                 {"InitAngle", "InitAngle[deg]=0, 0, 0, 0"},
                 {"AngleIncrement", "AngleIncrement[deg]=90, 90, 90, 90"}});
  const CString before = text;
  EXPECT_EQ(0, Edit([](CHeadlessUser& user) {
              user.Click(IDOK);
              EXPECT_FALSE(user.IsEnded());
              EXPECT_EQ(5, user.Selection(IDC_SEGMENT_LIST));
              EXPECT_EQ(CString("Position increment on axis &X"), user.Text(IDC_FIRST_LABEL));
              EXPECT_EQ(CString("0"), user.Text(IDC_FIRST_VALUE));
            }));
  EXPECT_EQ(before, text);
  ASSERT_EQ(1u, backend.GetMessageBoxes().size());
  EXPECT_EQ(0u, backend.GetMessageBoxes()[0].Icon());
  EXPECT_EQ(static_cast<UINT>(MB_OK), backend.GetMessageBoxes()[0].type & MB_TYPEMASK);
}

TEST_F(EditorDialog, UnreadableTextOpensAndOkWaitsForAValidMotion) {
  text = "SlaveX=0\nSegmentType[]=banana\n";
  const CString before = text;
  EXPECT_EQ(0, Edit([](CHeadlessUser& user) {
              EXPECT_EQ(1u, Rows(user).size());
              user.Click(IDOK);
              EXPECT_FALSE(user.IsEnded());
            }));
  EXPECT_EQ(before, text);
  EXPECT_EQ(1u, backend.GetMessageBoxes().size());
}

struct EnterCase {
  const char* name;
  int row;
  int focus;
  int expectedFocus;
};

TEST_F(EditorDialog, EnterInTheValueFieldsWalksInsteadOfCommitting) {
  const EnterCase cases[] = {
      {"first value", 0, IDC_FIRST_VALUE, IDC_SECOND_VALUE},
      {"second value of a circular segment", 1, IDC_SECOND_VALUE, IDC_ANGLE_INCREMENT_VALUE},
      {"segment kind", 0, IDC_SEGMENT_TYPE, IDC_FIRST_VALUE},
  };
  for (const EnterCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(0, Edit([&](CHeadlessUser& user) {
                user.SelectRow(IDC_SEGMENT_LIST, c.row);
                user.Focus(c.focus);
                user.PressEnter();
                EXPECT_FALSE(user.IsEnded());
                EXPECT_EQ(c.expectedFocus, user.FocusedId());
              }));
  }
  EXPECT_EQ(1, Edit([](CHeadlessUser& user) {
              user.Focus(IDC_ACC_CHECK);
              user.PressEnter();
            }));
}

TEST_F(EditorDialog, TabAndShiftTabWalkTheReachableTabStopsRoundTheDialog) {
  const std::pair<bool, int> steps[] = {
      {false, IDC_FIRST_UNIT}, {false, IDC_SECOND_VALUE}, {true, IDC_FIRST_UNIT}, {true, IDC_FIRST_VALUE},
      {true, IDC_SEGMENT_TYPE},
  };
  EXPECT_EQ(0, Edit([&](CHeadlessUser& user) {
              ASSERT_EQ(IDC_FIRST_VALUE, user.FocusedId());
              for (const auto& [backwards, expected] : steps) {
                EXPECT_TRUE(user.PressTab(backwards));
                EXPECT_EQ(expected, user.FocusedId());
              }
              user.Focus(ID_HELP);
              user.PressTab();
              EXPECT_EQ(IDC_CONFIGURE_MODE, user.FocusedId());
              user.PressTab(true);
              EXPECT_EQ(ID_HELP, user.FocusedId());
            }));
}

// A radio group is one tab stop, at its checked button; a label's mnemonic (Alt and its letter)
// reaches the field after it, a button's clicks it. The steps run in order in one dialog.
TEST_F(EditorDialog, TabReachesTheCheckedRadioButtonAndMnemonicsReachTheirControls) {
  const struct {
    const char* name;
    int from;
    char key;  // a mnemonic's letter, or Tab ('\t') and Shift+Tab ('\b')
    int expectedFocus;
  } steps[] = {
      {"Tab into the radio group", IDC_IMPORT, '\t', IDC_EXECUTE_IMMEDIATE},
      {"Shift+Tab out of it", IDC_EXECUTE_IMMEDIATE, '\b', IDC_IMPORT},
      {"the X label", ID_HELP, 'x', IDC_FIRST_VALUE},
      {"the Y label", IDC_FIRST_VALUE, 'Y', IDC_SECOND_VALUE},
      {"the On event button, which it checks", IDC_FIRST_VALUE, 'o', IDC_EXECUTE_ON_EVENT},
      {"Tab into the group, now at On event", IDC_IMPORT, '\t', IDC_EXECUTE_ON_EVENT},
  };
  EXPECT_EQ(0, Edit([&](CHeadlessUser& user) {
              for (const auto& step : steps) {
                SCOPED_TRACE(step.name);
                ASSERT_TRUE(user.Focus(step.from));
                if (step.key == '\t' || step.key == '\b')
                  EXPECT_TRUE(user.PressTab(step.key == '\b'));
                else
                  EXPECT_TRUE(user.PressMnemonic(step.key));
                EXPECT_EQ(step.expectedFocus, user.FocusedId());
              }
              EXPECT_EQ(BST_CHECKED, user.Check(IDC_EXECUTE_ON_EVENT));
              EXPECT_FALSE(user.PressMnemonic('q'));
            }));
}
