#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "geometry/arcfit/ArcFitter.h"
#include "geometry/core/PathWalk.h"
#include "geometry/core/RelativePath.h"
#include "geometry/core/SegmentGeometry.h"
#include "tests/geometry/FitShapes.h"
#include "tests/geometry/SampledDeviation.h"
#include "tests/geometry/PathJoints.h"

namespace {

using geometry::Point;

struct FitFigures {
  size_t segments = 0;
  SampledDeviation deviation;
  double largestSmoothJoin = 0.0;  // degrees
  double endGap = 0.0;             // mm
  size_t cornersKept = 0;
};

FitFigures Fit(const FitShape& shape, const geometry::ArcFitOptions& options) {
  const double tolerance = options.tolerance;
  std::vector<geometry::PathSegment> path;
  for (const geometry::FittedSegment& segment : geometry::FitArcs(shape.points, options))
    path.push_back(geometry::RelativeOf(geometry::ContourSegmentOf(segment, segment.End())));
  const Point start = shape.points.front();
  FitFigures figures;
  figures.segments = path.size();
  figures.deviation = MeasureDeviation(shape.points, start, path, tolerance / 10.0, 1.5 * tolerance);
  figures.endGap = Distance(start + geometry::Walk(path).end, shape.points.back());
  // A joint may turn by more than the join turn only on a point where the polyline turns by more
  // than the corner angle; the shape's own corners must all be joints.
  const PathJoints joints = JointsOf(shape.points, path, geometry::Degrees(options.cornerAngle));
  figures.largestSmoothJoin = joints.largestSmoothTurn;
  for (size_t corner : shape.corners)
    for (Point joint : joints.points)
      if (Distance(joint, shape.points[corner]) < 1e-9) {
        ++figures.cornersKept;
        break;
      }
  return figures;
}

// A line that stands for an arc that barely turns may start off the heading before it by this
// much more than the join turn (degrees).
constexpr double kStraightenedDegrees = 0.05;

// Every shape at 3 and 4 decimals, fitted within one of the tolerances (the parameter, so that
// they run side by side): within it both ways, joins on smooth stretches within the join turn,
// its corners joints, ending on its last point, in no more segments than its table says.
class ArcFitShapes : public ::testing::TestWithParam<size_t> {};

TEST_P(ArcFitShapes, KeepTheirToleranceSmoothnessAndCorners) {
  const double tolerance = kFitTolerances[GetParam()];
  for (int decimals : {3, 4})
    for (const FitShape& shape : FitShapes(decimals)) {
      geometry::ArcFitOptions options;
      options.tolerance = tolerance;
      const FitFigures figures = Fit(shape, options);
      const std::string label = shape.name + ", " + std::to_string(decimals) + " decimals";
      EXPECT_LE(figures.deviation.pathFromPolyline, tolerance + 1e-9) << label;
      EXPECT_LE(figures.deviation.polylineFromPath, tolerance + 1e-9) << label;
      EXPECT_LE(figures.largestSmoothJoin, geometry::Degrees(options.joinTurn) + kStraightenedDegrees) << label;
      EXPECT_LE(figures.largestSmoothJoin, 0.5) << label;
      EXPECT_LE(figures.endGap, 1e-9) << label;
      EXPECT_EQ(figures.cornersKept, shape.corners.size()) << label;
      EXPECT_LE(figures.segments, shape.mostSegments[GetParam()]) << label;
    }
}

INSTANTIATE_TEST_SUITE_P(Tolerances, ArcFitShapes, ::testing::Range<size_t>(0, std::size(kFitTolerances)));

// Shapes drawn finely from lines and arcs come back as exactly those, at every tolerance and both
// precisions: a straight that runs into a curve ends where the curve begins, rather than running
// on a point and leaving the arc after it a start it cannot turn from.
TEST(ArcFitShapesOfLinesAndArcs, ComeBackAsTheirLinesAndArcs) {
  const struct {
    size_t shape;  // in FitShapes
    size_t segments;
  } cases[] = {{1, 2}, {2, 2}, {4, 8}, {14, 4}, {16, 1}};
  for (const auto& c : cases)
    for (int decimals : {3, 4})
      for (double tolerance : kFitTolerances) {
        const FitShape shape = FitShapes(decimals).at(c.shape);
        geometry::ArcFitOptions options;
        options.tolerance = tolerance;
        EXPECT_EQ(geometry::FitArcs(shape.points, options).size(), c.segments)
            << shape.name << ", " << decimals << " decimals, within " << tolerance;
      }
}

// A random chain of lines and arcs, each starting along the one before, traced every `step` mm and
// written with three decimals: its pieces and its points.
struct TracedChain {
  size_t pieces = 0;
  FitShape shape;
};

TracedChain RandomChain(std::mt19937& random, double step) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  TracedChain chain;
  chain.pieces = 3 + random() % 6;
  chain.shape.name = "chain " + std::to_string(chain.pieces) + " pieces";
  Point at{0.0, 0.0};
  double heading = 0.0;
  std::vector<Point>& points = chain.shape.points;
  points.push_back(at);
  for (size_t piece = 0; piece < chain.pieces; ++piece) {
    // Lines and arcs take turns, so that no two pieces merge into one.
    const bool arc = piece % 2 == 1;
    const double radius = 3.0 + 47.0 * unit(random);
    const double turn = (unit(random) < 0.5 ? -1.0 : 1.0) * geometry::Radians(20.0 + 140.0 * unit(random));
    const double length = arc ? radius * std::abs(turn) : 5.0 + 25.0 * unit(random);
    const double curvature = arc ? turn / length : 0.0;
    const geometry::FittedSegment segment{at, heading, curvature, length};
    for (double along = step; along < length; along += step) points.push_back(segment.At(along));
    at = segment.End();
    heading = segment.EndHeading();
    points.push_back(at);
  }
  for (Point& p : points) p = {std::round(p.x * 1000.0) / 1000.0, std::round(p.y * 1000.0) / 1000.0};
  return chain;
}

