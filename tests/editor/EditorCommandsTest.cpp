#include <sstream>
#include <string>

#include "host/HostDialogs.h"
#include "tests/editor/EditorFixture.h"

namespace {

// Each row as its kind and its own values: "L10,5" or "C20,0,90".
std::vector<std::string> Summary(const CHeadlessUser& user) {
  std::vector<std::string> summary;
  for (const std::string& row : Rows(user)) {
    std::istringstream words(row);
    std::string kind, a, b, c;
    words >> kind >> a >> b;
    if (kind == "C") words >> c;
    summary.push_back(kind + a + "," + b + (kind == "C" ? "," + c : ""));
  }
  return summary;
}

// L1, C1, L2: lengths 1, 2 on X, a circle of radius 20, then 3, 4.
CString ThreeRows() {
  return EditorFixture::Motion({{"SegmentType", "SegmentType[]=0, 1, 0"},
                                {"CACC", "CACC[m/s^2]=0, 0, 0"},
                                {"CSPD", "CSPD[m/s]=0, 0, 0"},
                                {"X_TPOS", "X_TPOS[mm]=1, 3"},
                                {"Y_TPOS", "Y_TPOS[mm]=2, 4"}});
}

// A user action on the open editor: the step of a command sequence.
using Step = std::function<void(CHeadlessUser&)>;
Step Row(int row) { return [=](CHeadlessUser& user) { user.SelectRow(IDC_SEGMENT_LIST, row); }; }
Step Kind(int kind) { return [=](CHeadlessUser& user) { user.Choose(IDC_SEGMENT_TYPE, kind); }; }
Step Type(int id, const char* text) { return [=](CHeadlessUser& user) { user.Type(id, text); }; }
Step Click(int id) { return [=](CHeadlessUser& user) { user.Click(id); }; }

struct CommandCase {
  const char* name;
  std::vector<Step> steps;
  std::vector<std::string> rows;
  int selected;
  const char* first;  // what the first value field shows afterwards
};

}  // namespace

using EditorCommands = EditorFixture;

TEST_F(EditorCommands, CommandsEditTheTableAndKeepEachSegmentsValues) {
  const CommandCase cases[] = {
      {"insert a linear segment above the circular row",
       {Row(1), Kind(0), Type(IDC_FIRST_VALUE, "5"), Type(IDC_SECOND_VALUE, "6"), Click(IDC_INSERT_ABOVE)},
       {"L1,2", "L5,6", "C20,0,90", "L3,4"},
       1,
       "5"},
      {"update the circular row to linear",
       {Row(1), Kind(0), Type(IDC_FIRST_VALUE, "7"), Type(IDC_SECOND_VALUE, "8"), Click(IDC_UPDATE)},
       {"L1,2", "L7,8", "L3,4"},
       1,
       "7"},
      {"move down over the circular row, then previous shows the circle",
       {Click(IDC_MOVE_DOWN), Click(IDC_PREVIOUS)},
       {"C20,0,90", "L1,2", "L3,4"},
       0,
       "20"},
      {"move up over the circular row", {Row(2), Click(IDC_MOVE_UP)}, {"L1,2", "L3,4", "C20,0,90"}, 1, "3"},
      {"move a linear row over a linear row",
       {Row(2), Click(IDC_MOVE_UP), Click(IDC_MOVE_UP)},
       {"L3,4", "L1,2", "C20,0,90"},
       0,
       "3"},
      {"move a circular row over a circular row",
       {Row(1), Kind(1), Type(IDC_FIRST_VALUE, "30"), Click(IDC_INSERT_BELOW), Click(IDC_MOVE_UP)},
       {"L1,2", "C30,0,90", "C20,0,90", "L3,4"},
       1,
       "30"},
      {"remove the last row when it is circular", {Row(2), Click(IDC_REMOVE), Click(IDC_REMOVE)}, {"L1,2"}, 0, "1"},
      {"remove a linear row followed by a circular one", {Click(IDC_REMOVE)}, {"C20,0,90", "L3,4"}, 0, "20"},
      {"insert above the first row prepends",
       {Type(IDC_FIRST_VALUE, "9"), Click(IDC_INSERT_ABOVE)},
       {"L9,2", "L1,2", "C20,0,90", "L3,4"},
       0,
       "9"},
      {"insert below the last row appends, a circle with its own angle",
       {Row(2), Kind(1), Type(IDC_FIRST_VALUE, "30"), Type(IDC_SECOND_VALUE, "45"),
        Type(IDC_ANGLE_INCREMENT_VALUE, "-180"), Click(IDC_INSERT_BELOW)},
       {"L1,2", "C20,0,90", "L3,4", "C30,45,-180"},
       3,
       "30"},
      {"next skips to the circle and shows its own values", {Click(IDC_NEXT)}, {"L1,2", "C20,0,90", "L3,4"}, 1, "20"},
      {"Enter twice in the fields inserts a typed linear segment",
       {Type(IDC_FIRST_VALUE, "11"), [](CHeadlessUser& user) { user.PressEnter(); }, Type(IDC_SECOND_VALUE, "12"),
        [](CHeadlessUser& user) { user.PressEnter(); }},
       {"L1,2", "L11,12", "C20,0,90", "L3,4"},
       1,
       "11"},
  };
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(c.name);
    text = ThreeRows();
    Edit([&](CHeadlessUser& user) {
      for (const Step& step : c.steps) step(user);
      EXPECT_EQ(c.rows, Summary(user));
      EXPECT_EQ(c.selected, user.Selection(IDC_SEGMENT_LIST));
      EXPECT_EQ(CString(c.first), user.Text(IDC_FIRST_VALUE));
      EXPECT_EQ(IDC_FIRST_VALUE, user.FocusedId());
    });
  }
}

