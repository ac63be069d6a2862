#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "geometry/offset/ContourOffset.h"
#include "geometry/offset/ContourOrientation.h"
#include "tests/geometry/OffsetDeviation.h"
#include "tests/geometry/OffsetShapes.h"
#include "tests/support/PropertyCases.h"

// Random contours of lines and arcs, closed and open, offset by random distances: every point of
// the offset lies at the distance from the contour and no point of the contour nearer to it, as
// sampling measures it, and the offset has a few segments for each of the contour's.
namespace {

using geometry::Contour;
using geometry::OffsetOptions;
using geometry::OffsetSide;
using geometry::Point;
using offsetshapes::Edge;

constexpr double kPi = std::numbers::pi;
constexpr double kTolerance = 1e-6;  // mm
// The most segments of the offset for each of the contour's: a parallel and a corner arc for each
// quarter turn, and the cuts where the offset comes too near.
constexpr size_t kMostSegmentsEach = 8;

double Uniform(std::mt19937& random, double low, double high) {
  return std::uniform_real_distribution<double>(low, high)(random);
}

bool Chance(std::mt19937& random, double share) { return Uniform(random, 0.0, 1.0) < share; }

// Corners at rising angles round a centre, less than half a turn apart, each at its own radius: a
// polygon that does not cross itself, with some edges bowed into arcs when `arcs`.
Contour RandomStar(std::mt19937& random, bool arcs) {
  const int corners = std::uniform_int_distribution<int>(3, 16)(random);
  std::vector<double> gaps(corners);
  do {
    for (double& gap : gaps) gap = Uniform(random, 0.1, 1.0);
    const double scale = 2.0 * kPi / std::accumulate(gaps.begin(), gaps.end(), 0.0);
    for (double& gap : gaps) gap *= scale;
  } while (*std::max_element(gaps.begin(), gaps.end()) >= 0.95 * kPi);
  std::vector<Point> points;
  double angle = Uniform(random, 0.0, 2.0 * kPi);
  for (double gap : gaps) {
    points.push_back(Uniform(random, 8.0, 50.0) * Point{std::cos(angle), std::sin(angle)});
    angle += gap;
  }
  std::vector<Edge> edges;
  for (size_t i = 1; i <= points.size(); ++i)
    edges.push_back({points[i % points.size()], arcs && Chance(random, 0.5) ? Uniform(random, -1.2, 1.2) : 0.0});
  return offsetshapes::Path(points.front(), edges);
}

// Steps of lines and arcs that turn every way, now and then tightly and through most of a turn.
Contour RandomWalk(std::mt19937& random) {
  const int steps = std::uniform_int_distribution<int>(1, 24)(random);
  Point at{0.0, 0.0};
  double heading = 0.0;
  std::vector<Edge> edges;
  for (int i = 0; i < steps; ++i) {
    heading += Uniform(random, -3.0, 3.0);
    const double length = Chance(random, 0.2) ? Uniform(random, 0.05, 1.0) : Uniform(random, 1.0, 25.0);
    const Point to = at + length * Point{std::cos(heading), std::sin(heading)};
    const double sweep = Chance(random, 0.4) ? Uniform(random, -4.5, 4.5) : 0.0;
    edges.push_back({to, std::abs(sweep) < 0.01 ? 0.0 : sweep});
    heading += sweep / 2.0;
    at = to;
  }
  return offsetshapes::Path({0.0, 0.0}, edges);
}

double RandomDistance(std::mt19937& random) {
  return (Chance(random, 0.5) ? 1.0 : -1.0) *
         (Chance(random, 0.3) ? Uniform(random, 0.01, 1.0) : Uniform(random, 1.0, 20.0));
}

bool EndsWhereItStarts(const Contour& contour) {
  return geometry::Distance(contour.moves.back().segment.end, contour.start) <= kTolerance;
}

struct Checked {
  size_t segments = 0;
  std::vector<Contour> offsets;
};

// Every point of the offsets at the distance; the fault, when nothing is left, saying so.
Checked CheckOffset(const Contour& contour, const OffsetOptions& options, const std::string& what) {
  const Result<std::vector<Contour>> offset = geometry::OffsetContour(contour, options);
  if (!offset) {
    EXPECT_NE(offset.Failure().message.find("nothing is left"), std::string::npos) << what << offset.Failure().message;
    return {};
  }
  const double spacing = std::clamp(std::abs(options.distance) / 10.0, 0.01, 0.2);
  const OffsetDeviation deviation = MeasureOffsets(contour, offset.Value(), spacing);
  EXPECT_TRUE(deviation.Keeps(options.distance, kTolerance))
      << what << "nearest " << deviation.nearestFromSource << " farthest " << deviation.farthestFromSource
      << " source nearest " << deviation.nearestToOffsets << " gap " << deviation.largestGap;
  Checked checked{0, offset.Value()};
  for (const Contour& piece : offset.Value()) checked.segments += piece.moves.size();
  EXPECT_LE(checked.segments, kMostSegmentsEach * contour.moves.size()) << what;
  return checked;
}

std::string Case(int seed, double distance) {
  return "seed " + std::to_string(seed) + ", distance " + std::to_string(distance) + ": ";
}

TEST(OffsetProperty, EveryPointOfTheOffsetOfARandomContourLiesAtTheDistance) {
  for (int seed = 1, seeds = PropertyCases(150); seed <= seeds; ++seed) {
    std::mt19937 random(seed);
    const double distance = RandomDistance(random);
    CheckOffset(RandomStar(random, true), {distance}, "star " + Case(seed, distance));
    CheckOffset(RandomWalk(random), {distance}, "walk " + Case(seed, distance));
  }
}

// A polygon's offset on either side is closed and runs round its way.
TEST(OffsetProperty, TheOffsetsOfAPolygonAreClosedAndRunItsWay) {
  for (int seed = 1, seeds = PropertyCases(100); seed <= seeds; ++seed) {
    std::mt19937 random(seed);
    const Contour star = RandomStar(random, false);
    const double distance = RandomDistance(random);
    const std::string what = "polygon " + Case(seed, distance);
    const bool counterclockwise = geometry::SignedArea(star) > 0.0;
    for (const Contour& offset : CheckOffset(star, {distance}, what).offsets) {
      EXPECT_TRUE(EndsWhereItStarts(offset)) << what;
      EXPECT_EQ(geometry::SignedArea(offset) > 0.0, counterclockwise) << what;
    }
  }
}

// Bowing edges of a convex polygon outwards by less than the turns at their corners keeps it convex.
Contour RandomConvex(std::mt19937& random) {
  const int corners = std::uniform_int_distribution<int>(3, 12)(random);
  std::vector<double> angles;
  for (int i = 0; i < corners; ++i) angles.push_back(Uniform(random, 0.0, 2.0 * kPi));
  std::sort(angles.begin(), angles.end());
  const double radius = Uniform(random, 5.0, 40.0);
  std::vector<Point> points;
  for (double angle : angles) points.push_back(radius * Point{std::cos(angle), std::sin(angle)});
  const size_t count = points.size();
  const auto turnAt = [&](size_t i) {  // at corner i, between the edges into and out of it
    const Point in = points[i] - points[(i + count - 1) % count];
    const Point out = points[(i + 1) % count] - points[i];
    return std::atan2(geometry::Cross(in, out), geometry::Dot(in, out));
  };
  std::vector<Edge> edges;
  for (size_t i = 0; i < count; ++i)
    edges.push_back(
        {points[(i + 1) % count], Uniform(random, 0.0, 1.0) * std::min(turnAt(i), turnAt((i + 1) % count))});
  return offsetshapes::Path(points.front(), edges);
}

TEST(OffsetProperty, AConvexContourOffsetOutsideGrowsByAFullTurnAtTheDistance) {
  for (int seed = 1, seeds = PropertyCases(100); seed <= seeds; ++seed) {
    std::mt19937 random(seed);
    const Contour convex = RandomConvex(random);
    const double distance = Uniform(random, 0.01, 30.0);
    const std::string what = "convex " + Case(seed, distance);
    const Checked checked = CheckOffset(convex, {distance, OffsetSide::Outside}, what);
    ASSERT_EQ(checked.offsets.size(), 1u) << what;
    EXPECT_NEAR(geometry::ContourLength(checked.offsets[0]), geometry::ContourLength(convex) + 2.0 * kPi * distance,
                kTolerance)
        << what;
  }
}

// Inside, a convex contour stays one contour, or nothing is left.
TEST(OffsetProperty, AConvexContourOffsetInsideStaysOneContour) {
  for (int seed = 1, seeds = PropertyCases(100); seed <= seeds; ++seed) {
    std::mt19937 random(seed);
    const Contour convex = RandomConvex(random);
    const double distance = Uniform(random, 0.01, 20.0);
    const std::string what = "convex " + Case(seed, distance);
    const Checked checked = CheckOffset(convex, {distance, OffsetSide::Inside}, what);
    ASSERT_LE(checked.offsets.size(), 1u) << what;
    for (const Contour& offset : checked.offsets) {
      EXPECT_TRUE(EndsWhereItStarts(offset)) << what;
      EXPECT_GT(geometry::SignedArea(offset), 0.0) << what;
    }
  }
}

// Inside a rounded rectangle, each corner's radius falls by the distance; a corner whose radius
// the distance exceeds becomes sharp.
TEST(OffsetProperty, InsideARoundedRectangleTheCornersLoseTheDistance) {
  for (int seed = 1, seeds = PropertyCases(100); seed <= seeds; ++seed) {
    std::mt19937 random(seed);
    const double width = Uniform(random, 2.0, 100.0);
    const double height = Uniform(random, 2.0, 100.0);
    const double radius = Uniform(random, 0.0, std::min(width, height) / 2.0);
    const double distance = Uniform(random, 0.01, std::min(width, height) / 2.0 * 0.99);
    const Contour rectangle = offsetshapes::RoundedRectangle({Uniform(random, -50, 50), 0.0}, width, height, radius);
    const std::string what = "rounded rectangle " + Case(seed, distance) + "radius " + std::to_string(radius) + ": ";
    const Checked checked = CheckOffset(rectangle, {distance, OffsetSide::Inside}, what);
    ASSERT_EQ(checked.offsets.size(), 1u) << what;
    std::vector<double> radii;
    for (const geometry::ContourMove& move : checked.offsets[0].moves)
      if (move.segment.kind == geometry::PathSegment::Kind::Circular) radii.push_back(move.segment.Radius());
    const double left = radius - distance;
    if (left > 1e-6) {
      ASSERT_EQ(radii.size(), 4u) << what;
      for (double r : radii) EXPECT_NEAR(r, left, kTolerance) << what;
    } else {
      EXPECT_TRUE(radii.empty()) << what;
    }
    const double corners = left > 0.0 ? 2.0 * kPi * left + 8.0 * distance : 8.0 * radius;
    EXPECT_NEAR(geometry::ContourLength(checked.offsets[0]),
                geometry::ContourLength(rectangle) - 8.0 * distance - (2.0 * kPi * radius - corners), kTolerance)
        << what;
  }
}

TEST(OffsetProperty, InsideASlotNarrowerThanTwiceTheDistanceNothingIsLeft) {
  for (int seed = 1, seeds = PropertyCases(100); seed <= seeds; ++seed) {
    std::mt19937 random(seed);
    const double width = Uniform(random, 0.5, 30.0);
    const double distance = width / 2.0 * Uniform(random, 1.0001, 3.0);
    const Contour slot = offsetshapes::Slot({Uniform(random, -50, 50), 3.0}, Uniform(random, 0.1, 80.0), width);
    const Result<std::vector<Contour>> offset = geometry::OffsetContour(slot, {distance, OffsetSide::Inside});
    ASSERT_FALSE(offset) << Case(seed, distance);
    EXPECT_NE(offset.Failure().message.find("nothing is left"), std::string::npos) << offset.Failure().message;
  }
}

}  // namespace
