#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "tests/framework/TemporaryDirectory.h"
#include "tests/tools/MotionHostRun.h"
#include "tests/tools/PngImage.h"

namespace {

namespace fs = std::filesystem;

const std::string kExamples = EXAMPLES_DIR;

class PathCommands : public TemporaryDirectoryTest {
 protected:
  std::string Write(const char* name, const std::string& text) {
    WriteFile(PathOf(name), text);
    return PathOf(name);
  }

  // A setup file of a table with linear X and Y drives as slaves 0 and 1.
  std::string TableSetup(const char* name, int countsPerMillimetre, bool yClosedLoop) {
    const std::string counts = std::to_string(countsPerMillimetre);
    return Write(name, R"({
      "controller": {"name": "Table", "variables": ["CACC", "CSPD", "TPOS", "NLINESTAN"]},
      "drives": [{"name": "X", "load": "linear", "counts_per_unit": )" +
                           counts + R"(, "options": {"IsClosedPosition": 1}},
                 {"name": "Y", "load": "linear", "counts_per_unit": )" +
                           counts + R"(, "options": {"IsClosedPosition": )" + (yClosedLoop ? "1" : "0") + R"(}}],
      "axes": [{"id": 1, "name": "X", "drive": "X"}, {"id": 2, "name": "Y", "drive": "Y"}],
      "slaves": [1, 2]})");
  }
};

// The last row of a CSV report: its end point.
std::pair<double, double> LastEndPoint(const std::string& csv) {
  const std::string row = csv.substr(csv.rfind('\n', csv.size() - 2) + 1);
  double x = NAN;
  double y = NAN;
  std::sscanf(row.c_str(), "%*[^,],%*[^,],%lf,%lf", &x, &y);
  return {x, y};
}

// A point of the picture, in pixels.
struct Pixel {
  double x, y;
};

// Halfway along an arc piece of at most half a turn from p0 to p1: its centre lies on the left of
// the chord when the piece turns the positive way (sweep flag 1), on the right otherwise.
Pixel ArcMiddle(Pixel p0, Pixel p1, double radius, int sweep) {
  const Pixel middle{(p0.x + p1.x) / 2, (p0.y + p1.y) / 2};
  const double chord = std::hypot(p1.x - p0.x, p1.y - p0.y);
  const double height = std::sqrt(std::max(0.0, radius * radius - chord * chord / 4)) * (sweep == 1 ? 1 : -1);
  const Pixel centre{middle.x - height * (p1.y - p0.y) / chord, middle.y + height * (p1.x - p0.x) / chord};
  const double away = std::hypot(middle.x - centre.x, middle.y - centre.y);
  return {centre.x + radius * (middle.x - centre.x) / away, centre.y + radius * (middle.y - centre.y) / away};
}

// Where a point of the motion lands on the plot: the transform of the group that holds the path.
struct PlotFrame {
  double a = 0, d = 0, e = 0, f = 0;

  explicit PlotFrame(const std::string& svg) {
    const char* group = "class=\"path\" transform=\"matrix(";
    std::sscanf(svg.c_str() + svg.find(group) + std::strlen(group), "%lf %*f %*f %lf %lf %lf", &a, &d, &e, &f);
  }
  Pixel Of(Pixel p) const { return {a * p.x + e, d * p.y + f}; }
};

// The pixels halfway along each line and arc piece of the plot's segment elements.
std::vector<Pixel> SamplesAlongSegments(const std::string& svg) {
  std::vector<Pixel> samples;
  const std::string element = "<path class=\"segment\" d=\"";
  for (size_t at = svg.find(element); at != std::string::npos; at = svg.find(element, at + 1)) {
    const size_t begin = at + element.size();
    std::istringstream commands(svg.substr(begin, svg.find('"', begin) - begin));
    Pixel from{0, 0};
    for (char command; commands >> command;) {
      double ignored = 0, radius = 0;
      int large = 0, sweep = 0;
      if (command == 'A') commands >> radius >> ignored >> ignored >> large >> sweep;
      Pixel to{0, 0};
      commands >> to.x >> to.y;
      if (command == 'L') samples.push_back({(from.x + to.x) / 2, (from.y + to.y) / 2});
      if (command == 'A') samples.push_back(ArcMiddle(from, to, radius, sweep));
      from = to;
    }
  }
  const PlotFrame frame(svg);
  for (Pixel& sample : samples) sample = frame.Of(sample);
  return samples;
}

// Something darker than the background and the grid within two pixels.
bool IsDrawnNear(const PngImage& picture, Pixel at) {
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx)
      if (picture.Brightness(static_cast<int>(at.x) + dx, static_cast<int>(at.y) + dy) < 500) return true;
  return false;
}