struct ReaderCase {
  const char* name;
  const char* x;
  bool accChecked;
  const char* acc;
  std::vector<std::string> rows;  // after Insert Below on row 0
};

TEST_F(EditorCommands, ValueFieldsReadOneLeadingNumber) {
  const std::vector<std::string> unchanged = {"L1,2", "C20,0,90", "L3,4"};
  const ReaderCase cases[] = {
      {"empty field stops silently", "", false, "", unchanged},
      {"letter first stops silently", "x12", false, "", unchanged},
      {"not a number for a segment", "nan", false, "", unchanged},
      {"infinity is not a number either", "inf", false, "", unchanged},
      {"text after the number is ignored", "12abc", false, "", {"L1,2", "L12,2", "C20,0,90", "L3,4"}},
      {"a decimal comma ends the number", "1,5", false, "", {"L1,2", "L1,2", "C20,0,90", "L3,4"}},
      {"beyond the type's range stores its limit", "1e9", false, "",
       {"L1,2", "L1073741.8235,2", "C20,0,90", "L3,4"}},
      {"checked acceleration without a number stops", "12", true, "", unchanged},
  };
  for (const ReaderCase& c : cases) {
    SCOPED_TRACE(c.name);
    text = ThreeRows();
    Edit([&](CHeadlessUser& user) {
      user.SetCheck(IDC_ACC_CHECK, c.accChecked);
      user.Type(IDC_ACC_VALUE, c.acc);
      user.Type(IDC_FIRST_VALUE, c.x);
      user.Click(IDC_INSERT_BELOW);
      EXPECT_EQ(c.rows, Summary(user));
    });
  }
}

TEST_F(EditorCommands, ClearAccelerationBoxStoresZeroWhateverTheFieldHolds) {
  text = ThreeRows();
  Edit([](CHeadlessUser& user) {
    user.SetCheck(IDC_ACC_CHECK, true);
    user.Type(IDC_ACC_VALUE, "3");
    user.SetCheck(IDC_ACC_CHECK, false);
    user.Click(IDC_UPDATE);
    EXPECT_EQ(BST_UNCHECKED, user.Check(IDC_ACC_CHECK));
    user.SetCheck(IDC_SPEED_CHECK, true);
    user.Type(IDC_SPEED_VALUE, "0.25");
    user.Click(IDC_UPDATE);
    EXPECT_EQ(std::string("L           1           2                                      0.25"), Rows(user)[0]);
  });
}

