#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "tests/framework/TemporaryDirectory.h"
#include "tests/tools/MotionHostRun.h"

namespace {

namespace fs = std::filesystem;

const std::string kExamples = EXAMPLES_DIR;
constexpr double kPi = std::numbers::pi;

// An open corner, then a square of 10 mm, counterclockwise.
const char* const kOpenAndSquare = "G0 X0 Y0\nG1 X10 F600\nY10\nG0 X20 Y0\nG1 X30\nY10\nX20\nY0\n";
// A drawing of a line (LINE 2B) and a circle of radius 5 (CIRCLE 2A).
const char* const kLineAndCircle =
    "0\nSECTION\n2\nENTITIES\n0\nLINE\n5\n2B\n8\n0\n10\n0\n20\n0\n11\n10\n21\n0\n"
    "0\nCIRCLE\n5\n2A\n8\n0\n10\n50\n20\n0\n40\n5\n0\nENDSEC\n0\nEOF\n";
// A part of two squares of 20 mm joined by a neck 4 mm wide, counterclockwise.
const char* const kDumbbell = "G0 X0 Y0\nG1 X20 F600\nY8\nX30\nY0\nX50\nY20\nX30\nY12\nX20\nY20\nX0\nY0\n";

class OffsetCommands : public TemporaryDirectoryTest {
 protected:
  std::string Write(const char* name, const std::string& text) {
    WriteFile(PathOf(name), text);
    return PathOf(name);
  }