TEST_F(PathCommands, TheDemoClosesExactlyAndOnItsDrivesToo) {
  const HostRun run = MotionHost("report " + kExamples + "/rounded_rectangle.motion");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("total length     302.8319 mm\n"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("closes           yes\n"), std::string::npos);
  EXPECT_NE(run.out.find("closing gap      0.0000 mm as written; X 0 counts, Y 0 counts on the drives"),
            std::string::npos);
}

// 0.14 - 0.07 - 0.07 closes as written, but ten counts per millimetre round it to 1 - 1 - 1.
TEST_F(PathCommands, CoarseDrivesRoundAClosedPathOpen) {
  const std::string setup = TableSetup("coarse.setup.json", 10, true);
  const std::string motion = Write("triangle.motion",
                                   "SlaveX=0\nSlaveY=1\nSlaveTangent=-1\nSegmentType[]=0, 0, 0\n"
                                   "CACC[m/s^2]=0, 0, 0\nCSPD[m/s]=0, 0, 0\nX_TPOS[mm]=0.14, -0.07, -0.07\n"
                                   "Y_TPOS[mm]=0, 0.1, -0.1\nRadius[mm]=\nInitAngle[deg]=\nAngleIncrement[deg]=\n"
                                   "Execute=0\n");
  const HostRun run = MotionHost("--setup " + setup + " report " + motion);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("closes           yes\n"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("X -1 counts, Y 0 counts on the drives"), std::string::npos) << run.err;
}

TEST_F(PathCommands, ImportedGcodeTranslatesAndEndsWhereTheProgramEnds) {
  const struct {
    std::string name;
    std::string gcode;
    double endX, endY;  // mm, from where the contour starts
  } cases[] = {
      {"slot", "G21 G90\nG0 X10 Y5\nG1 X60 F600\nG3 X60 Y15 I0 J5\nG1 X10\nG3 X10 Y5 R5\nM30\n", 0, 0},
      {"circle by I/J", "G0 X25 Y0\nG3 X25 Y0 I-25 J0 F1200\n", 0, 0},
      {"circle by R", "G0 X10\nG2 X-10 R10 F300\nX10 R10\n", 0, 0},
      {"path in inches", "G20 G90\nG0 X0.1 Y0.1\nG1 X1.1234 F20\nG2 X1.6234 Y-0.3766 R0.5\nG1 Y-1.0001\n",
       (1.6234 - 0.1) * 25.4, (-1.0001 - 0.1) * 25.4},
  };
  for (const auto& c : cases) {
    const std::string gcode = Write("in.nc", c.gcode);
    const std::string motion = PathOf("imported.motion");
    const HostRun imported = MotionHost("import-gcode " + gcode + " -o " + motion);
    if (!RanCleanly(imported, c.name)) continue;
    EXPECT_EQ(MotionHost("translate " + motion).status, 0) << c.name;
    const HostRun report = MotionHost("report --format csv " + motion);
    if (!RanCleanly(report, c.name)) continue;
    const auto [x, y] = LastEndPoint(report.out);
    EXPECT_NEAR(x, c.endX, 0.001) << c.name;  // half a count of 0.5 um per segment, and the arcs' angles
    EXPECT_NEAR(y, c.endY, 0.001) << c.name;
  }
}

TEST_F(PathCommands, BadGcodeIsRefusedWithItsLineAndNothingIsWritten) {
  const struct {
    std::string gcode;
    std::string message;
  } cases[] = {
      {"G21\nG19\nG0 X0 Y0\nG3 X10 Y0 R5\n",
       "bad.nc: line 4: a counterclockwise arc in the YZ plane (G19 on line 2) cannot be read: arcs and cycles are "
       "read in the XY plane (G17) only"},
      {"G0 X10 Y0\nG3 X20 Y0 I6 J0\n",
       "bad.nc: line 2: the arc's end point lies 2 mm off its circle of radius 6 mm, more than the arc tolerance "
       "of 0.002 mm (--arc-tolerance MM sets it)"},
      {"G0 X10 Y0\nG1 X Y5\n", "bad.nc: line 2: X needs a number"},
      {"G0 X10 Y0\nG2 X20 Y10\n", "bad.nc: line 2: an arc needs I and J or R"},
      {"G0 X10 Y0\nG1 X10 A5\n", "bad.nc: line 2: unknown word A5"},
      {"(nothing but a comment)\n", "bad.nc: no contour"},
      {"G0 X0 Y0\nG1 X10\nG53 G0 X-300\nG1 X20\n", "bad.nc: line 3: G53 moves X in machine coordinates"},
      {"G0 X0 Y0\nG1 X10\nG0 X20\nG1 X30 Y5\n",
       "bad.nc: the file holds 2 contours; one motion runs one of them: choose it with --contour N, or write "
       "each into its own file with --split\n"
       "  contour  line  start (mm)                          segments  length (mm)\n"
       "        1     2  X 0.0000 Y 0.0000                          1      10.0000\n"
       "        2     4  X 20.0000 Y 0.0000                         1      11.1803\n"},
  };
  for (const auto& c : cases) {
    const HostRun run = MotionHost("import-gcode --strict " + Write("bad.nc", c.gcode) + " -o " + PathOf("out.motion"));
    EXPECT_EQ(run.status, 2) << c.gcode;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.gcode << "\n" << run.err;
    EXPECT_FALSE(fs::exists(PathOf("out.motion"))) << c.gcode;
  }
}

