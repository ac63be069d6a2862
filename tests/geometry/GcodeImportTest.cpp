#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "geometry/core/PathWalk.h"
#include "geometry/core/RelativePath.h"
#include "geometry/core/SegmentGeometry.h"
#include "geometry/gcode/GcodeReader.h"

namespace {

using geometry::Point;

using Read = Result<geometry::GcodeProgram>;

Read ReadProgram(const std::string& gcode, const geometry::GcodeOptions& options = {}) {
  return geometry::ReadGcode(gcode, options);
}

// What a failed read says, for the message of a failed expectation.
std::string FaultOf(const Read& read) {
  return read ? "no fault" : "line " + std::to_string(read.Failure().line) + ": " + read.Failure().message;
}

geometry::GcodeOptions Flattening() {
  geometry::GcodeOptions options;
  options.flatten = true;
  return options;
}

geometry::GcodeOptions Strict() {
  geometry::GcodeOptions options;
  options.strict = true;
  return options;
}

geometry::PathWalk WalkOf(const geometry::Contour& contour, const geometry::Rounding& rounding = {}) {
  std::vector<geometry::PathSegment> segments;
  for (const auto& imported : geometry::ToRelativePath(contour, rounding)) segments.push_back(imported.segment);
  return geometry::Walk(segments);
}

std::string Kinds(const geometry::Contour& contour) {
  std::string kinds;
  for (const auto& move : contour.moves) kinds += move.segment.kind == geometry::PathSegment::Kind::Linear ? 'L' : 'C';
  return kinds;
}

// A post-processor's program: a byte-order mark, %, a program number, line numbers, comments in
// both styles, a tool change, spindle and coolant words, a tool length offset, plunges and
// retracts, a parking move in machine coordinates, and a second program after the end.
const char kMilledSlot[] =
    "\xEF\xBB\xBF%  \n"
    "O1001 (SLOT)\n"
    "N10 G90 G94 G17 G21 G40 G49 G80\n"
    "N20 G54 ; work offset\n"
    "N30 T1 M6\n"
    "N40 S12000 M3\n"
    "N50 G0 X10. Y5.\n"
    "N60 G43 H1 Z15. M8\n"
    "N70 G1 Z-1. F300.\n"
    "N80 X60. F600.\n"
    "N90 G3 X60. Y15. I0. J5.\n"
    "N100 G1 X10.\n"
    "N110 G3 X10. Y5. R5.\n"
    "N120 G0 Z15.\n"
    "N130 M5 M9\n"
    "N140 G91 G28 Z0.\n"
    "N150 G90 G53 X-300. Y0.\n"
    "N160 M30\n"
    "%\n"
    "O1002 (SECOND PROGRAM)\n"
    "G0 X0 Y0\nG1 X500\n";

// Each program's first contour: its kinds of segment, where it ends seen from its start, and its
// length, through the relative segments.
TEST(GcodeImport, ContoursEndWhereTheProgramSays) {
  const struct {
    std::string name;
    std::string gcode;
    std::string kinds;
    Point end;
    double length;
    geometry::GcodeOptions options = {};
  } cases[] = {
      {"a post-processor's slot", kMilledSlot, "LCLC", {0, 0}, 100 + 10 * std::numbers::pi},
      {"circle by I/J", "G0 X25 Y0\nG3 X25 Y0 I-25 J0\n", "C", {0, 0}, 50 * std::numbers::pi},
      {"circle by I/J, X and Y left out", "G0 X10 Y0\nG2 I-10\n", "C", {0, 0}, 20 * std::numbers::pi},
      {"one and a half turns by P", "G0 X10 Y0\nG3 X-10 I-10 P2\n", "C", {-20, 0}, 30 * std::numbers::pi},
      {"circle by R in two halves", "G0 X10\nG2 X-10 R10\nX10 R10\n", "CC", {0, 0}, 20 * std::numbers::pi},
      {"inches, incremental from where it stands",
       "G20 G91\nG1 X1 F20\nG2 X0.5 Y-0.5 R0.5\nG1 Y-1\n",
       "LCL",
       {38.1, -38.1},
       25.4 + 25.4 + 6.35 * std::numbers::pi},
      {"the long arc by a negative R", "G0 X0 Y0\nG3 X10 Y10 R-10\n", "C", {10, 10}, 15 * std::numbers::pi},
      {"a clockwise I/J arc over three quarters",
       "G0 X0 Y0\nG2 X10 Y-10 I10 J0\n",
       "C",
       {10, -10},
       15 * std::numbers::pi},
      {"millimetres after inches", "G20\nG0 X0 Y0\nG1 X1\nG21\nG1 X0\n", "LL", {0, 0}, 50.8},
      {"a cut within the join tolerance joined",
       "G0 X0 Y0\nG1 X10\nX10.0004\nY10\n",
       "LL",
       {10.0004, 10},
       10 + std::hypot(0.0004, 10)},
      {"an arc of 0.0046 degrees is no circle", "G0 X0 Y5\nG1 X10\nG3 X10.0008 Y5 I0 J10\nG1 X20\n", "LL", {20, 0}, 20},
      {"G92 names the point where the tool stands", "G0 X10 Y10\nG92 X0 Y0\nG1 X5\nY5\n", "LL", {5, 5}, 10},
      {"G92 inside a contour", "G0 X0 Y0\nG1 X10\nG92 X0\nG1 X5\n", "LL", {15, 0}, 15},
      {"G52 moves the frame, G92.1 takes it back",
       "G0 X0 Y0\nG1 X10\nG52 X10\nG1 X10 Y10\nG92.1\nG1 X0\n",
       "LLL",
       {0, 10},
       30 + 10 * std::sqrt(2)},
      {"a Z repeated at its depth is no Z move",
       "G0 X0 Y0 Z1\nG1 Z-1\nG1 X10 Z-1. S900\nY10 Z-1\n",
       "LL",
       {10, 10},
       20},
      {"a helix flattened", "G0 X10 Y0 Z0\nG1 Z-1\nG3 I-10 Z-2\n", "C", {0, 0}, 20 * std::numbers::pi, Flattening()},
  };
  for (const auto& c : cases) {
    const Read read = ReadProgram(c.gcode, c.options);
    if (!read) {
      ADD_FAILURE() << c.name << ": " << FaultOf(read);
      continue;
    }
    EXPECT_FALSE(read->contours.empty()) << c.name;
    if (read->contours.empty()) continue;
    const geometry::Contour& contour = read->contours.front();
    EXPECT_EQ(Kinds(contour), c.kinds) << c.name;
    const geometry::PathWalk walk = WalkOf(contour);
    EXPECT_NEAR(walk.end.x, c.end.x, 1e-9) << c.name;
    EXPECT_NEAR(walk.end.y, c.end.y, 1e-9) << c.name;
    EXPECT_NEAR(walk.totalLength, c.length, 1e-9) << c.name;
    EXPECT_NEAR(geometry::ContourLength(contour), c.length, 1e-9) << c.name;
  }
}

// Rapids and moves in Z separate contours; parking and homing between them, drilling cycles and
// a program's end do not add cuts.
TEST(GcodeImport, ContoursAreRunsOfCutsAtOneDepth) {
  const struct {
    std::string name;
    std::string gcode;
    std::vector<int> firstLines;
    std::vector<Point> starts;
    std::vector<size_t> moves;
  } cases[] = {
      {"a post-processor's slot", kMilledSlot, {10}, {{10, 5}}, {4}},
      {"a rapid between", "G0 X0 Y0\nG1 X10\nG0 X20\nG1 X30\n", {2, 4}, {{0, 0}, {20, 0}}, {1, 1}},
      {"a retract and a plunge between",
       "G0 X0 Y0 Z5\nG1 Z-1 F100\nX10\nG1 Z5\nZ-1\nY10\n",
       {3, 6},
       {{0, 0}, {10, 0}},
       {1, 1}},
      {"a tool change between",
       "G0 X0 Y0\nG1 Z-1\nX10\nG0 Z5\nG91 G28 Z0\nG90 T2 M6\nG53 G0 Z0\nG0 X20 Y20\nG43 H2 Z5\nG1 Z-1\nX30\n",
       {3, 11},
       {{0, 0}, {20, 20}},
       {1, 1}},
      {"drilling cycles only position",
       "G0 X0 Y0 Z5\nG81 X5 Y5 Z-3 R1 F100\nX10\nG80\nG0 X0 Y0\nG1 Z-1\nG1 X20\n",
       {7},
       {{0, 0}},
       {1}},
      {"incremental cycle repeats", "G0 X0 Y0\nG91 G81 X5 Z-3 R1 L4\nG90 G1 X30\n", {3}, {{20, 0}}, {1}},
      {"after G55 and a rapid", "G54\nG0 X0 Y0\nG1 X10\nG55\nG0 X0 Y0\nG1 Y10\n", {3, 6}, {{0, 0}, {0, 0}}, {1, 1}},
      {"compensation off again before the cuts", "G0 X0 Y0\nG41 D1\nG40\nG0 X0 Y0\nG1 X10\n", {5}, {{0, 0}}, {1}},
      {"a closing % ends the program", "%\nG0 X0 Y0\nG1 X10\n%\nG0 X50 Y50\nG1 X60\n", {3}, {{0, 0}}, {1}},
      {"parking after the last contour", "G0 X0 Y0\nG1 X10\nG0 Z50\nG28\nG53 X-300 Y0\nM30\n", {2}, {{0, 0}}, {1}},
  };
  for (const auto& c : cases) {
    const Read read = ReadProgram(c.gcode);
    if (!read) {
      ADD_FAILURE() << c.name << ": " << FaultOf(read);
      continue;
    }
    const auto& contours = read->contours;
    EXPECT_EQ(contours.size(), c.firstLines.size()) << c.name;
    if (contours.size() != c.firstLines.size()) continue;
    for (size_t i = 0; i < contours.size(); ++i) {
      EXPECT_EQ(contours[i].firstLine, c.firstLines[i]) << c.name << " #" << i;
      EXPECT_TRUE(contours[i].startKnown) << c.name << " #" << i;
      EXPECT_NEAR(contours[i].start.x, c.starts[i].x, 1e-9) << c.name << " #" << i;
      EXPECT_NEAR(contours[i].start.y, c.starts[i].y, 1e-9) << c.name << " #" << i;
      EXPECT_EQ(contours[i].moves.size(), c.moves[i]) << c.name << " #" << i;
    }
  }
}

// Each fault with its whole message and the line it names, which is the line that caused it:
// a move that cuts from where an earlier line lost the tool names that earlier line.
TEST(GcodeImport, FaultsNameTheirLine) {
  const std::string beyondTolerance = ", more than the arc tolerance of 0.002 mm (--arc-tolerance MM sets it)";
  const struct {
    std::string gcode;
    int line;
    std::string message;
  } cases[] = {
      {"G21\nG18\nG0 X0 Y0\nG2 X10 Y0 R5\n", 4,
       "a clockwise arc in the XZ plane (G18 on line 2) cannot be read: arcs and cycles are read in the XY plane "
       "(G17) only"},
      {"G0 X10 Y0\nG2 X20 Y0 I3 J0\n", 2,
       "the arc's end point lies 4 mm off its circle of radius 3 mm" + beyondTolerance},
      {"G1 X10 Y\n", 1, "Y needs a number"},
      {"G0 X10 Y0\nG2 X20\n", 2, "an arc needs I and J or R"},
      {"G0 X10 Y0\nG2 X30 R5\n", 2, "R5 mm is too small for an end point 20 mm away" + beyondTolerance},
      {"G0 X10 Y0\nG3 X10 R5\n", 2, "an arc by R needs an end point away from its start; a full circle needs I and J"},
      {"G0 X10 Y0\nG2 X20 I5 R5\n", 2, "an arc takes I and J or R, not both"},
      {"G0 X10 Y0\nG3 X-10 I-10 P1.5\n", 2, "P on an arc counts its turns: a whole number from 1"},
      {"G0 X10 Y0\nG3 I0.0002\n", 2, "the arc's radius is within the join tolerance of 0"},
      {"X10\n", 1, "coordinates without G0, G1, G2 or G3 before them"},
      {"G0 X1 I1\n", 1, "I, J and R belong to arcs (G2, G3)"},
      {"G1 X1 X2\n", 1, "two X words"},
      {"G0 G1 X1\n", 1, "two motion words on one line: G1 is the second"},
      {"G92 G52 X1\n", 1, "G92 and G52 both use the axis words"},
      {"G1 F0\n", 1, "F must be greater than 0"},
      {"G0 X0\nG1 X1e3\n", 2, "X1e3: the number does not end where the word does"},
      {"G0 X1.2.3\n", 1, "X1.2.3: the number does not end where the word does"},
      {"G1 X1 #\n", 1, "#: variables and parameters (#) are not supported"},
      {"G1 X1 @\n", 1, "unexpected '@'"},
      {"G1 X1 \x01\n", 1, "unexpected byte 0x01"},
      {"G1 X12345678901\n", 1, "X12345678901 is out of range"},
      {"G1 X" + std::string(60, '7') + "\n", 1, "X" + std::string(39, '7') + "... is out of range"},
      {"%G1 X1\n", 1, "% stands alone on its line, not with G1"},
      {"G0 X0 Y0\nM98 P100\n", 2, "M98 (subprogram call) cannot be read"},
      {"G0 X0 Y0\nG1 X1 A5\n", 2, "unknown word A5"},
      {"G1 X10\n", 1, "the cut starts where no move before it has placed X: a G0 to the start comes first"},
      {"G0 X0 Y0 Z0\nG1 X10 Z-1\n", 2, "the cut moves in X/Y and Z at once (3-D work); --flatten drops its Z"},
      {"G0 X0 Y0\nG81 X5 Z-3 R1 L0.5\n", 2, "a cycle repeats a whole number of times from 1"},
      {"G0 X0 Y0\nG2\nG53 X-300\n", 3, "G53 moves with G0 or G1 only"},
      {"G0 X0 Y0\nG1 X10\nG53 G0 X-300\nG1 X20\n", 3,
       "G53 moves X in machine coordinates, which the file's coordinates do not give; line 4 cuts from there"},
      {"G0 X0 Y0\nG28\nG1 Y20\n", 2,
       "G28 sends Y to its home position, which the file does not give; line 3 cuts from there"},
      {"G54\nG0 X0 Y0\nG55\nG1 X10\n", 3,
       "G55 selects another coordinate system, whose origin the file does not give; line 4 cuts from there"},
      {"G0 X0 Y0\nG10 L2 P1 X5\nG1 X10\n", 2,
       "G10 changes the offsets the coordinates rest on; line 3 cuts from there"},
      {"G0 X0 Y0\nG41 D1\nG1 X10\n", 2, "G41 (cutter compensation) cannot be read; line 3 cuts with it in force"},
      {"G0 X0 Y0\nG42 G1 X10 D1\n", 2, "G42 (cutter compensation) cannot be read"},
      {"G0 X0 Y0\nG68 X0 Y0 R30\nG1 X10\n", 2, "G68 (rotation) cannot be read; line 3 cuts with it in force"},
      {"G0 X0 Y0\nG51 P2\nG1 X10\n", 2, "G51 (scaling) cannot be read; line 3 cuts with it in force"},
      {"G0 X0 Y0\nG93\nG1 X10 F2\n", 2, "G93 (inverse-time feed) cannot be read; line 3 cuts with it in force"},
      {"G0 X10 Y0\nG90.1\nG2 X-10 I0 J0\n", 2,
       "G90.1 (absolute arc centres) cannot be read; line 3 cuts with it in force"},
      {"G0 X0 Y0\nG41 D1\nG0 X5\nG40\nG1 X10\n", 2,
       "G41 (cutter compensation) moves the tool off the written points; line 5 cuts from there"},
      {"G0 X0 Y0\nG92.3\nG1 X10\n", 2,
       "G92.3 moves the frame by an offset the file does not give; line 3 cuts from there"},
      // The arc's miss waits for the file's precision, yet is told before a later line's fault.
      {"G0 X0 Y0\nG2 X12 Y0 I5 J0\nG1 Y1 Y2\n", 2,
       "the arc's end point lies 2 mm off its circle of radius 5 mm" + beyondTolerance},
  };
  for (const auto& c : cases) {
    const Read read = ReadProgram(c.gcode, Strict());
    if (read) {
      ADD_FAILURE() << c.gcode << ": read without a fault";
      continue;
    }
    EXPECT_EQ(read.Failure().line, c.line) << c.gcode;
    EXPECT_EQ(read.Failure().message, c.message) << c.gcode;
  }
}

// A read that stops at a fault keeps the notes it made before it.
TEST(GcodeImport, AFaultKeepsTheNotesBeforeIt) {
  const Read read = ReadProgram("(slot)\nT1 M6\nG0 X0 Y0\nG1 X10 F100\nG1 X10 A5\n", Strict());
  ASSERT_FALSE(read);
  EXPECT_EQ(FaultOf(read), "line 5: unknown word A5");
  EXPECT_EQ(read.Notes(),
            (std::vector<std::string>{"line 1: comment skipped", "line 2: T1 skipped", "line 2: M6 skipped"}));
}

// The tolerance follows the finest digit the file writes; rounded arcs within it pass, arcs
// beyond it are refused with the option that allows more.
TEST(GcodeImport, ArcsAreCheckedAsTheFilesPrecisionExplains) {
  const struct {
    std::string name;
    std::string gcode;
    double arcTolerance;  // mm set; 0: the file's own
    double expected;      // mm the arcs were checked with; 0: refused with `refusal`
    std::string refusal = "";
  } cases[] = {
      {"integers", "G0 X0 Y0\nG2 X10 Y0 I5 J0\n", 0, 0.002},
      {"3-decimal mm, 2 units off", "G0 X0. Y0.\nG2 X10.002 Y0. I5. J0.\n", 0, 2 * std::sqrt(2) * 0.001},
      {"3-decimal mm, 3 units off", "G0 X0. Y0.\nG2 X10.003 Y0. I5. J0.\n", 0, 0,
       "line 2: the arc's end point lies 0.003 mm off its circle of radius 5 mm, more than the arc tolerance of "
       "0.00282843 mm (--arc-tolerance MM sets it)"},
      {"4-decimal inch, 2 units off", "G20\nG0 X0. Y0.\nG2 X1.0002 Y0. I.5 J0.\n", 0, 2 * std::sqrt(2) * 0.00254},
      {"4-decimal inch, 3 units off", "G20\nG0 X0. Y0.\nG2 X1.0003 Y0. I.5 J0.\n", 0, 0,
       "line 3: the arc's end point lies 0.00762 mm off its circle of radius 12.7 mm, more than the arc tolerance "
       "of 0.0071842 mm (--arc-tolerance MM sets it)"},
      {"3 units off, the tolerance set", "G0 X0. Y0.\nG2 X10.003 Y0. I5. J0.\n", 0.005, 0.005},
      {"the finest digit anywhere counts", "G0 X0. Y0.\nG2 X10.003 Y0. I5. J0.\nG1 X20.0001\n", 0, 0,
       "line 2: the arc's end point lies 0.003 mm off its circle of radius 5 mm, more than the arc tolerance of "
       "0.002 mm (--arc-tolerance MM sets it)"},
      {"an R arc rounded short", "G0 X0 Y0\nG2 X10.005 Y0 R5.\n", 0.01, 0.01},
      {"an R arc short beyond the tolerance set", "G0 X0 Y0\nG2 X10.05 Y0 R5.\n", 0.01, 0,
       "line 2: R5 mm is too small for an end point 10.05 mm away, more than the arc tolerance of 0.01 mm "
       "(--arc-tolerance MM sets it)"},
  };
  for (const auto& c : cases) {
    geometry::GcodeOptions options;
    options.arcTolerance = c.arcTolerance;
    const Read read = ReadProgram(c.gcode, options);
    if (c.expected != 0) {
      EXPECT_TRUE(read) << c.name << ": " << FaultOf(read);
      if (read) {
        EXPECT_NEAR(read->arcTolerance, c.expected, 1e-12) << c.name;
      }
    } else {
      EXPECT_EQ(FaultOf(read), c.refusal) << c.name;
    }
  }
}

// A CAM program's chain of 400 arcs, each turning the other way, with end points and centres
// rounded to 3 decimals as a post-processor writes them.
std::string ArcChain(int count) {
  std::string gcode = "G21 G90 G17\nG0 X0. Y0.\nG1 Z-1. F500.\n";
  Point at{0, 0};
  double heading = 0.1;
  char line[128];
  for (int k = 0; k < count; ++k) {
    const double radius = 3.0 + 0.37 * (k % 4) + 0.0123456 * k;
    const double turn = geometry::Radians(30.0 + 7.0 * (k % 5)) * (k % 2 == 0 ? 1 : -1);
    const Point toCentre =
        radius * Point{-std::sin(heading) * (turn > 0 ? 1 : -1), std::cos(heading) * (turn > 0 ? 1 : -1)};
    const Point centre = at + toCentre;
    const double angle = std::atan2(-toCentre.y, -toCentre.x) + turn;
    const Point end = centre + radius * Point{std::cos(angle), std::sin(angle)};
    std::snprintf(line, sizeof line, "G%d X%.3f Y%.3f I%.3f J%.3f\n", turn > 0 ? 3 : 2, end.x, end.y, toCentre.x,
                  toCentre.y);
    gcode += line;
    at = end;
    heading += turn;
  }
  return gcode;
}

// Each segment runs from where the rounded ones before it end to its written end point, so
// every end point lies within the rounding of one segment, however long the chain.
TEST(GcodeImport, EveryArcOfAChainEndsOnItsWrittenPoint) {
  constexpr double kCount = 0.0005;  // mm per drive count
  geometry::Rounding drives;
  drives.length = [](double mm) { return std::round(mm / kCount) * kCount; };
  drives.angle = [](double radians) {
    return geometry::Radians(std::round(geometry::Degrees(radians) * 65536) / 65536);
  };
  const Read read = ReadProgram(ArcChain(400));
  ASSERT_TRUE(read) << FaultOf(read);
  ASSERT_EQ(read->contours.size(), 1u);
  const geometry::Contour& contour = read->contours.front();
  ASSERT_EQ(contour.moves.size(), 400u);
  const geometry::PathWalk walk = WalkOf(contour, drives);
  ASSERT_EQ(walk.segments.size(), 400u);
  for (size_t i = 0; i < walk.segments.size(); ++i) {
    const Point written = contour.moves[i].segment.end - contour.start;
    EXPECT_LE(std::abs(walk.segments[i].end.x - written.x) / kCount, 1.0) << "arc " << i + 1;
    EXPECT_LE(std::abs(walk.segments[i].end.y - written.y) / kCount, 1.0) << "arc " << i + 1;
  }
}

// Rounding each line on its own would lose the 0.04 of every step; heading each line for the
// program's point loses at most one step in all.
TEST(GcodeImport, RoundingDoesNotAddUpAlongLines) {
  std::string steps;
  for (int i = 1; i <= 50; ++i) steps += "G1 X" + std::to_string(i * 0.14) + "\n";
  geometry::Rounding toTenths;
  toTenths.length = [](double value) { return std::round(value * 10.0) / 10.0; };
  const Read read = ReadProgram("G0 X0 Y0\n" + steps);
  ASSERT_TRUE(read) << FaultOf(read);
  EXPECT_NEAR(WalkOf(read->contours.front(), toTenths).end.x, 7.0, 0.05 + 1e-9);
}

TEST(GcodeImport, SpeedsFollowTheMovesThatSetThem) {
  const Read read =
      ReadProgram("G21 G0 X0 Y0\nG1 X10 F600\nG1 X10.0001 F1200\nG1 X20\nG20 G1 X1 F10\nG0 X0\nG1 Y1\nG1 Y2 F20\n");
  ASSERT_TRUE(read) << FaultOf(read);
  ASSERT_EQ(read->contours.size(), 2u);
  const auto first = geometry::ToRelativePath(read->contours[0], {});
  const auto second = geometry::ToRelativePath(read->contours[1], {});
  ASSERT_EQ(first.size(), 3u);
  EXPECT_EQ(first[0].feed, 600.0);
  EXPECT_EQ(first[1].feed, 1200.0);  // passed on from the move that was joined
  EXPECT_EQ(first[2].feed, 254.0);
  ASSERT_EQ(second.size(), 2u);
  EXPECT_EQ(second[0].feed, 254.0);  // the speed in force where the contour starts
  EXPECT_EQ(second[1].feed, 508.0);
}

// Each kind of word skipped is told once with how often; --strict refuses only the unknown.
TEST(GcodeImport, SkippedWordsAreToldOnceEach) {
  std::string gcode = "%\nO1001\nN10 G21 G90 G17 G40 G49 G54 G80 G94\nT1 M6\nS1000 M3\nG0 X0 Y0 Z5\nG1 Z-1 F100\n";
  for (int i = 1; i <= 400; ++i) gcode += "N" + std::to_string(i * 10) + " X" + std::to_string(i) + " Z-1 S1000\n";
  gcode += "M5\nM30\n%\n";
  const Read read = ReadProgram(gcode, Strict());
  ASSERT_TRUE(read) << FaultOf(read);
  const std::vector<std::string> expected = {"line 2: O1001 skipped",
                                             "line 3: G49 skipped",
                                             "line 4: T1 skipped",
                                             "line 4: M6 skipped",
                                             "line 5: S1000 skipped (401 S words in all)",
                                             "line 5: M3 skipped",
                                             "line 408: M5 skipped"};
  EXPECT_EQ(read.Notes(), expected);

  const Read unknown = ReadProgram("G0 X0 Y0 Z-1 A5\nG1 X1 A6 (here)\nG1 Z-1\nG1 X1.0005\n", {});
  EXPECT_EQ(unknown.Notes(),
            (std::vector<std::string>{"line 1: unknown word A5 skipped (2 A words in all)", "line 2: comment skipped",
                                      "line 4: a cut shorter than the join tolerance joined"}));
}

}  // namespace
