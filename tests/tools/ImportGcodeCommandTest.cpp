#include <gtest/gtest.h>

#include <string>

#include "tests/framework/TemporaryDirectory.h"
#include "tests/tools/MotionHostRun.h"

// motion-host import-gcode as a user runs it on what posts write: the segments it writes, what
// it tells on standard error, and how it words a mistaken option.
namespace {

class ImportGcodeCommand : public TemporaryDirectoryTest {
 protected:
  HostRun Import(const std::string& gcode, const std::string& options) {
    WriteFile(PathOf("part.nc"), gcode);
    return MotionHost("import-gcode " + PathOf("part.nc") + " " + options);
  }
};

const char kTwoCircles[] = "G21 G90 G17\nG0 X0. Y0.\nG1 Z-1. F200.\nG3 J-30.\nG2 I10. J5.\n";

// The editor's import lines of each program: C radius, initial angle, turn (acceleration, speed).
TEST_F(ImportGcodeCommand, SegmentsAreTheOnesTheFileWrites) {
  const struct {
    std::string name;
    std::string gcode;
    std::string options;
    std::string segments;
  } cases[] = {
      {"a circle after a circle, centred at its start plus I and J", kTwoCircles, "",
       "C 30 90 360 0 0.003333336\nC 11.1805 -153.43495 -360\n"},
      {"a circle of 10 mm after one of 30 mm", "G21 G90 G17\nG0 X0. Y0.\nG1 Z-1. F200.\nG3 I-30.\nG2 I0.001 J10.\n", "",
       "C 30 0 360 0 0.003333336\nC 10 -90.00572 -360\n"},
      {"an inch bore of five passes",
       "G20 G90 G17\nG0 X0.75 Y0.\nG1 Z-0.2 F5.\nG3 I-0.1 J0. F12.\nG1 X0.85\nG3 I-0.2 J0.\nG1 X0.95\n"
       "G3 I-0.3 J0.\nG1 X1.05\nG3 I-0.4 J0.\nG1 X1.15\nG3 I-0.5 J0.\n",
       "",
       "C 2.54 0 360 0 0.00508\nL 2.54 0\nC 5.08 0 360\nL 2.54 0\nC 7.62 0 360\nL 2.54 0\nC 10.16 0 360\nL 2.54 0\n"
       "C 12.7 0 360\n"},
      {"a laser square with a dwell by X at its corner",
       "G21 G90\nG0 X0 Y0\nM3\nG1 X60 F600\nG04 X0.5\nG1 Y60\nX0\nY0\nM5\n", "",
       "L 60 0 0 0.01\nL 0 60\nL -60 0\nL 0 -60\n"},
      {"no feed in the file, and --speed", "G0 X0 Y0\nG1 Z-1\nG1 X10\nY10\n", "--speed 600", "L 10 0 0 0.01\nL 0 10\n"},
      {"the file's feed, and --speed for where it gives none", "G0 X0 Y0\nG1 Z-1 F300\nG1 X10\n", "--speed 600",
       "L 10 0 0 0.005\n"},
      {"block delete skipped", "G0 X0 Y0\nG1 Z-1 F600\n/N15 M01\nX10\n/G1 Y10\n", "", "L 10 0 0 0.01\n"},
      {"block delete run", "G0 X0 Y0\nG1 Z-1 F600\n/N15 M01\nX10\n/G1 Y10\n", "--block-delete off",
       "L 10 0 0 0.01\nL 0 10\n"},
  };
  for (const auto& c : cases) {
    const HostRun run = Import(c.gcode, "--segments " + c.options);
    if (!RanCleanly(run, c.name)) continue;
    EXPECT_EQ(run.out, c.segments) << c.name;
  }
}

// What the import tells on standard error besides its notes of skipped words.
TEST_F(ImportGcodeCommand, TellsWhatTheFileLeavesOpen) {
  const std::string noFeed =
      "no feed (F) is set for the cuts, so the motion keeps the speed in force; --speed "
      "MM/MIN gives its first segment one";
  const struct {
    std::string name;
    std::string gcode;
    std::string options;
    int status;
    std::string told;  // on standard error
    bool noFeedTold;
  } cases[] = {
      {"a file without F", "G0 X0 Y0\nG1 Z-1\nG1 X10\n", "--segments", 0, "part.nc: " + noFeed, true},
      {"--speed given", "G0 X0 Y0\nG1 Z-1\nG1 X10\n", "--segments --speed 600", 0, "", false},
      {"a file with F", "G0 X0 Y0\nG1 Z-1 F100\nG1 X10\n", "--segments", 0, "", false},
      {"contours under work offsets, listed in the program's coordinates",
       "G21 G90 G54\nG0 X0 Y0\nG1 Z-1 F100\nG1 X10\nG0 Z5\nG55\nG0 X0 Y0\nG1 Z-1\nG1 X10\nG0 Z5\n"
       "G52 X100 Y50\nG0 X0 Y0\nG1 Z-1\nG1 Y10\n",
       "", 2,
       "part.nc: the file holds 3 contours; one motion runs one of them: choose it with --contour N, or write each "
       "into its own file with --split\n"
       "  contour  line  offset in force                       start (mm)                          segments  "
       "length (mm)\n"
       "        1     4  G54                                   X 0.0000 Y 0.0000                          1      "
       "10.0000\n"
       "        2     9  G55                                   X 0.0000 Y 0.0000                          1      "
       "10.0000\n"
       "        3    14  G55, G52 offset X 100.0000 Y 50.0000  X 0.0000 Y 0.0000                          1      "
       "10.0000\n",
       false},
  };
  for (const auto& c : cases) {
    const HostRun run = Import(c.gcode, c.options);
    EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.err;
    EXPECT_NE(run.err.find(c.told), std::string::npos) << c.name << "\n" << run.err;
    EXPECT_EQ(run.err.find(noFeed) != std::string::npos, c.noFeedTold) << c.name << "\n" << run.err;
  }
}

// A start a hair below 0 is at 0 as the motion keeps it: it is told without a sign.
TEST_F(ImportGcodeCommand, TellsAStartNearZeroWithoutASign) {
  const HostRun run = Import("G21 G90\nG0 X-0.00001 Y-0.00004\nG1 X10 F100\n", "-o " + PathOf("part.motion"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, PathOf("part.motion") + ": starts at X 0.0000 Y 0.0000\n");
}

// A mistaken option is told as every option tells its range, and nothing is read.
TEST_F(ImportGcodeCommand, MistakenOptionsSayWhatTheyTake) {
  const struct {
    std::string options;
    std::string message;
  } cases[] = {
      {"--contour abc", "motion-host import-gcode: --contour: takes a whole number from 1 to 2147483647, not \"abc\""},
      {"--contour 0", "--contour: takes a whole number from 1 to 2147483647, not \"0\""},
      {"--contour 1.5", "--contour: takes a whole number from 1 to 2147483647, not \"1.5\""},
      {"--block-delete maybe", "motion-host import-gcode: --block-delete: takes on or off, not \"maybe\""},
      {"--speed 0", "motion-host import-gcode: --speed: takes a number from 0.001 to 1e+06, not \"0\""},
  };
  for (const auto& c : cases) {
    const HostRun run = Import("G0 X0 Y0\nG1 X10\n", c.options);
    EXPECT_EQ(run.status, 2) << c.options;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.options << "\n" << run.err;
  }
  EXPECT_EQ(Import("G0 X0 Y0\nG1 X10 F100\nG0 X20\nG1 X30\n", "--contour +2 --segments").out, "L 10 0 0 0.001666664\n");
}

}  // namespace