// The module reads and translates the motion on the chosen setup before it is written: here the
// setup's second slave is open loop, which no motion may drive.
TEST_F(PathCommands, AMotionTheModuleRefusesIsNotWritten) {
  const std::string setup = TableSetup("open.setup.json", 1000, false);
  const std::string gcode = Write("line.nc", "G0 X0 Y0\nG1 X10 F600\n");
  const HostRun run = MotionHost("--setup " + setup + " import-gcode " + gcode + " -o " + PathOf("out.motion"));
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("The parameter \"SlaveY\" is missing or not valid."), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(PathOf("out.motion")));
}

// Two contours, a plunge and a retract apart: the options choose one, split them, or refuse.
TEST_F(PathCommands, ImportOptionsChooseAndShapeTheMotions) {
  const std::string gcode =
      Write("two.nc", "G0 X0 Y0\nG1 Z-1 F600\nG1 X10\nG0 Z5\nG0 X20 Y0\nG1 Z-1\nG1 X20 Y10\nM30\n");
  const std::string part = PathOf("part.motion");
  const struct {
    std::string options;
    int status;
    std::string output;  // on standard output when the import succeeds, else on standard error
    std::vector<std::string> written;
  } cases[] = {
      {"--contour 2 --segments", 0, "L 0 10 0 0.01\n", {}},
      {"--contour 1 --acceleration 0.5 --segments", 0, "L 10 0 0.5 0.01\n", {}},
      {"--split -o " + part,
       0,
       part.substr(0, part.size() - 7) + "-1.motion: starts at X 0.0000 Y 0.0000\n" + part.substr(0, part.size() - 7) +
           "-2.motion: starts at X 20.0000 Y 0.0000\n",
       {"part-1.motion", "part-2.motion"}},
      {"--contour 3", 2, "two.nc: there is no contour 3: the file holds 2\n", {}},
      {"--split", 2, "two.nc: --split writes one file per contour, so it needs -o FILE\n", {}},
      {"--split --contour 1 -o " + part, 2, "--split excludes --contour", {}},
  };
  for (const auto& c : cases) {
    for (const char* file : {"part.motion", "part-1.motion", "part-2.motion"}) fs::remove(PathOf(file));
    const HostRun run = MotionHost("import-gcode " + gcode + " " + c.options);
    EXPECT_EQ(run.status, c.status) << c.options << "\n" << run.err;
    EXPECT_NE((c.status == 0 ? run.out : run.err).find(c.output), std::string::npos) << c.options << "\n" << run.err;
    for (const std::string& file : c.written)
      EXPECT_EQ(MotionHost("translate " + PathOf(file.c_str())).status, 0) << file;
    const bool anyWritten = fs::exists(PathOf("part-1.motion")) || fs::exists(part);
    EXPECT_EQ(anyWritten, !c.written.empty()) << c.options;
  }
}

// An imported motion without an acceleration cannot be timed; the report says how to give one.
TEST_F(PathCommands, ImportedAccelerationLetsTheReportEstimateTheTime) {
  const std::string gcode = Write("line.nc", "G0 X0 Y0\nG1 X100 F6000\n");
  const struct {
    std::string options;
    std::string estimate;
  } cases[] = {
      {"",
       "estimated time   unknown: no acceleration is set for segment 1; give the first segment one (CACC, or "
       "--acceleration A when importing)\n"},
      {"--acceleration 1", "estimated time   1.1000 s, with the tangential acceleration only"},
  };
  for (const auto& c : cases) {
    if (!RanCleanly(MotionHost("import-gcode " + gcode + " -o " + PathOf("line.motion") + " " + c.options), c.options))
      continue;
    const HostRun report = MotionHost("report " + PathOf("line.motion"));
    EXPECT_NE(report.out.find(c.estimate), std::string::npos) << report.err;
  }
}

