#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/core/PathWalk.h"
#include "geometry/core/SegmentGeometry.h"

namespace {

using geometry::PathSegment;
using geometry::Point;

constexpr double pi = std::numbers::pi;

PathSegment Line(double dx, double dy) { return PathSegment::Line(dx, dy); }
// Angles in degrees, as a motion file writes them.
PathSegment Arc(double radius, double initialAngle, double angleIncrement) {
  return PathSegment::Arc(radius, geometry::Radians(initialAngle), geometry::Radians(angleIncrement));
}

struct PathCase {
  std::string name;
  std::vector<PathSegment> path;
  Point end;
  double length;
  bool closes;
  std::vector<double> cornersInDegrees;  // at the joint before each segment
};

TEST(PathWalk, EndPointsLengthsAndCornersOfPaths) {
  const PathCase cases[] = {
      {"the demo's rounded rectangle",
       {Line(80, 0), Arc(10, -90, 90), Line(0, 40), Arc(10, 0, 90), Line(-80, 0), Arc(10, 90, 90), Line(0, -40),
        Arc(10, 180, 90)},
       {0, 0},
       240 + 20 * pi,
       true,
       {0, 0, 0, 0, 0, 0, 0, 0}},
      {"a slot",
       {Line(50, 0), Arc(5, -90, 180), Line(-50, 0), Arc(5, 90, 180)},
       {0, 0},
       100 + 10 * pi,
       true,
       {0, 0, 0, 0}},
      {"a square", {Line(10, 0), Line(0, 10), Line(-10, 0), Line(0, -10)}, {0, 0}, 40, true, {0, 90, 90, 90}},
      {"a quarter turn counterclockwise starting east of its centre", {Arc(10, 0, 90)}, {-10, 10}, 5 * pi, false, {0}},
      {"a quarter turn clockwise starting east of its centre", {Arc(10, 0, -90)}, {-10, -10}, 5 * pi, false, {0}},
      {"a full circle", {Arc(25, 0, 360)}, {0, 0}, 50 * pi, true, {0}},
      {"two turns and a quarter", {Arc(1, 90, -810)}, {1, -1}, 4.5 * pi, false, {0}},
      // The example of docs/geometry.md.
      {"a line, a half turn and a line back",
       {Line(100, 0), Arc(50, -90, 180), Line(0, -100)},
       {100, 0},
       200 + 50 * pi,
       false,
       {0, 0, 90}},
      {"a reversal", {Line(10, 0), Line(-10, 0)}, {0, 0}, 20, true, {0, 180}},
  };
  for (const PathCase& c : cases) {
    const geometry::PathWalk walk = geometry::Walk(c.path);
    EXPECT_NEAR(walk.end.x, c.end.x, 1e-9) << c.name;
    EXPECT_NEAR(walk.end.y, c.end.y, 1e-9) << c.name;
    EXPECT_NEAR(walk.totalLength, c.length, 1e-9) << c.name;
    EXPECT_EQ(geometry::Closes(walk), c.closes) << c.name;
    EXPECT_EQ(walk.segments.size(), c.cornersInDegrees.size()) << c.name;
    if (walk.segments.size() != c.cornersInDegrees.size()) continue;
    for (size_t i = 0; i < walk.segments.size(); ++i)
      EXPECT_NEAR(geometry::Degrees(walk.segments[i].cornerAngle), c.cornersInDegrees[i], 1e-9) << c.name << " " << i;
    EXPECT_NEAR(walk.segments.back().cumulativeLength, c.length, 1e-9) << c.name;
  }
}

// Headings follow the direction of travel; an arc's runs a quarter turn ahead of its radius
// when it turns counterclockwise and behind it when it turns clockwise.
TEST(PathWalk, HeadingsAndBoundsOfArcs) {
  const struct {
    PathSegment arc;
    double headingIn, headingOut;  // degrees
    Point min, max;
  } cases[] = {
      {Arc(10, -90, 90), 0, 90, {0, 0}, {10, 10}},
      {Arc(10, 90, -90), 0, -90, {0, -10}, {10, 0}},
      {Arc(10, 0, 180), 90, -90, {-20, 0}, {0, 10}},
      {Arc(10, 45, 360), 135, 135, {-17.0710678, -17.0710678}, {2.9289322, 2.9289322}},
  };
  for (const auto& c : cases) {
    const geometry::PathWalk walk = geometry::Walk({c.arc});
    EXPECT_NEAR(geometry::Degrees(walk.segments[0].headingIn), c.headingIn, 1e-9);
    EXPECT_NEAR(geometry::Degrees(walk.segments[0].headingOut), c.headingOut, 1e-9);
    EXPECT_NEAR(walk.bounds.min.x, c.min.x, 1e-6);
    EXPECT_NEAR(walk.bounds.min.y, c.min.y, 1e-6);
    EXPECT_NEAR(walk.bounds.max.x, c.max.x, 1e-6);
    EXPECT_NEAR(walk.bounds.max.y, c.max.y, 1e-6);
  }
}

}  // namespace
