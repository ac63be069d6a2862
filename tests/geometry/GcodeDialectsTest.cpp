#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/core/RelativePath.h"
#include "geometry/core/SegmentGeometry.h"
#include "geometry/gcode/GcodeReader.h"

// G-code as post-processors and people write it: a mill post with program and line numbers, tool
// changes and work offsets, a hobby controller's lowercase lines without blanks, laser and plasma
// posts that switch the beam per contour and never move Z, inch files with four decimals.
namespace {

using geometry::Point;
using Read = Result<geometry::GcodeProgram>;

// mm: a drive count that divides none of the files' digits, so that the rounded path drifts off
// the written points between them; what is checked against the file may be off by that much.
constexpr double kCount = 0.0007;
constexpr double kWithinCounts = 0.001;

geometry::Rounding DriveCounts() {
  geometry::Rounding rounding;
  rounding.length = [](double mm) { return std::round(mm / kCount) * kCount; };
  return rounding;
}

std::string FaultOf(const Read& read) {
  return read ? "no fault" : "line " + std::to_string(read.Failure().line) + ": " + read.Failure().message;
}

geometry::GcodeOptions WithArcTolerance(double mm) {
  geometry::GcodeOptions options;
  options.arcTolerance = mm;
  return options;
}

geometry::GcodeOptions RunningDeletedLines() {
  geometry::GcodeOptions options;
  options.blockDelete = false;
  return options;
}

// A segment as the motion runs it, placed in the program's coordinates: where it ends and, for an
// arc, its centre and radius.
struct Placed {
  char kind;  // 'L' or 'C'
  Point end;
  Point centre = {};
  double radius = 0.0;
};

std::vector<Placed> PlacedSegments(const geometry::Contour& contour) {
  std::vector<Placed> placed;
  Point at = contour.start;
  for (const geometry::ImportedSegment& imported : geometry::ToRelativePath(contour, DriveCounts())) {
    const geometry::PathSegment& segment = imported.segment;
    const bool arc = segment.kind == geometry::PathSegment::Kind::Circular;
    const Point centre = arc ? at + geometry::ArcCentre(segment) : Point{};
    at = at + geometry::Displacement(segment);
    placed.push_back({arc ? 'C' : 'L', at, centre, arc ? segment.radius : 0.0});
  }
  return placed;
}

void ExpectNear(Point actual, Point expected, const std::string& what) {
  EXPECT_NEAR(actual.x, expected.x, kWithinCounts) << what;
  EXPECT_NEAR(actual.y, expected.y, kWithinCounts) << what;
}

// The bore of the report that found the fault: five full circles, each after a step-over, about
// one centre (0.65, 0) in inches, as a mill post writes it.
const char kInchBore[] =
    "%\n"
    "O2001 (BORE 1.3 DIA)\n"
    "N10 G20 G90 G17 G40 G49 G80\n"
    "N20 T4 M6\n"
    "N30 S6000 M3\n"
    "N40 G54 G0 X0.75 Y0.\n"
    "N50 G43 H4 Z0.1 M8\n"
    "N60 G1 Z-0.2 F5.\n"
    "N70 G3 I-0.1 J0. F12.\n"
    "N80 G1 X0.85\n"
    "N90 G3 I-0.2 J0.\n"
    "N100 G1 X0.95\n"
    "N110 G3 I-0.3 J0.\n"
    "N120 G1 X1.05\n"
    "N130 G3 I-0.4 J0.\n"
    "N140 G1 X1.15\n"
    "N150 G3 I-0.5 J0.\n"
    "N160 G0 Z0.1\n"
    "N170 M9\n"
    "N180 M5\n"
    "N190 G91 G28 Z0.\n"
    "N200 M30\n"
    "%\n";

// The same bore written with four decimals and each circle's end written at its start.
const char kInchBoreFourDecimals[] =
    "O2002\n"
    "N10 G20 G90 G17\n"
    "N20 G54 G0 X0.7500 Y0.0000\n"
    "N30 G1 Z-0.2000 F5.0\n"
    "N40 G3 X0.7500 Y0.0000 I-0.1000 J0.0000 F12.0\n"
    "N50 G1 X0.8500 Y0.0000\n"
    "N60 G3 X0.8500 Y0.0000 I-0.2000 J0.0000\n"
    "N70 G1 X0.9500 Y0.0000\n"
    "N80 G3 X0.9500 Y0.0000 I-0.3000 J0.0000\n"
    "N90 G1 X1.0500 Y0.0000\n"
    "N100 G3 X1.0500 Y0.0000 I-0.4000 J0.0000\n"
    "N110 G1 X1.1500 Y0.0000\n"
    "N120 G3 X1.1500 Y0.0000 I-0.5000 J0.0000\n"
    "N130 G0 Z0.1000\n"
    "N140 M30\n";

std::vector<Placed> BoreSegments() {
  constexpr double kInch = 25.4;
  const Point centre{0.65 * kInch, 0.0};
  std::vector<Placed> segments;
  for (int pass = 1; pass <= 5; ++pass) {
    const Point onCircle{(0.65 + 0.1 * pass) * kInch, 0.0};
    if (pass > 1) segments.push_back({'L', onCircle});
    segments.push_back({'C', onCircle, centre, 0.1 * pass * kInch});
  }
  return segments;
}

// Each segment's end, centre and radius, from the file: a full circle is centred at its start
// plus (I, J), wherever the moves before it end.
TEST(GcodeDialects, FullCirclesAreCentredAtTheirStartPlusIJ) {
  const struct {
    std::string name;
    std::string gcode;
    std::vector<Placed> segments;
  } cases[] = {
      {"an inch bore of five passes with step-overs", kInchBore, BoreSegments()},
      {"the bore with four decimals and written ends", kInchBoreFourDecimals, BoreSegments()},
      {"a circle by J, then one by I and J from the same point",
       "G21 G90 G17\nG0 X0. Y0.\nG1 Z-1. F200.\nG3 J-30.\nG2 I10. J5.\n",
       {{'C', {0, 0}, {0, -30}, 30}, {'C', {0, 0}, {10, 5}, std::hypot(10.0, 5.0)}}},
      {"a large circle, then one whose I is tiny",
       "G21 G90 G17\nG0 X0. Y0.\nG1 Z-1. F200.\nG3 I-30.\nG2 I0.001 J10.\n",
       {{'C', {0, 0}, {-30, 0}, 30}, {'C', {0, 0}, {0.001, 10}, std::hypot(0.001, 10.0)}}},
      {"a hobby controller's lowercase lines without blanks",
       "g21g90\ng0x10y0\ng1z-1f300\ng2i-10j0\ng1x20\ng2i-20j0\ng0z5\nm30\n",
       {{'C', {10, 0}, {0, 0}, 10}, {'L', {20, 0}}, {'C', {20, 0}, {0, 0}, 20}}},
      {"a plasma hole after its lead-in",
       "G21 G90\nG0 X52.1 Y50.3\nM3\nG1 X55. Y50. F2000.\nG3 X55. Y50. I-5. J0.\nG1 X52.1 Y50.3\nM5\n",
       {{'L', {55, 50}}, {'C', {55, 50}, {50, 50}, 5}, {'L', {52.1, 50.3}}}},
      {"a slot's end circle after an arc by R",
       "G21\nG0 X0 Y0\nG1 Z-1 F100\nG3 X20.003 Y0 R10.0015\nG2 I-10.0015 J0\n",
       {{'C', {20.003, 0}, {10.0015, 0}, 10.0015}, {'C', {20.003, 0}, {10.0015, 0}, 10.0015}}},
  };
  for (const auto& c : cases) {
    const Read read = geometry::ReadGcode(c.gcode, {});
    if (!read || read->contours.size() != 1) {
      ADD_FAILURE() << c.name << ": " << FaultOf(read);
      continue;
    }
    const std::vector<Placed> placed = PlacedSegments(read->contours.front());
    ASSERT_EQ(placed.size(), c.segments.size()) << c.name;
    for (size_t i = 0; i < placed.size(); ++i) {
      const std::string what = c.name + ", segment " + std::to_string(i + 1);
      EXPECT_EQ(placed[i].kind, c.segments[i].kind) << what;
      ExpectNear(placed[i].end, c.segments[i].end, what + " end");
      if (c.segments[i].kind != 'C') continue;
      ExpectNear(placed[i].centre, c.segments[i].centre, what + " centre");
      EXPECT_NEAR(placed[i].radius, c.segments[i].radius, kWithinCounts) << what << " radius";
    }
  }
}

// What a contour comes to: where it starts, how many moves it has and how long it is.
struct Shape {
  Point start;
  size_t moves;
  double length;
};

std::vector<Shape> ShapesOf(const geometry::GcodeProgram& program) {
  std::vector<Shape> shapes;
  for (const geometry::Contour& contour : program.contours)
    shapes.push_back({contour.start, contour.moves.size(), geometry::ContourLength(contour)});
  return shapes;
}

// A laser post's square with a pierce dwell at each corner, in each dwell's spelling.
std::string LaserSquare(const std::string& dwell) {
  return "; laser post\nG21\nG90\nG0 X0 Y0\nM3 S800\n" + dwell + "\nG1 X60 F3000\n" + dwell + "\nG1 Y60\n" + dwell +
         "\nG1 X0\n" + dwell + "\nG1 Y0\nM5\n";
}

// Programs read whole, each contour as the file draws it, with the notes they make.
TEST(GcodeDialects, ProgramsReadAsTheirPostsMeanThem) {
  const Shape square{{0, 0}, 4, 240};
  const struct {
    std::string name;
    std::string gcode;
    std::vector<Shape> contours;
    std::vector<std::string> notes;
    geometry::GcodeOptions options = {};
  } cases[] = {
      {"a dwell in seconds by X",
       LaserSquare("G04 X0.5"),
       {square},
       {"line 1: comment skipped", "line 5: M3 skipped", "line 5: S800 skipped",
        "line 6: G04 skipped (4 G4 words in all)", "line 14: M5 skipped"}},
      {"a dwell in milliseconds by P",
       LaserSquare("G4 P500"),
       {square},
       {"line 1: comment skipped", "line 5: M3 skipped", "line 5: S800 skipped",
        "line 6: G4 skipped (4 G4 words in all)", "line 14: M5 skipped"}},
      {"a dwell by U",
       LaserSquare("G04 U0.25"),
       {square},
       {"line 1: comment skipped", "line 5: M3 skipped", "line 5: S800 skipped",
        "line 6: G04 skipped (4 G4 words in all)", "line 14: M5 skipped"}},
      {"a plasma post: pierce, cut, off, per contour",
       "G21 G90\nG0 X0 Y0\nM3\nG4 P0.8\nG1 X10 F2000\nM5\nG0 X20 Y0\nM3\nG4 P0.8\nG1 X30 Y5\nM5\nM30\n",
       {{{0, 0}, 1, 10}, {{20, 0}, 1, std::hypot(10.0, 5.0)}},
       {"line 3: M3 skipped (2 M3 words in all)", "line 4: G4 skipped (2 G4 words in all)",
        "line 6: M5 skipped (2 M5 words in all)"}},
      {"a mill post's preamble that cancels the cycle beside a rapid",
       "%\nO1001\nN10 G00 G17 G40 G49 G80 G90 G21\nN20 T1 M06\nN30 G54 G0 X0. Y0.\nN40 G43 H1 Z20.\n"
       "N50 G1 Z-1. F300.\nN60 X50.\nN70 G80 G00 Z20.\nN80 M30\n%\n",
       {{{0, 0}, 1, 50}},
       {"line 2: O1001 skipped", "line 3: G49 skipped", "line 4: T1 skipped", "line 4: M06 skipped",
        "line 6: G43 skipped", "line 6: H1 skipped"}},
      {"G80 beside a cut: the cut sets the mode",
       "G0 X0 Y0 Z5\nG81 X5 Y5 Z-3 R1\nG80 G1 Z-1 F100\nG1 X20\n",
       {{{5, 5}, 1, 15}},
       {"line 2: a drilling cycle: only the positions it moves to are read"}},
      {"a preamble that names every plane before it cuts in XY",
       "G18\nG19\nG17\nG0 X0 Y0\nG1 Z-1 F100\nG2 X20 Y0 R10\n",
       {{{0, 0}, 1, 10 * std::numbers::pi}},
       {}},
      {"straight cuts while another plane is in force",
       "G18\nG0 X0 Y0\nG1 Z-1 F100\nG1 X10\nG1 Y10\n",
       {{{0, 0}, 2, 20}},
       {}},
      {"blanks inside words", "G 0 X 0 Y 0\nG1 Z -1 F 100\nG 01 X 1 0 .5\nY- 2\n", {{{0, 0}, 2, 10.5 + 2}}, {}},
      {"lines skipped by block delete",
       "G0 X0 Y0\nG1 Z-1 F100\n/N15 M01\nG1 X10\n/ G1 Y10\n/2 G1 Y20\nG1 Y5\n",
       {{{0, 0}, 2, 15}},
       {"line 3: block delete: a line starting with / skipped; --block-delete off runs such lines "
        "(3 such lines in all)"}},
      {"lines of block delete run",
       "G0 X0 Y0\nG1 Z-1 F100\n/N15 M01\nG1 X10\n/ G1 Y10\n/2 G1 Y20\nG1 Y5\n",
       {{{0, 0}, 4, 10 + 10 + 10 + 15}},
       {"line 3: M01 skipped"},
       RunningDeletedLines()},
      {"an unknown G word alone",
       "G0 X0 Y0\nG7\nG1 Z-1 F100\nG1 X10\n",
       {{{0, 0}, 1, 10}},
       {"line 2: unknown word G7 skipped"}},
      {"work offsets of a numbered system", "G54.1 P2\nG0 X5 Y5\nG1 Z-1 F100\nG1 X10\n", {{{5, 5}, 1, 5}}, {}},
  };
  for (const auto& c : cases) {
    const Read read = geometry::ReadGcode(c.gcode, c.options);
    if (!read) {
      ADD_FAILURE() << c.name << ": " << FaultOf(read);
      continue;
    }
    EXPECT_EQ(read.Notes(), c.notes) << c.name;
    const std::vector<Shape> shapes = ShapesOf(read.Value());
    ASSERT_EQ(shapes.size(), c.contours.size()) << c.name;
    for (size_t i = 0; i < shapes.size(); ++i) {
      const std::string what = c.name + ", contour " + std::to_string(i + 1);
      EXPECT_NEAR(shapes[i].start.x, c.contours[i].start.x, 1e-9) << what;
      EXPECT_NEAR(shapes[i].start.y, c.contours[i].start.y, 1e-9) << what;
      EXPECT_EQ(shapes[i].moves, c.contours[i].moves) << what;
      EXPECT_NEAR(shapes[i].length, c.contours[i].length, 1e-9) << what;
    }
  }
}

// What cannot be read exactly is refused with the line it is on, and the message says what the
// construct is.
TEST(GcodeDialects, WhatCannotBeReadExactlyIsRefusedWithItsLine) {
  const std::string beyondTheCap = ", more than the arc tolerance of 0.013 mm (--arc-tolerance MM sets it)";
  const struct {
    std::string gcode;
    int line;
    std::string message;
    geometry::GcodeOptions options = {};
  } cases[] = {
      {"G0 X0 Y0\nG1 Z-1 F100\nG31 X30 F100\n", 3, "G31 (probing) cannot be read"},
      {"G0 X0 Y0\nG1 Z-1 F100\nG12 I5 F100\n", 3,
       "unknown word G12 on a line with axis words: what it does with them cannot be read"},
      {"G0 X0 Y0\nG1 Z-1 F100\nX10 G7.5\n", 3,
       "unknown word G7.5 on a line with axis words: what it does with them cannot be read"},
      {"G0 X20. Y0.\nG1 Z-1. F100.\nG3 X30.2 Y10. I0. J10.\n", 3,
       "the arc's end point lies 0.2 mm off its circle of radius 10 mm" + beyondTheCap},
      {"G0 X20. Y0.\nG1 Z-1. F100.\nG3 X40. Y0. R9.9\n", 3,
       "R9.9 mm is too small for an end point 20 mm away" + beyondTheCap},
      {"G0 X20. Y0.\nG3 X40. Y0. R9.9\n", 2,
       "R9.9 mm is too small for an end point 20 mm away, more than the arc "
       "tolerance of 0.1 mm (--arc-tolerance MM sets it)",
       WithArcTolerance(0.1)},
      {"G0 X0 Y0 Z5\nG81 G0 X5 Y5\n", 2, "two motion words on one line: G0 is the second"},
      {"G0 X0 Y0\nG2 G80 G3 X10 R5\n", 2, "two motion words on one line: G3 is the second"},
      {"G21\nG18\nG0 X0 Y0\nG1 Z-1 F100\nG3 X10 Z-5 I5 K0\n", 5,
       "a counterclockwise arc in the XZ plane (G18 on line 2) cannot be read: arcs and cycles are read in the "
       "XY plane (G17) only"},
      {"G19\nG0 X0 Y0 Z5\nG81 X5 Y5 Z-3 R1\n", 3,
       "a drilling cycle in the YZ plane (G19 on line 1) cannot be read: arcs and cycles are read in the XY plane "
       "(G17) only"},
      {"%\no100 sub\nG1 X[#1]\no100 endsub\n", 2,
       "o100 sub: o-words (subprograms, loops and conditions) are not supported"},
      {"O200 IF [#1 GT 0]\n", 1, "O200 IF: o-words (subprograms, loops and conditions) are not supported"},
      {"o<probe> call\n", 1, "o<probe>: o-words (subprograms, loops and conditions) are not supported"},
      {"G0 X0 Y0\n(plunge (slowly) now)\n", 2,
       "(plunge (slowly) now): a comment inside a comment (nested parentheses) is not supported"},
      {"#1=5\nG0 X#1\n", 1, "#1=5: variables and parameters (#) are not supported"},
      {"G0 X#1 Y0\n", 1, "X#1: variables and parameters (#) are not supported"},
      {"G0 X[#1*2] Y0\n", 1, "X[#1*2]: expressions in brackets ([...]) are not supported"},
      {"G0 X0 Y0\n[1+2]\n", 2, "[1+2]: expressions in brackets ([...]) are not supported"},
  };
  for (const auto& c : cases) {
    const Read read = geometry::ReadGcode(c.gcode, c.options);
    if (read) {
      ADD_FAILURE() << c.gcode << ": read without a fault";
      continue;
    }
    EXPECT_EQ(read.Failure().line, c.line) << c.gcode;
    EXPECT_EQ(read.Failure().message, c.message) << c.gcode;
  }
}

// The default arc tolerance follows the file's digits up to 0.013 mm; --arc-tolerance may set more.
// An R short of half its chord by less than the tolerance is widened to the half circle.
TEST(GcodeDialects, TheArcToleranceIsCappedUnlessSet) {
  const struct {
    std::string name;
    std::string gcode;
    double arcTolerance;  // mm set; 0: the file's own
    double expected;      // mm the arcs were checked with
  } cases[] = {
      {"one decimal", "G0 X20.5 Y0.\nG3 X30.5 Y10. I0. J10.\n", 0, 0.013},
      {"two decimals", "G0 X20.05 Y0.\nG3 X30.05 Y10. I0. J10.\n", 0, 0.013},
      {"three-decimal inches", "G20\nG0 X1.001 Y0.\nG3 X1.501 Y0.5 I0. J0.5\n", 0, 0.013},
      {"four-decimal inches", "G20\nG0 X1.0001 Y0.\nG3 X1.5001 Y0.5 I0. J0.5\n", 0, 2 * std::sqrt(2) * 0.00254},
      {"one decimal, 0.2 mm off, with the tolerance set", "G0 X20. Y0.\nG3 X30.2 Y10. I0. J10.\n", 0.25, 0.25},
  };
  for (const auto& c : cases) {
    const Read read = geometry::ReadGcode(c.gcode, WithArcTolerance(c.arcTolerance));
    ASSERT_TRUE(read) << c.name << ": " << FaultOf(read);
    EXPECT_NEAR(read->arcTolerance, c.expected, 1e-12) << c.name;
  }
  const Read widened = geometry::ReadGcode("G0 X20. Y0.\nG3 X40. Y0. R9.995\n", WithArcTolerance(0.02));
  ASSERT_TRUE(widened) << FaultOf(widened);
  const geometry::ContourSegment& arc = widened->contours.front().moves.front().segment;
  EXPECT_NEAR(arc.centre.x, 30.0, 1e-9);
  EXPECT_NEAR(arc.centre.y, 0.0, 1e-9);
  EXPECT_NEAR(arc.sweep, std::numbers::pi, 1e-9);
}

// The work coordinate system and offset where each contour starts, for the contour list.
TEST(GcodeDialects, EachContourKnowsTheOffsetInForce) {
  const Read read = geometry::ReadGcode(
      "G21 G90\nG0 X0 Y0\nG1 Z-1 F100\nG1 X10\nG0 Z5\n"
      "G54\nG0 X0 Y0\nG1 Z-1\nG1 X10\nG0 Z5\n"
      "G55 G52 X50 Y25\nG0 X0 Y0\nG1 Z-1\nG1 Y10\nG0 Z5\n"
      "G92 X0 Y0\nG1 Z-1\nG1 X5\nG0 Z5\n"
      "G92.1\nG54.1 P3\nG0 X1 Y1\nG1 Z-1\nG1 X2\n",
      {});
  ASSERT_TRUE(read) << FaultOf(read);
  EXPECT_EQ(read->offsets, (std::vector<std::string>{"", "G54", "G55, G52 offset X 50.0000 Y 25.0000",
                                                     "G55, G92 offset X 50.0000 Y 35.0000", "G54.1 P3"}));
}

}  // namespace
