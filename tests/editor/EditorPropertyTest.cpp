#include <random>
#include <sstream>
#include <string>

#include "tests/editor/EditorFixture.h"
#include "tests/support/PropertyCases.h"

namespace {

// A row that validation must refuse: a linear segment without length or a circular one without
// angle increment.
bool IsFaultyRow(const std::string& row) {
  std::istringstream words(row);
  std::string kind;
  double first = 0, second = 0, third = 0;
  words >> kind >> first >> second;
  if (kind == "L") return first == 0 && second == 0;
  words >> third;
  return third == 0;
}

// One random action of a person at the editor.
void ActAtRandom(CHeadlessUser& user, std::mt19937& random) {
  static const char* const kTexts[] = {"0", "1", "-2.5", "90", "abc", "", "1e9", "0,5"};
  static const int kButtons[] = {IDC_INSERT_ABOVE, IDC_INSERT_BELOW, IDC_UPDATE, IDC_MOVE_UP,  IDC_MOVE_DOWN,
                                 IDC_REMOVE,       IDC_PREVIOUS,     IDC_NEXT,   IDC_ACC_CHECK};
  static const int kFields[] = {IDC_FIRST_VALUE, IDC_SECOND_VALUE, IDC_ANGLE_INCREMENT_VALUE, IDC_ACC_VALUE};
  const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
  switch (pick(4)) {
    case 0:
      if (const int rows = static_cast<int>(Rows(user).size()); rows > 0) user.SelectRow(IDC_SEGMENT_LIST, pick(rows));
      break;
    case 1:
      user.Choose(IDC_SEGMENT_TYPE, pick(2));
      break;
    case 2:
      user.Type(kFields[pick(4)], kTexts[pick(8)]);
      break;
    default:
      user.Click(kButtons[pick(9)]);
      break;
  }
}

}  // namespace

using EditorProperties = EditorFixture;

// Whatever a person does, from the demo motion or from an empty import, OK either writes a
// motion that translates and reopens as the same table, or refuses it and shows a row that
// really is faulty (or a table that is still empty).
TEST_F(EditorProperties, AnyCommandSequenceEndsInATranslatableMotionOrAnHonestRefusal) {
  const auto translate = module.Find<TranslateMotionSequenceFn>("TranslateMotionSequence");
  for (int seed = 1, seeds = PropertyCases(40); seed <= seeds; ++seed) {
    SCOPED_TRACE(seed);
    backend.Reset();
    text = DemoMotionText();
    std::mt19937 random(seed);
    std::vector<std::string> table;
    bool refused = false;
    const bool fromEmptyImport = seed % 2 == 0;
    if (fromEmptyImport) backend.QueueFileDialogAnswer(CString("/dev/null"));
    const int result = Edit([&](CHeadlessUser& user) {
      if (fromEmptyImport) user.Click(IDC_IMPORT);
      for (int step = 0; step < 60; ++step) ActAtRandom(user, random);
      table = Rows(user);
      user.Click(IDOK);
      refused = !user.IsEnded();
      if (refused) {
        const std::vector<std::string> rows = Rows(user);
        EXPECT_TRUE(rows.empty() || IsFaultyRow(rows.at(static_cast<size_t>(user.Selection(IDC_SEGMENT_LIST)))));
      }
    });
    EXPECT_EQ(refused ? 0 : 1, result);
    if (refused) continue;
    CString program;
    EXPECT_EQ(1, translate(project->GetController(), motion, text, program)) << program.GetString();
    Edit([&](CHeadlessUser& user) { EXPECT_EQ(table, Rows(user)); });
  }
}