// A row of a CSV report: the segment's kind, where it ends, the corner before it, and the
// acceleration and speed in force.
struct ReportRow {
  std::string kind;
  double x = 0, y = 0, corner = 0, acceleration = 0, speed = 0;
};

std::vector<ReportRow> ReportRows(const std::string& csv) {
  std::vector<ReportRow> rows;
  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);  // the header
  while (std::getline(lines, line)) {
    ReportRow row;
    char kind[8] = {};
    std::sscanf(line.c_str(), "%*[^,],%7[^,],%lf,%lf,%*[^,],%*[^,],%*[^,],%*[^,],%lf,%*[^,],%lf,%lf", kind, &row.x,
                &row.y, &row.corner, &row.acceleration, &row.speed);
    row.kind = kind;
    rows.push_back(row);
  }
  return rows;
}

// fit-arcs turns a motion's runs of lines into few segments: the path ends where it ended, its
// arcs and corners stay, and each acceleration or speed it sets starts a segment on the same point.
TEST_F(PathCommands, FitArcsKeepsTheEndArcsCornersAndSpeeds) {
  std::string circle = "G0 X20 Y0\nG1 F600\n";
  for (int i = 1; i <= 360; ++i) {
    char move[64];
    const double angle = i * std::numbers::pi / 180;
    std::snprintf(move, sizeof move, "X%.3f Y%.3f\n", 20 * std::cos(angle), 20 * std::sin(angle));
    circle += move;
  }
  const struct {
    std::string name;
    std::string gcode;
    std::string kinds;  // L or C per fitted segment; empty: not checked
  } cases[] = {
      {"a slot traced as 152 lines", ReadFile(kExamples + "/traced_slot.nc"), "LCLC"},
      {"a circle of 360 lines", circle, "CC"},
      {"a new speed halfway along a straight, a corner, a written arc and lines that go on from it",
       "G0 X0 Y0\nG1 X10 F600\nX20\nX30 F1200\nX40\nX40 Y10\nG3 X30 Y20 I-10 J0\nG1 X20\nX10\nX0\n", "LLLCL"},
  };
  for (const auto& c : cases) {
    const std::string lines = PathOf("lines.motion");
    if (!RanCleanly(MotionHost("import-gcode --acceleration 0.5 " + Write("in.nc", c.gcode) + " -o " + lines), c.name))
      continue;
    const HostRun fitted = MotionHost("fit-arcs " + lines + " --tolerance 0.01 -o " + PathOf("fitted.motion"));
    if (!RanCleanly(fitted, c.name)) continue;
    const std::vector<ReportRow> before = ReportRows(MotionHost("report --format csv " + lines).out);
    const std::vector<ReportRow> after = ReportRows(MotionHost("report --format csv " + PathOf("fitted.motion")).out);
    EXPECT_FALSE(after.empty()) << c.name;
    if (after.empty()) continue;
    std::string kinds;
    for (const ReportRow& row : after) kinds += row.kind == "line" ? 'L' : 'C';
    if (!c.kinds.empty()) {
      EXPECT_EQ(kinds, c.kinds) << c.name;
    }
    EXPECT_NEAR(after.back().x, before.back().x, 0.001) << c.name;
    EXPECT_NEAR(after.back().y, before.back().y, 0.001) << c.name;
    // Every corner and every change of acceleration or speed of the source is there again, where
    // a fitted segment starts on the same point; every other joint turns by half a degree at most.
    const auto startsOn = [&](const std::vector<ReportRow>& rows, size_t i, double x, double y) {
      const double fromX = i == 0 ? 0.0 : rows[i - 1].x;
      const double fromY = i == 0 ? 0.0 : rows[i - 1].y;
      return std::hypot(fromX - x, fromY - y) < 0.001;
    };
    for (size_t i = 1; i < before.size(); ++i) {
      const bool corner = before[i].corner > 10;
      const bool change = before[i].speed != before[i - 1].speed || before[i].acceleration != before[i - 1].acceleration;
      if (!corner && !change) continue;
      const double x = before[i - 1].x;
      const double y = before[i - 1].y;
      const auto kept = std::find_if(after.begin(), after.end(), [&](const ReportRow& row) {
        return startsOn(after, static_cast<size_t>(&row - after.data()), x, y) &&
               (!corner || row.corner > 10) && row.speed == before[i].speed &&
               row.acceleration == before[i].acceleration;
      });
      EXPECT_NE(kept, after.end()) << c.name << ": segment " << i + 1;
    }
    for (size_t i = 1; i < after.size(); ++i) {
      if (after[i].corner <= 0.5) continue;
      bool onCorner = false;
      for (size_t j = 1; j < before.size(); ++j)
        onCorner = onCorner || (before[j].corner > 10 && startsOn(after, i, before[j - 1].x, before[j - 1].y));
      EXPECT_TRUE(onCorner) << c.name << ": fitted segment " << i + 1 << " turns by " << after[i].corner;
    }
  }
}

