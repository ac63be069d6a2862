#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geometry/GcodeReader.h"
#include "geometry/PathWalk.h"
#include "geometry/RelativePath.h"
#include "geometry/SegmentGeometry.h"

namespace {

using geometry::Point;

struct Imported {
  bool read = false;
  geometry::GcodePath path;
  geometry::GcodeError error;
  std::vector<geometry::ImportedSegment> segments;
  geometry::PathWalk walk;
};

Imported Import(const std::string& gcode, const geometry::Rounding& rounding = {}, bool strict = false) {
  Imported imported;
  geometry::GcodeOptions options;
  options.strict = strict;
  imported.read = geometry::ReadGcode(gcode, options, imported.path, imported.error);
  imported.segments = geometry::ToRelativePath(imported.path, rounding);
  std::vector<geometry::PathSegment> segments;
  for (const auto& segment : imported.segments) segments.push_back(segment.segment);
  imported.walk = geometry::Walk(segments);
  return imported;
}

// Each program's contour ends where the program does, seen from where the contour starts.
TEST(GcodeImport, ContoursEndWhereTheProgramEnds) {
  const struct {
    std::string name;
    std::string gcode;
    std::string kinds;  // L or C per segment
    Point end;          // from the contour's start
    double length;
  } cases[] = {
      {"slot by I/J and R",
       "G21 G90\nG0 X10 Y5\nG1 X60 F600\nG3 X60 Y15 I0 J5\nG1 X10\nG3 X10 Y5 R5\n",
       "LCLC",
       {0, 0},
       100 + 10 * std::numbers::pi},
      {"circle by I/J", "G0 X25 Y0\nG3 X25 Y0 I-25 J0\n", "C", {0, 0}, 50 * std::numbers::pi},
      {"circle by R in two halves", "G0 X10\nG2 X-10 R10\nX10 R10\n", "CC", {0, 0}, 20 * std::numbers::pi},
      {"inches, incremental",
       "G20 G91\nG1 X1 F20\nG2 X0.5 Y-0.5 R0.5\nG1 Y-1\n",
       "LCL",
       {38.1, -38.1},
       25.4 + 25.4 + 6.35 * std::numbers::pi},
      {"the long arc by a negative R", "G1 X0 Y0\nG3 X10 Y10 R-10\n", "C", {10, 10}, 15 * std::numbers::pi},
      {"the short arc by R", "G1 X0 Y0\nG3 X10 Y10 R10\n", "C", {10, 10}, 5 * std::numbers::pi},
      {"a clockwise I/J arc over three quarters",
       "G1 X0 Y0\nG2 X10 Y-10 I10 J0\n",
       "C",
       {10, -10},
       15 * std::numbers::pi},
      {"millimetres after inches", "G20\nG1 X1\nG21\nG1 X0\n", "LL", {0, 0}, 50.8},
      {"points within the join tolerance merged",
       "G1 X10\nG1 X10.0004\nG1 Y10\n",
       "LL",
       {10.0004, 10},
       10 + std::hypot(0.0004, 10)},
      {"comments, line numbers and unknown words skipped",
       "N10 G1 X5 (to the right) M3\n%\nN20 Y5 ; up\n",
       "LL",
       {5, 5},
       10},
  };
  for (const auto& c : cases) {
    const Imported imported = Import(c.gcode);
    ASSERT_TRUE(imported.read) << c.name << ": line " << imported.error.line << ": " << imported.error.message;
    std::string kinds;
    for (const auto& segment : imported.segments)
      kinds += segment.segment.kind == geometry::PathSegment::Kind::Linear ? 'L' : 'C';
    EXPECT_EQ(kinds, c.kinds) << c.name;
    EXPECT_NEAR(imported.walk.end.x, c.end.x, 1e-9) << c.name;
    EXPECT_NEAR(imported.walk.end.y, c.end.y, 1e-9) << c.name;
    EXPECT_NEAR(imported.walk.end.x, imported.path.end.x - imported.path.start.x, 1e-9) << c.name;
    EXPECT_NEAR(imported.walk.end.y, imported.path.end.y - imported.path.start.y, 1e-9) << c.name;
    EXPECT_NEAR(imported.walk.totalLength, c.length, 1e-9) << c.name;
  }
}

TEST(GcodeImport, FaultsNameTheirLine) {
  const struct {
    std::string gcode;
    int line;
    std::string message;
  } cases[] = {
      {"G21\nG18\nG1 X1\n", 2, "only the XY plane (G17) can be read, not G18"},
      {"G1 X10\nG2 X20 Y0 I3 J0\n", 2, "the arc's end point lies 4 mm off its circle of radius 3 mm"},
      {"G1 X10 Y\n", 1, "Y needs a number"},
      {"G1 X10\nG2 X20\n", 2, "an arc needs I and J or R"},
      {"G1 X10\nG2 X30 R5\n", 2, "R5 mm is too small for an end point 20 mm away"},
      {"G1 X10\nG3 X10 R5\n", 2, "an arc by R needs an end point away from its start"},
      {"G1 X10\nG2 X20 I5 R5\n", 2, "an arc takes I and J or R, not both"},
      {"X10\n", 1, "coordinates without G0, G1, G2 or G3 before them"},
      {"G1 X1 I1\n", 1, "I, J and R belong to arcs"},
      {"G1 X1 X2\n", 1, "two X words"},
      {"G1 F0\n", 1, "F must be greater than 0"},
      {"G1 X1e99999\n\n", 1, "unknown word e99999"},
      {"G1 X1 #\n", 1, "unexpected '#'"},
      {"G1 X12345678901\n", 1, "X12345678901 is out of range"},
  };
  for (const auto& c : cases) {
    const Imported imported = Import(c.gcode, {}, true);
    EXPECT_FALSE(imported.read) << c.gcode;
    EXPECT_EQ(imported.error.line, c.line) << c.gcode;
    EXPECT_NE(imported.error.message.find(c.message), std::string::npos) << c.gcode << imported.error.message;
  }
}

// Rounding each move on its own would lose the 0.04 of every step; heading each line for the
// program's point loses at most one step in all.
TEST(GcodeImport, RoundingDoesNotAddUpAlongThePath) {
  std::string steps;
  for (int i = 1; i <= 50; ++i) steps += "G1 X" + std::to_string(i * 0.14) + "\n";
  geometry::Rounding toTenths;
  toTenths.length = [](double value) { return std::round(value * 10.0) / 10.0; };
  const Imported imported = Import("G1 X0\n" + steps, toTenths);
  ASSERT_TRUE(imported.read);
  EXPECT_NEAR(imported.walk.end.x, 7.0, 0.05 + 1e-9);
  EXPECT_EQ(imported.segments.front().line, 2);
}

TEST(GcodeImport, SpeedsFollowTheMovesThatSetThem) {
  const Imported imported = Import("G21 G1 X10 F600\nG1 X10.0001 F1200\nG1 X20\nG20 G1 X1 F10\n");
  ASSERT_TRUE(imported.read);
  ASSERT_EQ(imported.segments.size(), 3u);
  EXPECT_EQ(imported.segments[0].feed, 600.0);
  EXPECT_EQ(imported.segments[1].feed, 1200.0);  // passed on from the move that was joined
  EXPECT_EQ(imported.segments[2].feed, 254.0);
}

}  // namespace
