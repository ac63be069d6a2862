#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geometry/core/PathWalk.h"
#include "geometry/core/RelativePath.h"
#include "tests/geometry/DriveRounding.h"

namespace {

using geometry::Point;

// A chain of `count` arcs of one kind, each leaving along the one before and turning the other
// way, placed exactly.
geometry::Contour ArcChain(int count, double radius, double turn) {
  geometry::Contour contour;
  contour.start = {1.0, 2.0};
  Point at = contour.start;
  double heading = 0.3;
  for (int k = 0; k < count; ++k) {
    const double side = k % 2 == 0 ? 1.0 : -1.0;
    const double r = radius * (1.0 + 0.01 * (k % 7));
    const Point centre = at + r * side * geometry::LeftOf(geometry::Direction(heading));
    const double start = geometry::HeadingOf(centre, at);
    const geometry::ContourSegment arc = geometry::ContourSegment::ArcRound(centre, r, start, side * turn);
    contour.moves.push_back({arc});
    at = arc.end;
    heading += side * turn;
  }
  return contour;
}

// Rounded to the drives, each arc of a long chain still ends within a count of its written end,
// and so does the chain: however large the radius, where rounding the radius and both angles on
// their own misses by the radius times the angles' rounding (1 um at a radius of 4 m).
TEST(RelativePath, EveryRoundedArcOfALongChainEndsWithinACountOfItsEnd) {
  const struct {
    double radius;  // mm
    double turn;    // degrees
  } cases[] = {{2.0, 170.0}, {40.0, 35.0}, {900.0, 0.6}, {25000.0, 0.02}, {1.0e6, 0.0005}, {30.0, 250.0}};
  for (const auto& c : cases) {
    const geometry::Contour contour = ArcChain(3000, c.radius, geometry::Radians(c.turn));
    const std::vector<geometry::PathSegment> path = RoundedToTheDrives(contour);
    ASSERT_EQ(path.size(), contour.moves.size());
    const std::string label = "radius " + std::to_string(c.radius) + ", turn " + std::to_string(c.turn);
    EXPECT_LE(FarthestFromWrittenEnds(contour, path), kDriveCount) << label;
    EXPECT_LE(Distance(contour.start + geometry::Walk(path).end, contour.moves.back().segment.end), kDriveCount)
        << label;
  }
}

}  // namespace