TEST_F(PathCommands, FitArcsRefusesWhatItCannotFit) {
  const std::string motion = kExamples + "/slot.motion";
  const struct {
    std::string arguments;
    int status;
    std::string message;
  } cases[] = {
      {"fit-arcs " + motion, 2, "motion-host fit-arcs: --tolerance is required"},
      {"fit-arcs " + motion + " --tolerance 0", 2, "--tolerance: takes a number from 0.0001 to 10, not \"0\""},
      {"--setup " + kExamples + "/rotary.setup.json fit-arcs " + kExamples + "/rotary.motion --tolerance 0.01", 2,
       "rotary.motion: a tolerance in mm needs positions that are lengths, but the motion's X and Y drives do not "
       "both carry linear loads"},
      {"fit-arcs " + Write("bad.motion", "SegmentType[]=0\n") + " --tolerance 0.01", 1, "is missing or not valid"},
  };
  for (const auto& c : cases) {
    const HostRun run = MotionHost(c.arguments + " -o " + PathOf("out.motion"));
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << "\n" << run.err;
    EXPECT_FALSE(fs::exists(PathOf("out.motion"))) << c.arguments;
  }
}

TEST_F(PathCommands, SegmentsComeOutAsTheEditorsImportLines) {
  const std::string gcode = Write("slot.nc", "G0 X10 Y5\nG1 X60 F600\nG3 X60 Y15 I0 J5\nG1 X10\nG3 X10 Y5 R5\n");
  const HostRun run = MotionHost("import-gcode --segments " + gcode);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "L 50 0 0 0.01\nC 5 -90 180\nL -50 0\nC 5 90 180\n");
}

TEST_F(PathCommands, CsvReportHasOneRowPerSegment) {
  const HostRun run = MotionHost("report --format csv " + kExamples + "/serpentine.motion");
  EXPECT_EQ(run.status, 0);
  std::istringstream lines(run.out);
  std::vector<std::string> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0].find("segment,kind,end X [mm],end Y [mm],"), 0u);
  EXPECT_EQ(rows[2].find("2,arc,40,40,62.83185307,102.8318531,0,180,0,no,0.5,0.04,"), 0u) << rows[2];
}

// Where each segment's path element says the path runs, the picture that a real SVG renderer
// makes of it is drawn.
TEST_F(PathCommands, EveryExamplesPlotRendersWithItsPathDrawn) {
  int examples = 0;
  for (const auto& entry : fs::directory_iterator(kExamples)) {
    if (entry.path().extension() != ".motion") continue;
    ++examples;
    const fs::path setup = fs::path(entry.path()).replace_extension(".setup.json");
    const std::string svgPath = PathOf("plot.svg");
    const std::string pngPath = PathOf("plot.png");
    const std::string setupOption = fs::exists(setup) ? "--setup " + setup.string() + " " : "";
    if (!RanCleanly(MotionHost(setupOption + "plot " + entry.path().string() + " -o " + svgPath), entry.path()) ||
        !RanCleanly(Shell("rsvg-convert " + svgPath + " -o " + pngPath), entry.path()))
      continue;
    const PngImage picture(pngPath);
    EXPECT_GT(picture.width, 0) << entry.path();
    if (picture.width <= 0) continue;
    const std::vector<Pixel> samples = SamplesAlongSegments(ReadFile(svgPath));
    EXPECT_GE(samples.size(), 1u) << entry.path();
    for (const Pixel& sample : samples)
      EXPECT_TRUE(IsDrawnNear(picture, sample)) << entry.path() << " at pixel " << sample.x << ", " << sample.y;
  }
  EXPECT_GE(examples, 6);
}

// The serpentine's first half turn runs round (40, 20) through (54.14, 5.86), its second round
// (0, 60) through (-14.14, 45.86); an arc piece drawn bulging the wrong way would pass the
// mirror points across its chord instead.
TEST_F(PathCommands, ArcsAreDrawnTheWayTheyTurn) {
  const std::string svgPath = PathOf("plot.svg");
  ASSERT_EQ(MotionHost("plot " + kExamples + "/serpentine.motion -o " + svgPath).status, 0);
  ASSERT_EQ(Shell("rsvg-convert " + svgPath + " -o " + PathOf("plot.png")).status, 0);
  const PngImage picture(PathOf("plot.png"));
  const PlotFrame frame(ReadFile(svgPath));
  for (const Pixel drawn :
       {Pixel{54.142, 5.858}, Pixel{54.142, 34.142}, Pixel{-14.142, 45.858}, Pixel{-14.142, 74.142}})
    EXPECT_TRUE(IsDrawnNear(picture, frame.Of(drawn))) << drawn.x << ", " << drawn.y;
  for (const Pixel blank : {Pixel{45.858, 14.142}, Pixel{-5.858, 54.142}})
    EXPECT_FALSE(IsDrawnNear(picture, frame.Of(blank))) << blank.x << ", " << blank.y;
}

