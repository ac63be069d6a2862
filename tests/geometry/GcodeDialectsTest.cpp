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

}  // namespace
