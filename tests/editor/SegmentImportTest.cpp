#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tests/editor/EditorFixture.h"
#include "tests/tools/MotionHostRun.h"
#include <filesystem>

namespace {

constexpr const char* kKindError = "A point must start with C(circle) or L(linear)!";
constexpr const char* kLinearError = "Linear point error: invalid number of parameters!";
constexpr const char* kCircularError = "Circular point error: invalid number of parameters!";

struct ImportCase {
  const char* name;
  std::string file;
  std::vector<std::string> rows;  // "kind x,y" or "kind r,a0,da" then " acc/spd" for those set
  const char* message;            // "" when none
};

// Each row as its own values and, when set, its acceleration and speed: "L100,0 500/20".
std::vector<std::string> Described(const CHeadlessUser& user) {
  std::vector<std::string> rows;
  for (const std::string& row : Rows(user)) {
    const bool circular = row[0] == 'C';
    std::string description = row.substr(0, 1);
    for (int column = 0; column < (circular ? 3 : 2); ++column) {
      std::istringstream value(row.substr(2 + 12 * column, 11));
      std::string word;
      value >> word;
      description += (column ? "," : "") + word;
    }
    std::istringstream acc(row.substr(38, 15)), spd(row.substr(54));
    std::string a, s;
    acc >> a;
    spd >> s;
    if (!a.empty() || !s.empty()) description += " " + a + "/" + s;
    rows.push_back(description);
  }
  return rows;
}

}  // namespace

class SegmentImport : public EditorFixture {
 protected:
  // Imports `contents` from a file into the demo motion; `check` sees the dialog afterwards.
  int Import(const std::string& contents, std::function<void(CHeadlessUser&)> check) {
    const std::string path = (folder / "path.txt").string();
    std::ofstream(path, std::ios::binary) << contents;
    backend.QueueFileDialogAnswer(CString(path.c_str()));
    return Edit([&](CHeadlessUser& user) {
      user.Click(IDC_IMPORT);
      check(user);
    });
  }

  void SetUp() override {
    EditorFixture::SetUp();
    std::string pattern = (std::filesystem::temp_directory_path() / "import-test-XXXXXX").string();
    ASSERT_NE(nullptr, ::mkdtemp(pattern.data()));
    folder = pattern;
  }
  void TearDown() override {
    std::filesystem::remove_all(folder);
    EditorFixture::TearDown();
  }

  std::filesystem::path folder;
};

TEST_F(SegmentImport, LinesBecomeTheWholeTable) {
  const ImportCase cases[] = {
      // 20 m/s is more than 16.16 counts per sample hold on X's 0.5 um drive: the speed's maximum.
      {"the example file", "L 100 0 500 20\nC 50 -90 180\nL 0 -100\n",
       {"L100,0 500/16.38399999", "C50,-90,180", "L0,-100"}, ""},
      {"no line feed at the end, letter glued to its number, CR LF", "L10\t20\r\nC5 0 90", {"L10,20", "C5,0,90"}, ""},
      {"an extra empty line ends with a linear placeholder", "L 1 2\n\n", {"L1,2", "L0,0"}, kKindError},
      {"lower-case letter", "l 1 2\n", {"L0,0"}, kKindError},
      {"leading blank", " L 1 2\n", {"L0,0"}, kKindError},
      {"byte-order mark", "\xEF\xBB\xBFL 1 2\n", {"L0,0"}, kKindError},
      {"bad letter after circular lines", "C 5 0 90\nC 6 0 90\nC 7 0 90\nC 8 0 90\nX 1\n",
       {"C5,0,90", "C6,0,90", "C7,0,90", "C8,0,90", "L0,0"}, kKindError},
      {"L with one number", "L 1\n", {"L0,0"}, kLinearError},
      {"L with five numbers", "L 1 2 3 4 5\n", {"L0,0"}, kLinearError},
      {"L with six numbers", "L 1 2 3 4 5 6\n", {"L0,0"}, kLinearError},
      {"L with no number", "L\n", {"L0,0"}, kLinearError},
      {"C with two numbers", "C 1 2\n", {"C0,0,0"}, kCircularError},
      {"C with six numbers", "C 1 2 3 4 5 6\n", {"C0,0,0"}, kCircularError},
      {"decimal commas", "L 1,5 2,5\n", {"L1.5,2.5"}, ""},
      {"a comma never separates numbers", "L 1,2\n", {"L0,0"}, kLinearError},
      {"repeated accelerations keep the one in force", "L 1 0 500\nL 1 0 500\nL 1 0 500\nL 1 0 600\n",
       {"L1,0 500/", "L1,0", "L1,0 500/", "L1,0 600/"}, ""},
      {"beyond the maximum stores the maximum", "C 1e12 0 90\n", {"C170891.3185,0,90"}, ""},
      {"remarks after the last number", "L 1 2 ; corner\n", {"L1,2"}, ""},
      {"signs written out", "L +1 -2.5\n", {"L1,-2.5"}, ""},
      {"nan is no number", "L 1 nan\n", {"L0,0"}, kLinearError},
      {"inf is no number", "L inf 1\n", {"L0,0"}, kLinearError},
      {"beyond a double is no number", "C 1e999 0 90\n", {"C0,0,0"}, kCircularError},
      {"hexadecimal is no number", "L 0x10 1\n", {"L0,0"}, kLinearError},
  };
  for (const ImportCase& c : cases) {
    SCOPED_TRACE(c.name);
    backend.Reset();
    Import(c.file, [&](CHeadlessUser& user) {
      EXPECT_EQ(c.rows, Described(user));
      EXPECT_EQ(0, user.Selection(IDC_SEGMENT_LIST));
    });
    const auto& boxes = backend.GetMessageBoxes();
    if (*c.message == '\0') {
      EXPECT_TRUE(boxes.empty());
    } else {
      ASSERT_EQ(1u, boxes.size());
      EXPECT_EQ(CString(c.message), boxes[0].text);
      EXPECT_EQ(MB_ICONEXCLAMATION, boxes[0].Icon());
    }
  }
}