// A motion on the demo setup (X drive 2000 counts/mm, the reference; Y drive 1000 counts/mm; 1 ms
// samples), its lists as the file writes them.
struct DemoMotion {
  std::string types, acc, speed, x, y;
  std::string radius = "", initialAngle = "", angleIncrement = "";
  int tangentSlave = -1;

  std::string Text() const {
    return "SlaveX=0\nSlaveY=1\nSlaveTangent=" + std::to_string(tangentSlave) + "\nSegmentType[]=" + types +
           "\nCACC[m/s^2]=" + acc + "\nCSPD[m/s]=" + speed + "\nX_TPOS[mm]=" + x + "\nY_TPOS[mm]=" + y +
           "\nRadius[mm]=" + radius + "\nInitAngle[deg]=" + initialAngle + "\nAngleIncrement[deg]=" +
           angleIncrement + "\nExecute=0\n";
  }
};

// The table row of segment `number`.
std::string ReportRow(const std::string& report, int number) {
  char start[16];
  std::snprintf(start, sizeof start, "\n%4d  ", number);
  const size_t at = report.find(start);
  return at == std::string::npos ? "" : report.substr(at + 1, report.find('\n', at + 1) - at - 1);
}

TEST_F(PathCommands, TheReportWarnsOfWhatMayHarmTheMachine) {
  const struct {
    std::string name;
    DemoMotion motion;
    std::string warning;  // at the end of the second row; empty for none
  } cases[] = {
      // v^2/r = 0.01 / 0.01 = 1 m/s^2 over 0.5: sqrt(0.5 * 0.01) = 0.070710... keeps it within.
      {"an arc too fast for its radius", {"0, 1", "0.5, 0", "0.1, 0", "10", "0", "10", "-90", "90"},
       "centripetal 0.07071"},
      {"an arc slow enough", {"0, 1", "0.5, 0", "0.05, 0", "10", "0", "10", "-90", "90"}, ""},
      // One count of X is half a count of Y.
      {"a line of one count on the finer drive", {"0, 0", "0.5, 0", "0.1, 0", "10, 0.0005", "0, 0"}, "short 0.50"},
      {"a line of two counts on the finer drive", {"0, 0", "0.5, 0", "0.1, 0", "10, 0.001", "0, 0"}, ""},
      {"a radius between counts", {"0, 1", "0.5, 0", "0.01, 0", "10", "0", "10.0003", "-90", "90"},
       "radius 20000.60 -> 20001"},
      // 1e-9 m/s is 2e-6 counts per sample, which rounds to 0: the speed before stays in force.
      {"a speed below the counts per sample", {"0, 0", "0.5, 0", "0.1, 0.000000001", "10, 10", "0, 0"},
       "speed 2e-06 -> 0"},
  };
  for (const auto& c : cases) {
    const HostRun run = MotionHost("report " + Write("warned.motion", c.motion.Text()));
    if (!RanCleanly(run, c.name)) continue;
    const std::string row = ReportRow(run.out, 2);
    if (c.warning.empty()) {
      EXPECT_EQ(row.find_last_not_of(' '), row.size() - 1) << c.name << ": " << row;
      EXPECT_EQ(ReportRow(run.out, 1).size(), row.size()) << c.name << ": " << row;
    } else {
      EXPECT_EQ(row.substr(row.size() - c.warning.size()), c.warning) << c.name << ": " << row;
      const std::string footnote = "\n" + c.warning.substr(0, c.warning.find(' ')) + ": ";
      EXPECT_NE(run.out.find(footnote), std::string::npos) << c.name << "\n" << run.err;
    }
  }
}

// docs/geometry.md explains the warning with the slot of the examples.
TEST_F(PathCommands, TheSlotsHalfCirclesAreTooFastForTheirRadius) {
  const HostRun run = MotionHost("report " + kExamples + "/slot.motion");
  for (const int arc : {2, 4}) {
    const std::string row = ReportRow(run.out, arc);
    EXPECT_EQ(row.substr(row.size() - 18), "  centripetal 0.05") << row;
  }
  EXPECT_NE(run.out.find("estimated time   1.5142 s, with the tangential acceleration only"), std::string::npos);
}