TEST_F(EditorCommands, TypeComboShowsTheNearestRowOfTheChosenKind) {
  text = ThreeRows();
  Edit([](CHeadlessUser& user) {
    user.SelectRow(IDC_SEGMENT_LIST, 2);
    user.Choose(IDC_SEGMENT_TYPE, 1);
    EXPECT_EQ(CString("Radius R"), user.Text(IDC_FIRST_LABEL));
    EXPECT_EQ(CString("20"), user.Text(IDC_FIRST_VALUE));
    EXPECT_EQ(CString("90"), user.Text(IDC_ANGLE_INCREMENT_VALUE));
    user.Choose(IDC_SEGMENT_TYPE, 0);
    EXPECT_EQ(CString("3"), user.Text(IDC_FIRST_VALUE));
    user.Choose(IDC_SEGMENT_TYPE, 1);
    user.Click(IDC_PREVIOUS);
    EXPECT_EQ(CString("Circular"), user.Text(IDC_SEGMENT_TYPE));
    user.Click(IDC_PREVIOUS);
    EXPECT_EQ(CString("Linear"), user.Text(IDC_SEGMENT_TYPE));
  });
  text = Motion({{"SegmentType", "SegmentType[]=0"}, {"CACC", "CACC[m/s^2]=0"}, {"CSPD", "CSPD[m/s]=0"},
                 {"Radius", "Radius[mm]="}, {"InitAngle", "InitAngle[deg]="}, {"AngleIncrement", "AngleIncrement[deg]="}});
  Edit([](CHeadlessUser& user) {
    user.Choose(IDC_SEGMENT_TYPE, 1);
    EXPECT_EQ(CString("10"), user.Text(IDC_FIRST_VALUE));
    EXPECT_EQ(CString("0"), user.Text(IDC_SECOND_VALUE));
    EXPECT_EQ(CString("90"), user.Text(IDC_ANGLE_INCREMENT_VALUE));
  });
}

TEST_F(EditorCommands, UnitCombosConvertColumnsAndKeepTypedText) {
  text = ThreeRows();
  Edit([](CHeadlessUser& user) {
    const std::vector<CString> units = user.Items(IDC_FIRST_UNIT);
    const auto um = std::find(units.begin(), units.end(), CString("um"));
    ASSERT_NE(units.end(), um);
    user.Choose(IDC_FIRST_UNIT, static_cast<int>(um - units.begin()));
    EXPECT_EQ(CString("1000"), user.Text(IDC_FIRST_VALUE));
    EXPECT_NE(-1, CString(user.Text(IDC_TABLE_HEADER)).Find("X[um]"));
    EXPECT_EQ((std::vector<std::string>{"L1000,2", "C20,0,90", "L3000,4"}), Summary(user));

    user.Type(IDC_FIRST_VALUE, "7");
    user.Choose(IDC_FIRST_UNIT, 0);  // m
    EXPECT_EQ(CString("7"), user.Text(IDC_FIRST_VALUE));
    user.Click(IDC_UPDATE);
    EXPECT_EQ(CString("7"), user.Text(IDC_FIRST_VALUE));
    EXPECT_EQ((std::vector<std::string>{"L7,2", "C20,0,90", "L0.003,4"}), Summary(user));
  });
  text = Motion({{"SegmentType", "SegmentType[]=0"}, {"CACC", "CACC[m/s^2]=0"}, {"CSPD", "CSPD[m/s]=0"},
                 {"Radius", "Radius[mm]="}, {"InitAngle", "InitAngle[deg]="}, {"AngleIncrement", "AngleIncrement[deg]="}});
  Edit([](CHeadlessUser& user) {
    user.Choose(IDC_SEGMENT_TYPE, 1);
    user.Choose(IDC_FIRST_UNIT, 1);  // mm -> the second unit of lengths
    const CString unit = user.Text(IDC_FIRST_UNIT);
    EXPECT_NE(-1, CString(user.Text(IDC_TABLE_HEADER)).Find(CString("R[") + unit + "]"));
  });
}