  // The path's length, as the report's totals tell it; NAN where the report fails.
  static double Length(const std::string& motion) {
    const HostRun report = MotionHost("report " + motion);
    const size_t at = report.out.find("total length");
    double length = NAN;
    if (report.status == 0 && at != std::string::npos)
      std::sscanf(report.out.c_str() + at, "total length %lf", &length);
    return length;
  }
};

// The imports offset each contour before it becomes a motion: the slot of 50 x 10 mm grows or
// shrinks by the arcs' change, to either side as asked, and each refusal names why.
TEST_F(OffsetCommands, ImportsOffsetTheirContours) {
  const std::string slot = kExamples + "/slot.nc";
  const std::string outline = std::string(DXF_FIXTURES) + "/two-contours.dxf";
  const struct {
    std::string name;
    std::string arguments;
    int status;
    double length;        // of the motion written; 0: none
    std::string message;  // a part of what standard error says
  } cases[] = {
      {"slot outside", "import-gcode --outside 2 " + slot, 0, 100 + 2 * kPi * 7, ""},
      {"slot to the right of its counterclockwise travel is outside", "import-gcode --offset -2 " + slot, 0,
       100 + 2 * kPi * 7, ""},
      {"slot inside", "import-gcode --inside 2 " + slot, 0, 100 + 2 * kPi * 3, ""},
      {"slot inside by more than its half width", "import-gcode --inside 6 " + slot, 2, 0,
       "slot.nc: line 5: the arc of radius 5 mm vanishes: the offset of 6 mm reaches its centre (2 arcs in all)\n"
       "motion-host import-gcode: " +
           slot + ": line 4: nothing is left of the contour offset 6 mm inside: it is nowhere 12 mm wide"},
      {"an open contour has no outside", "import-gcode --outside 1 " + Write("open.nc", "G0 X0 Y0\nG1 X10 F600\nY10\n"),
       2, 0, "line 2: the contour is open, so it has no outside or inside"},
      {"an open contour inside its corner", "import-gcode --offset 1 " + PathOf("open.nc"), 0, 9 + 9, ""},
      {"an open contour round its corner", "import-gcode --offset -1 " + PathOf("open.nc"), 0, 10 + kPi / 2 + 10, ""},
      {"a neck narrower than the tool parts the contour", "import-gcode --inside 3 " + Write("db.nc", kDumbbell), 2, 0,
       "the contour offset 3 mm inside falls into 2 contours"},
      {"one side at a time", "import-gcode --inside 1 --outside 1 " + slot, 2, 0, "--outside excludes --inside"},
      {"a distance that is no number", "import-gcode --offset x " + slot, 2, 0, "--offset"},
      {"each contour of a drawing: its circle of radius 15", "import-dxf --contour 2 --outside 1 " + outline, 0,
       2 * kPi * 16, ""},
      {"a contour not chosen is not offset: an open one does not matter",
       "import-gcode --contour 2 --outside 1 " + Write("open-and-square.nc", kOpenAndSquare), 0, 40 + 2 * kPi, ""},
      {"nor in a drawing", "import-dxf --contour 2 --outside 1 " + Write("line-and-circle.dxf", kLineAndCircle), 0,
       2 * kPi * 6, ""},
      {"--contour numbers the file's contours, not the offset's",
       "import-gcode --inside 3 --contour 2 " + PathOf("db.nc"), 2, 0, "there is no contour 2: the file holds 1"},
      {"an offset that falls apart needs --split", "import-gcode --inside 3 " + PathOf("db.nc"), 2, 0,
       "the contour's offset falls into 2 contours; one motion runs one of them: write each into its own file with "
       "--split"},
      {"a drawing's notes name the entity, not a line", "import-dxf --contour 1 --inside 12 " + outline, 0, 224,
       "two-contours.dxf: POLYLINE 2F: the arc of radius 10 mm vanishes: the offset of 12 mm reaches its centre"},
  };
  for (const auto& c : cases) {
    const std::string motion = PathOf("offset.motion");
    fs::remove(motion);
    const HostRun run = MotionHost(c.arguments + " -o " + motion);
    EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << "\n" << run.err;
    if (c.length == 0) {
      EXPECT_FALSE(fs::exists(motion)) << c.name;
      continue;
    }
    EXPECT_NEAR(Length(motion), c.length, 0.001) << c.name;
  }
}

// A contour that falls apart is several contours, which --split writes each into its own file.
TEST_F(OffsetCommands, AnImportSplitsWhatTheOffsetPartsWithItsList) {
  const HostRun run =
      MotionHost("import-gcode --inside 3 --split " + Write("db.nc", kDumbbell) + " -o " + PathOf("part.motion"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, PathOf("part-1.motion") + ": starts at X 3.0000 Y 3.0000\n" + PathOf("part-2.motion") +
                         ": starts at X 32.2361 Y 10.0000\n");
  EXPECT_NEAR(Length(PathOf("part-1.motion")), Length(PathOf("part-2.motion")), 1e-4);
}

// offset keeps each segment's acceleration and speed on the segments that come from it, says where
// the offset starts, and takes one of several offsets only when told which.
TEST_F(OffsetCommands, OffsetKeepsTheMotionsSpeedsAndSaysWhereItStarts) {
  const std::string source = kExamples + "/rounded_rectangle.motion";
  const HostRun run = MotionHost("offset " + source + " --outside 5 -o " + PathOf("out.motion"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "motion-host offset: " + source +
                         ": the offset starts at X 0.0000 Y -5.0000 from the motion's start (plot --with-source MOTION "
                         "--origin 0.0000,-5.0000 draws them together)\n");
  EXPECT_NEAR(Length(PathOf("out.motion")), Length(source) + 2 * kPi * 5, 1e-4);
  const std::string before = MotionHost("report --format csv " + source).out;
  const std::string after = MotionHost("report --format csv " + PathOf("out.motion")).out;
  // The speeds of the lines and the arcs, as the columns of acceleration and speed give them.
  EXPECT_NE(after.find(",1,0.2,"), std::string::npos) << after;
  EXPECT_NE(after.find(",1,0.05,"), std::string::npos) << after;
  EXPECT_EQ(std::count(after.begin(), after.end(), '\n'), std::count(before.begin(), before.end(), '\n'));

  ASSERT_EQ(MotionHost("import-gcode " + Write("db.nc", kDumbbell) + " -o " + PathOf("db.motion")).status, 0);
  const HostRun several = MotionHost("offset " + PathOf("db.motion") + " --inside 3 -o " + PathOf("db-in.motion"));
  EXPECT_EQ(several.status, 2);
  EXPECT_NE(several.err.find("the offset gives 2 contours; one motion runs one of them: choose it with --contour N\n"
                             "  contour  start (mm)"),
            std::string::npos)
      << several.err;
  EXPECT_FALSE(fs::exists(PathOf("db-in.motion")));
  const HostRun second =
      MotionHost("offset " + PathOf("db.motion") + " --inside 3 --contour 2 -o " + PathOf("db-in.motion"));
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_NE(second.err.find("starts at X 32.2361 Y 10.0000"), std::string::npos) << second.err;
}

TEST_F(OffsetCommands, OffsetRefusesWhatItCannotOffset) {
  const std::string slot = kExamples + "/slot.motion";
  const struct {
    std::string arguments;
    int status;
    std::string message;
  } cases[] = {
      {"offset " + slot, 2,
       "motion-host offset: the distance is missing: give --distance D, --outside D or --inside D"},
      {"offset " + slot + " --inside 6", 2,
       "nothing is left of the contour offset 6 mm inside: it is nowhere 12 mm wide"},
      {"offset " + slot + " --distance 1 --contour 2", 2, "there is no offset contour 2: the offset gives 1"},
      {"offset " + slot + " --inside 6", 2, "slot.motion: segment 2: the arc of radius 5 mm vanishes"},
      {"--setup " + kExamples + "/rotary.setup.json offset " + kExamples + "/rotary.motion --distance 1", 2,
       "rotary.motion: an offset in mm needs positions that are lengths"},
      {"offset " + Write("bad.motion", "SegmentType[]=0\n") + " --distance 1", 1, "is missing or not valid"},
  };
  for (const auto& c : cases) {
    const HostRun run = MotionHost(c.arguments + " -o " + PathOf("out.motion"));
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << "\n" << run.err;
    EXPECT_FALSE(fs::exists(PathOf("out.motion"))) << c.arguments;
  }
}

// plot --with-source draws the source beneath the path, and the picture holds them both.
TEST_F(OffsetCommands, PlotDrawsTheSourceBeneathTheOffset) {
  const std::string source = kExamples + "/rounded_rectangle.motion";
  ASSERT_EQ(MotionHost("offset " + source + " --inside 5 -o " + PathOf("in.motion")).status, 0);
  const HostRun plot = MotionHost("plot " + PathOf("in.motion") + " --with-source " + source + " --origin 0,5");
  ASSERT_EQ(plot.status, 0) << plot.err;
  const size_t beneath = plot.out.find("<g class=\"source\"");
  ASSERT_NE(beneath, std::string::npos);
  EXPECT_LT(beneath, plot.out.find("<g class=\"path\""));
  size_t strokes = 0;
  for (size_t at = plot.out.find("class=\"source-segment\""); at != std::string::npos;
       at = plot.out.find("class=\"source-segment\"", at + 1))
    ++strokes;
  EXPECT_EQ(strokes, 8u);
  EXPECT_NE(plot.out.find("grey: the source, from (0, 0)"), std::string::npos);
  // Without the source, the grid's labels start at the offset's own corner.
  const HostRun alone = MotionHost("plot " + PathOf("in.motion") + " --origin 0,5");
  EXPECT_EQ(alone.out.find("source"), std::string::npos);
  EXPECT_NE(MotionHost("plot " + PathOf("in.motion") + " --with-source " + PathOf("none.motion")).status, 0);
  const HostRun badOrigin = MotionHost("plot " + PathOf("in.motion") + " --origin 0:5");
  EXPECT_EQ(badOrigin.status, 2);
  EXPECT_NE(badOrigin.err.find("--origin: takes X,Y, not \"0:5\""), std::string::npos) << badOrigin.err;
}

// plot draws several motions in one picture, each from where it starts: sources in grey, the
// others in the path's colour, in groups whose transforms place them.
TEST_F(OffsetCommands, PlotDrawsSeveralMotionsEachFromItsStart) {
  const std::string source = kExamples + "/rounded_rectangle.motion";
  const std::string path = "plot " + source + " --origin 10,20 ";
  const std::string pathGroup = "<g class=\"path\"";
  const struct {
    std::string arguments;
    int status;
    std::vector<std::string> parts;  // of what the plot writes, or of its message
  } cases[] = {
      {"--with-source " + source + "@10,20 --with-source " + source + "@0,0",
       0,
       {"<g class=\"source\"", "grey: 2 sources"}},
      {"--with-source " + source + "@10,20", 0, {"grey: the source<"}},
      {"--also " + source + "@100,20 --also " + source + "@200,20",
       0,
       {"<g class=\"also\"", "class=\"also-segment\"", "2 more paths without marks"}},
      {"--also " + source + "@x,y", 2, {"x,y"}},
      {"--also " + PathOf("none.motion") + "@1,2", 2, {"none.motion"}},
  };
  for (const auto& c : cases) {
    const HostRun plot = MotionHost(path + c.arguments);
    EXPECT_EQ(plot.status, c.status) << c.arguments << "\n" << plot.err;
    for (const std::string& part : c.parts)
      EXPECT_NE((c.status == 0 ? plot.out : plot.err).find(part), std::string::npos) << c.arguments << ": " << part;
  }
  // A source drawn from the offset's own start lands where the offset does.
  const std::string both = MotionHost(path + "--with-source " + source + "@10,20").out;
  const size_t matrix = both.find("matrix(", both.find("<g class=\"source\""));
  const size_t pathMatrix = both.find("matrix(", both.find(pathGroup));
  EXPECT_EQ(both.substr(matrix, both.find(')', matrix) - matrix),
            both.substr(pathMatrix, both.find(')', pathMatrix) - pathMatrix));
}

// G41 and G42 with a radius: the stretch between the entry and the exit is the offset of what the
// program writes, the entry reaching it and the exit leaving it on lines; without a radius, and
// where a control could not make it, they are refused with their line.
TEST_F(OffsetCommands, CutterCompensationOffsetsTheStretchItCompensates) {
  // A square of 40 x 20 mm run counterclockwise, entered and left from X-10.
  const std::string square = "G21 G90\nG0 X-10 Y0\nG41 D1 G1 X0 Y0 F600\nX40\nY20\nX0\nY0\nG40 G1 X-10 Y0\nM30\n";
  std::string right = square;
  right.replace(right.find("G41"), 3, "G42");
  const std::string tools = Write("tools.txt", "# radii of the tools\n1 3\n2 1.5  # a small one\n");
  const struct {
    std::string name;
    std::string gcode;
    std::string options;
    int status;
    std::string lines;  // the import lines, or part of the message
  } cases[] = {
      {"G41 on a counterclockwise square is inside it: sharp corners", square, "--tool-radius 3", 0,
       "L 13 3 0 0.01\nL 34 0\nL 0 14\nL -34 0\nL 0 -14\nL -13 -3\n"},
      {"G42 is outside: round corners", right, "--tool-radius 3", 0,
       "L 10 -3 0 0.01\nL 40 0\nC 3 -90 90\nL 0 20\nC 3 0 90\nL -40 0\nC 3 90 90\nL 0 -20\nC 3 180 90\nL -10 3\n"},
      {"the D word selects the radius from the tool table", square, "--tool-table " + tools, 0,
       "L 13 3 0 0.01\nL 34 0\n"},
      {"an open stretch, its exit from the end of the offset", "G0 X0 Y0\nG42 G1 X10 F600\nX20\nX30 Y10\nG40 X40\n",
       "--tool-radius 1", 0, "L 10 -1 0 0.01\nL 10 0\nC 1 -90 45\nL 10 10\nL 9.293 0.707\n"},
      {"without a radius G41 stays refused", square, "", 2, "line 3: G41 (cutter compensation) cannot be read"},
      {"a D word the table lacks", "G0 X0 Y0\nG41 D7 G1 X10 F600\nX20\n", "--tool-table " + tools, 2,
       "line 2: D7 names no tool of the tool table"},
      {"a tool table it cannot read", square, "--tool-table " + Write("bad.txt", "1 3\nx\n"), 2,
       "bad.txt: line 2: a tool is written as its D number and its radius in mm, as \"1 3.175\""},
      {"an entry on an arc", "G0 X-10 Y0\nG41 G3 X0 Y0 R5 F600\nG1 X40\nG40 G1 X50\n", "--tool-radius 1", 2,
       "line 2: the entry move of cutter compensation is an arc; controls make it on a line"},
      {"compensation for its entry alone", "G0 X0 Y0\nG41 G1 X10 F600\nG40 X20\n", "--tool-radius 1", 2,
       "line 2: cutter compensation is turned on for no more than its entry move"},
      {"a tool wider than the square", square, "--tool-radius 11", 2,
       "line 3: nothing is left of the contour offset 11 mm to the left: it is nowhere 22 mm wide"},
  };
  for (const auto& c : cases) {
    const HostRun run = MotionHost("import-gcode --segments " + c.options + " " + Write("in.nc", c.gcode));
    EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.err;
    if (c.status == 0) {
      EXPECT_EQ(run.out.substr(0, c.lines.size()), c.lines) << c.name;
    } else {
      EXPECT_NE(run.err.find(c.lines), std::string::npos) << c.name << "\n" << run.err;
    }
  }
}

}  // namespace