// A path that is tall and narrow with a tangent axis has the longest legend on the narrowest
// picture. The legend is drawn darker than any grid text: where an axis title stands, nothing
// is that dark.
TEST_F(PathCommands, TheLegendNeverCoversTheAxisTitles) {
  const DemoMotion tall{"0", "1", "0.1", "0", "100", "", "", "", 2};
  const std::string svgPath = PathOf("tall.svg");
  ASSERT_EQ(MotionHost("plot " + Write("tall.motion", tall.Text()) + " -o " + svgPath).status, 0);
  ASSERT_EQ(Shell("rsvg-convert " + svgPath + " -o " + PathOf("tall.png")).status, 0);
  const PngImage picture(PathOf("tall.png"));
  const std::string svg = ReadFile(svgPath);
  for (const std::string title : {"X [mm]", "Y [mm]"}) {
    const size_t text = svg.rfind("<text", svg.find(">" + title + "<"));
    double x = 0, y = 0;
    char anchor[8] = "";
    ASSERT_EQ(std::sscanf(svg.c_str() + text, "<text x=\"%lf\" y=\"%lf\" text-anchor=\"%7[a-z]", &x, &y, anchor), 3);
    const double left = std::strcmp(anchor, "end") == 0 ? x - 45 : x;
    for (int py = static_cast<int>(y) - 11; py <= static_cast<int>(y) + 3; ++py)
      for (int px = static_cast<int>(left); px <= static_cast<int>(left) + 45; ++px)
        ASSERT_GT(picture.Brightness(px, py), 300) << title << " covered at pixel " << px << ", " << py;
  }
}

bool IsRed(const PngImage& picture, Pixel at) {
  const size_t i = 3 * (static_cast<size_t>(at.y) * picture.width + static_cast<size_t>(at.x));
  return picture.rgb[i] > 150 && picture.rgb[i + 1] < 110 && picture.rgb[i + 2] < 110;
}

// The path turns by 90 degrees at (10, 10) and ends a hundredth of a millimetre further: the end
// mark falls on the corner. Along the diagonals, away from the path, the ring is red at its
// radius (7 pixels) and clear within it and just outside it, where the corners of a square as
// small as the ring would be.
TEST_F(PathCommands, ACornerRingStaysVisibleUnderTheEndMark) {
  const DemoMotion motion{"0, 0, 0", "1, 0, 0", "0.1, 0, 0", "10, 0, 0.01", "0, 10, 0"};
  const std::string svgPath = PathOf("corner.svg");
  ASSERT_EQ(MotionHost("plot " + Write("corner.motion", motion.Text()) + " -o " + svgPath).status, 0);
  ASSERT_EQ(Shell("rsvg-convert " + svgPath + " -o " + PathOf("corner.png")).status, 0);
  const PngImage picture(PathOf("corner.png"));
  const Pixel corner = PlotFrame(ReadFile(svgPath)).Of({10, 10});
  for (const Pixel diagonal : {Pixel{1, 1}, Pixel{1, -1}, Pixel{-1, 1}, Pixel{-1, -1}}) {
    const auto at = [&](double radius) {
      return Pixel{std::floor(corner.x + radius * diagonal.x / std::sqrt(2.0)),
                   std::floor(corner.y + radius * diagonal.y / std::sqrt(2.0))};
    };
    EXPECT_TRUE(IsRed(picture, at(7))) << diagonal.x << ", " << diagonal.y;
    EXPECT_FALSE(IsRed(picture, at(4))) << diagonal.x << ", " << diagonal.y;
    EXPECT_FALSE(IsRed(picture, at(9.5))) << diagonal.x << ", " << diagonal.y;
  }
}

// 20000 steps of a hundredth of a millimetre up and down along X: far below a pixel each.
TEST_F(PathCommands, ADensePathPlotsToAPictureOfWhatCanBeSeen) {
  DemoMotion zigzag;
  for (int i = 0; i < 20000; ++i) {
    const std::string comma = i == 0 ? "" : ", ";
    zigzag.types += comma + "0";
    zigzag.acc += comma + (i == 0 ? "1" : "0");
    zigzag.speed += comma + (i == 0 ? "0.1" : "0");
    zigzag.x += comma + "0.01";
    zigzag.y += comma + (i % 2 == 0 ? "0.01" : "-0.01");
  }
  const HostRun run = MotionHost("plot " + Write("zigzag.motion", zigzag.Text()));
  ASSERT_EQ(run.status, 0);
  EXPECT_LT(run.out.size(), 100000u);
  EXPECT_NE(run.out.find("left out where they would cover others: "), std::string::npos);
}