TEST_F(EditorCommands, AxisChangeRecomputesUnitsAndTheSameAxisChangesNothing) {
  text = ThreeRows();
  Edit([](CHeadlessUser& user) {
    user.Type(IDC_FIRST_VALUE, "99");
    user.Choose(IDC_SLAVE_X, 0);  // the slave it already has
    EXPECT_EQ(CString("99"), user.Text(IDC_FIRST_VALUE));
    user.Choose(IDC_SLAVE_X, 2);  // the rotary table: X and Y are now of different kinds
    EXPECT_EQ(-1, CString(user.Text(IDC_TABLE_HEADER)).Find("X[mm]"));
    EXPECT_NE(CString("99"), user.Text(IDC_FIRST_VALUE));
    EXPECT_EQ(3u, Rows(user).size());
  });
}

TEST_F(EditorCommands, EventButtonsShowTheHostsChoiceAndKeepFieldsWhenNothingChanged) {
  text = Motion({{"Execute", "Execute=1\nEventType=0\nEventInput=3\nEventLevel=1"}});
  EXPECT_EQ(1, Edit([this](CHeadlessUser& user) {
              EXPECT_EQ(CString("input 3 high"), user.Text(IDC_EVENT_DESCRIPTION));
              user.Type(IDC_FIRST_VALUE, "42");
              backend.QueuePlay([](CHeadlessUser& chooser) { chooser.PressEscape(); });
              user.Click(IDC_CHANGE_EVENT);
              EXPECT_EQ(CString("42"), user.Text(IDC_FIRST_VALUE));

              backend.QueuePlay([](CHeadlessUser& chooser) {
                chooser.Choose(IDC_EVENT_KIND, 1);
                chooser.Click(IDOK);
              });
              user.Click(IDC_CHANGE_EVENT);
              EXPECT_EQ(CString("delay 100 ms"), user.Text(IDC_EVENT_DESCRIPTION));

              backend.QueuePlay([](CHeadlessUser& settings) {
                settings.Type(IDC_EVENT_DELAY, "0");
                settings.Click(IDOK);
                EXPECT_FALSE(settings.IsEnded());
                settings.Type(IDC_EVENT_DELAY, "750");
                settings.Click(IDOK);
              });
              user.Click(IDC_EDIT_EVENT);
              EXPECT_EQ(CString("delay 750 ms"), user.Text(IDC_EVENT_DESCRIPTION));
              user.Click(IDOK);
            }));
  EXPECT_NE(-1, text.Find("EventDelay=750"));
  ASSERT_EQ(1u, backend.GetMessageBoxes().size());
  EXPECT_EQ(CString("The delay must be a whole number from 1 to 3600000."), backend.GetMessageBoxes()[0].text);
}

// A value field losing the focus changes nothing, not even the typed text: typed values reach the
// record only through Insert Above, Insert Below and Update.
TEST_F(EditorCommands, LeavingAValueFieldKeepsTheTypedTextAndTheTable) {
  text = ThreeRows();
  Edit([](CHeadlessUser& user) {
    const std::vector<std::string> rows = Rows(user);
    for (const int id : {IDC_FIRST_VALUE, IDC_SECOND_VALUE}) {
      user.Type(id, "5.123456789 typed");
      user.Focus(IDC_SEGMENT_LIST);
      EXPECT_EQ(CString("5.123456789 typed"), user.Text(id)) << id;
    }
    EXPECT_EQ(rows, Rows(user));
  });
}