// Seeded chains at each tolerance: within it both ways, smooth, ending on their last point, and in
// at most one segment more than they were drawn with (where a piece ends is found from its points
// alone, and one of the chains needs that one).
TEST(ArcFitChains, ComeBackInAboutTheirPieces) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    std::mt19937 random(seed);
    const TracedChain chain = RandomChain(random, seed % 2 == 0 ? 0.05 : 0.3);
    for (double tolerance : kFitTolerances) {
      geometry::ArcFitOptions options;
      options.tolerance = tolerance;
      const FitFigures figures = Fit(chain.shape, options);
      const std::string label = "seed " + std::to_string(seed) + ", " + chain.shape.name + ", within " +
                                std::to_string(tolerance);
      EXPECT_LE(figures.deviation.pathFromPolyline, tolerance + 1e-9) << label;
      EXPECT_LE(figures.deviation.polylineFromPath, tolerance + 1e-9) << label;
      EXPECT_LE(figures.largestSmoothJoin, geometry::Degrees(options.joinTurn) + kStraightenedDegrees) << label;
      EXPECT_LE(figures.endGap, 1e-9) << label;
      EXPECT_LE(figures.segments, chain.pieces + 1) << label;
    }
  }
}

// Without a join turn the shapes whose curvature changes all along still fit, joined tangent.
TEST(ArcFitJoins, WithoutJoinTurnStayTangent) {
  const struct {
    size_t shape;  // in FitShapes
    double tolerance;
  } cases[] = {{7, 0.005}, {8, 0.1}, {10, 0.025}, {12, 0.005}, {12, 0.1}};
  for (const auto& c : cases) {
    const FitShape shape = FitShapes(3).at(c.shape);
    geometry::ArcFitOptions options;
    options.tolerance = c.tolerance;
    options.joinTurn = 0.0;
    const FitFigures figures = Fit(shape, options);
    const std::string label = shape.name + " within " + std::to_string(c.tolerance);
    EXPECT_LE(figures.deviation.pathFromPolyline, c.tolerance + 1e-9) << label;
    EXPECT_LE(figures.deviation.polylineFromPath, c.tolerance + 1e-9) << label;
    EXPECT_LE(figures.largestSmoothJoin, kStraightenedDegrees) << label;
    EXPECT_LE(figures.endGap, 1e-9) << label;
  }
}

}  // namespace