// The grid labels a multiple of its step where that coordinate of the program runs.
TEST_F(PathCommands, TheOriginPutsThePathWhereTheProgramRunsIt) {
  const std::string svg = MotionHost("plot --origin 20,-10 " + kExamples + "/slot.motion").out;
  const Pixel start = PlotFrame(svg).Of({0, 0});
  const auto label = [&](const std::string& text) {
    Pixel at{NAN, NAN};
    const size_t element = svg.rfind("<text", svg.find(">" + text + "</text>"));
    std::sscanf(svg.c_str() + element, "<text x=\"%lf\" y=\"%lf\"", &at.x, &at.y);
    return at;
  };
  EXPECT_NEAR(label("20").x, start.x, 0.1);
  EXPECT_NEAR(label("-10").y + 2, start.y, 0.1);  // Y labels stand two pixels above their line
}

TEST_F(PathCommands, PngIsTheRenderedPictureOrNothing) {
  const std::string motion = kExamples + "/serpentine.motion";
  const HostRun run = MotionHost("plot --png " + PathOf("plot.png") + " " + motion);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  ASSERT_EQ(MotionHost("plot -o " + PathOf("plot.svg") + " " + motion).status, 0);
  ASSERT_EQ(Shell("rsvg-convert " + PathOf("plot.svg") + " -o " + PathOf("direct.png")).status, 0);
  const PngImage rendered(PathOf("plot.png"));
  const PngImage direct(PathOf("direct.png"));
  EXPECT_GT(rendered.width, 0);
  EXPECT_EQ(rendered.width, direct.width);
  EXPECT_EQ(rendered.rgb, direct.rgb);

  const HostRun missing = Shell("PATH=/nowhere " + std::string(MOTION_HOST) + " plot --png " + PathOf("none.png") +
                                " " + motion);
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("motion-host plot: cannot run rsvg-convert"), std::string::npos) << missing.err;
  EXPECT_FALSE(fs::exists(PathOf("none.png")));
}

// As root, permission bits stop no write; a file-size limit (SIGXFSZ ignored) makes the data
// fail to reach the disk for root too, after the temporary file was made.
TEST_F(PathCommands, WrittenFilesAreReplacedWholeOrLeftAsTheyWere) {
  const std::string motion = kExamples + "/rounded_rectangle.motion";
  const std::string target = Write("plot.svg", "old picture");
  const HostRun limited =
      Shell("trap '' XFSZ; ulimit -f 1; " + std::string(MOTION_HOST) + " plot " + motion + " -o " + target);
  EXPECT_EQ(limited.status, 2);
  EXPECT_NE(limited.err.find("cannot write \"" + target + "\": cannot write the data: File too large"),
            std::string::npos)
      << limited.err;
  EXPECT_EQ(ReadFile(target), "old picture");
  EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 1);

  const HostRun written = MotionHost("plot " + motion + " -o " + target);
  EXPECT_EQ(written.status, 0);
  const std::string picture = ReadFile(target);
  EXPECT_EQ(picture.find("<svg "), 0u);
  EXPECT_EQ(picture.substr(picture.size() - 7), "</svg>\n");

  for (const std::string& command : {"plot " + motion, "import-gcode " + Write("line.nc", "G0 X0 Y0\nG1 X10\n")}) {
    const HostRun missing = MotionHost(command + " -o " + PathOf("missing/out"));
    EXPECT_EQ(missing.status, 2) << command;
    EXPECT_NE(missing.err.find("cannot write \"" + PathOf("missing/out") + "\""), std::string::npos) << command;
    EXPECT_FALSE(fs::exists(PathOf("missing"))) << command;
  }
}

// docs/geometry.md shows commands with what they print.
TEST_F(PathCommands, TheDocumentedCommandsPrintWhatTheDocsShow) {
  const std::string doc = ReadFile(std::string(PROJECT_DIR) + "/docs/geometry.md");
  const std::string prompt = "$ build/bin/motion-host ";
  int commands = 0;
  for (size_t command = doc.find(prompt); command != std::string::npos; command = doc.find(prompt, command + 1)) {
    ++commands;
    const size_t output = doc.find('\n', command) + 1;
    const std::string arguments = doc.substr(command + prompt.size(), output - 1 - command - prompt.size());
    const HostRun run = Shell("cd " + std::string(PROJECT_DIR) + " && " + MOTION_HOST + " " + arguments);
    const size_t next = std::min(doc.find("```", output), doc.find(prompt, output));
    // The docs show what a terminal shows: standard output, then standard error.
    EXPECT_EQ(run.out + run.err, doc.substr(output, next - output)) << arguments;
  }
  EXPECT_GE(commands, 3);
}

}  // namespace