TEST_F(SegmentImport, ReplacesALongerTable) {
  text = Motion({{"SegmentType", "SegmentType[]=0, 0, 0, 0, 0, 0, 0, 0, 0, 0"},
                 {"CACC", "CACC[m/s^2]=0, 0, 0, 0, 0, 0, 0, 0, 0, 0"},
                 {"CSPD", "CSPD[m/s]=0, 0, 0, 0, 0, 0, 0, 0, 0, 0"},
                 {"X_TPOS", "X_TPOS[mm]=1, 1, 1, 1, 1, 1, 1, 1, 1, 1"},
                 {"Y_TPOS", "Y_TPOS[mm]=0, 0, 0, 0, 0, 0, 0, 0, 0, 0"},
                 {"Radius", "Radius[mm]="}, {"InitAngle", "InitAngle[deg]="}, {"AngleIncrement", "AngleIncrement[deg]="}});
  EXPECT_EQ(1, Import("L 1 2\nC 5 0 90\nL 3 4\n", [](CHeadlessUser& user) {
              EXPECT_EQ(3u, Rows(user).size());
              user.Click(IDOK);
            }));
  EXPECT_NE(-1, text.Find("SegmentType[]=0, 1, 0"));
}

// Lines that run across the reader's buffer come whole, the last one without its line feed too.
TEST_F(SegmentImport, ALongFileImportsEveryLine) {
  constexpr int kLines = 20000;
  std::string file;
  for (int line = 1; line <= kLines; ++line) file += "L " + std::to_string(line) + " 0,5" + (line < kLines ? "\n" : "");
  Import(file, [&](CHeadlessUser& user) {
    const auto rows = Described(user);
    ASSERT_EQ(static_cast<size_t>(kLines), rows.size());
    for (int line = 1; line <= kLines; ++line) ASSERT_EQ("L" + std::to_string(line) + ",0.5", rows[line - 1]);
  });
  EXPECT_TRUE(backend.GetMessageBoxes().empty());
}

TEST_F(SegmentImport, EmptyFileLeavesAUsableDialogThatRefusesOk) {
  EXPECT_EQ(0, Import("", [](CHeadlessUser& user) {
              EXPECT_TRUE(Rows(user).empty());
              user.Click(IDOK);
              EXPECT_FALSE(user.IsEnded());
              user.Type(IDC_FIRST_VALUE, "5");
              user.Type(IDC_SECOND_VALUE, "5");
              user.Click(IDC_INSERT_BELOW);
              EXPECT_EQ(1u, Rows(user).size());
            }));
  ASSERT_EQ(1u, backend.GetMessageBoxes().size());
  EXPECT_EQ(CString("Invalid number of segments. You should have at least one segment."),
            backend.GetMessageBoxes()[0].text);
}

TEST_F(SegmentImport, MissingFileOrCancelledDialogKeepsTheTable) {
  backend.QueueFileDialogAnswer(CString((folder / "missing.txt").c_str()));
  backend.QueueFileDialogAnswer(std::nullopt);
  Edit([](CHeadlessUser& user) {
    const auto before = Rows(user);
    user.Click(IDC_IMPORT);
    user.Click(IDC_IMPORT);
    EXPECT_EQ(before, Rows(user));
  });
  ASSERT_EQ(1u, backend.GetMessageBoxes().size());
  EXPECT_NE(-1, backend.GetMessageBoxes()[0].text.Find("missing.txt"));
}

// What import-gcode --segments writes, the editor's import turns into the segments that
// import-gcode writes as a motion file.
TEST_F(SegmentImport, GcodeSegmentsImportAsTheMotionImportGcodeWrites) {
  const std::string gcode = std::string(EXAMPLES_DIR) + "/slot.nc";
  const std::string motionFile = (folder / "slot.motion").string();
  ASSERT_EQ(0, Shell(std::string(MOTION_HOST) + " import-gcode " + gcode + " -o " + motionFile).status);
  const HostRun segments = Shell(std::string(MOTION_HOST) + " import-gcode --segments " + gcode + " 2>/dev/null");
  ASSERT_EQ(0, segments.status);
  EXPECT_EQ(1, Import(segments.out, [](CHeadlessUser& user) { user.Click(IDOK); }));
  const std::string imported = text.GetString();
  const std::string written = ReadFile(motionFile);
  for (const char* key :
       {"SegmentType[", "CACC[", "CSPD[", "X_TPOS[", "Y_TPOS[", "Radius[", "InitAngle[", "AngleIncrement["}) {
    const auto entry = [key](const std::string& motion) {
      const size_t at = motion.find(std::string("\n") + key);
      return at == std::string::npos ? std::string() : motion.substr(at + 1, motion.find('\n', at + 1) - at - 1);
    };
    EXPECT_EQ(entry(written), entry(imported)) << key;
    EXPECT_FALSE(entry(written).empty()) << key;
  }
}
