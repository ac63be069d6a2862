#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "geometry/arcfit/ArcFitter.h"
#include "geometry/core/Tolerances.h"
#include "tests/geometry/FitMeasure.h"
#include "tests/geometry/FitShapes.h"
#include "tests/support/PropertyCases.h"

namespace {

using geometry::Point;

FitFigures Fit(const FitShape& shape, const geometry::ArcFitOptions& options) {
  return Measure(shape, ExactPath(geometry::FitArcs(shape.points, options)), options.tolerance);
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

// What a fitted path is made of, one letter a segment: L a line, A an arc.
std::string KindsOf(const std::vector<geometry::FittedSegment>& segments) {
  std::string kinds;
  for (const geometry::FittedSegment& segment : segments) kinds += segment.curvature == 0.0 ? 'L' : 'A';
  return kinds;
}

// Shapes drawn finely from lines and arcs come back as exactly those, at every tolerance and both
// precisions, each arc with the radius it was drawn with: a straight that runs into a curve ends
// where the curve begins, rather than running on a point and leaving the arc after it a start it
// cannot turn from.
TEST(ArcFitShapesOfLinesAndArcs, ComeBackAsTheirLinesAndArcs) {
  const struct {
    const char* shape;
    size_t segments;
    const char* kinds;  // where checked
    double radius;      // mm, of every arc, where checked
  } cases[] = {
      {"circle, 720 chords", 2, "AA", 20.0},
      {"circle, 7200 chords", 2, "AA", 20.0},
      {"rounded rectangle, 90 chords a corner", 8, nullptr, 0.0},
      {"corners between curves, 180 chords a curve", 4, "AAAA", 10.0},
      {"noisy straight, 2000 chords", 1, "L", 0.0},
  };
  for (const auto& c : cases)
    for (int decimals : {3, 4})
      for (double tolerance : kFitTolerances) {
        const FitShape shape = ShapeNamed(FitShapes(decimals), c.shape);
        geometry::ArcFitOptions options;
        options.tolerance = tolerance;
        const std::vector<geometry::FittedSegment> fitted = geometry::FitArcs(shape.points, options);
        const std::string label =
            shape.name + ", " + std::to_string(decimals) + " decimals, within " + std::to_string(tolerance);
        EXPECT_EQ(fitted.size(), c.segments) << label;
        if (c.kinds == nullptr) continue;
        EXPECT_EQ(KindsOf(fitted), c.kinds) << label;
        for (const geometry::FittedSegment& segment : fitted) {
          if (segment.curvature == 0.0) continue;
          EXPECT_NEAR(1.0 / std::abs(segment.curvature), c.radius, tolerance) << label;
        }
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
  for (int seed = 1, seeds = PropertyCases(12); seed <= seeds; ++seed) {
    std::mt19937 random(seed);
    const TracedChain chain = RandomChain(random, seed % 2 == 0 ? 0.05 : 0.3);
    for (double tolerance : kFitTolerances) {
      geometry::ArcFitOptions options;
      options.tolerance = tolerance;
      const FitFigures figures = Fit(chain.shape, options);
      const std::string label =
          "seed " + std::to_string(seed) + ", " + chain.shape.name + ", within " + std::to_string(tolerance);
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
    const char* shape;
    double tolerance;
  } cases[] = {{"ellipse, 360 chords", 0.005},
               {"ellipse, 3600 chords", 0.1},
               {"sine wave, 2000 chords", 0.025},
               {"spiral, 5400 chords", 0.005},
               {"spiral, 5400 chords", 0.1}};
  for (const auto& c : cases) {
    const FitShape shape = ShapeNamed(FitShapes(3), c.shape);
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

// The caller's rules beside the tolerance, each on a shape that puts it to work: the path passes
// boundaries on their points without a kink, leaves and reaches its ends with the headings given,
// and keeps to the radii the motion can store.
class ArcFitRules : public ::testing::Test {
 protected:
  static geometry::ArcFitOptions Within(double tolerance) {
    geometry::ArcFitOptions options;
    options.tolerance = tolerance;
    return options;
  }
  static void ExpectWithin(const FitShape& shape, const geometry::ArcFitOptions& options) {
    const FitFigures figures = Fit(shape, options);
    EXPECT_LE(figures.deviation.pathFromPolyline, options.tolerance + 1e-9) << shape.name;
    EXPECT_LE(figures.deviation.polylineFromPath, options.tolerance + 1e-9) << shape.name;
    EXPECT_LE(figures.endGap, 1e-9) << shape.name;
  }
};

TEST_F(ArcFitRules, BoundariesEndSegmentsOnTheirPointsWithoutAKink) {
  const FitShape shape = ShapeNamed(FitShapes(3), "ellipse, 360 chords");
  for (double tolerance : kFitTolerances) {
    geometry::ArcFitOptions options = Within(tolerance);
    options.boundaries = {45, 200, 201};
    const std::vector<geometry::FittedSegment> fitted = geometry::FitArcs(shape.points, options);
    for (size_t boundary : options.boundaries) {
      const auto ending = std::find_if(fitted.begin(), fitted.end(), [&](const geometry::FittedSegment& segment) {
        return segment.lastPoint == boundary;
      });
      ASSERT_NE(ending, fitted.end()) << "boundary " << boundary << " within " << tolerance;
      EXPECT_LE(Distance(ending->End(), shape.points[boundary]), 1e-9) << "boundary " << boundary;
    }
    ExpectWithin(shape, options);
    EXPECT_LE(Fit(shape, options).largestSmoothJoin, geometry::Degrees(options.joinTurn) + kStraightenedDegrees);
  }
}

TEST_F(ArcFitRules, StartAndEndWithTheHeadingsGiven) {
  // The ellipse runs up (+Y) through its first and last point; a heading a little off that still
  // allows a fit within the tolerance is kept exactly.
  const FitShape shape = ShapeNamed(FitShapes(4), "ellipse, 3600 chords");
  const struct {
    double start;
    double end;
  } cases[] = {{geometry::kQuarterTurn, geometry::kQuarterTurn},
               {geometry::kQuarterTurn + 0.002, geometry::kQuarterTurn - 0.002},
               {geometry::kQuarterTurn - 0.002, geometry::kQuarterTurn + geometry::kFullTurn}};
  for (const auto& c : cases) {
    geometry::ArcFitOptions options = Within(0.025);
    options.startHeading = c.start;
    options.endHeading = c.end;
    const std::vector<geometry::FittedSegment> fitted = geometry::FitArcs(shape.points, options);
    ASSERT_FALSE(fitted.empty());
    EXPECT_LE(geometry::TurnBetween(fitted.front().heading, c.start), geometry::kHeadingNoise) << c.start;
    EXPECT_LE(geometry::TurnBetween(fitted.back().EndHeading(), c.end), 1e-6) << c.end;
    ExpectWithin(shape, options);
  }
}

TEST_F(ArcFitRules, ArcsKeepToTheRadiiTheMotionStores) {
  const struct {
    const char* shape;
    double minRadius;
    double maxRadius;
  } cases[] = {
      {"circle, 720 chords", 0.0, 15.0},                     // too large to store: lines
      {"rounded rectangle, 90 chords a corner", 10.5, 1e9},  // corners too tight for one arc
      {"spiral, 540 chords", 8.0, 30.0},
  };
  for (const auto& c : cases)
    for (double tolerance : kFitTolerances) {
      const FitShape shape = ShapeNamed(FitShapes(3), c.shape);
      geometry::ArcFitOptions options = Within(tolerance);
      options.minRadius = c.minRadius;
      options.maxRadius = c.maxRadius;
      for (const geometry::FittedSegment& segment : geometry::FitArcs(shape.points, options))
        if (segment.curvature != 0.0) {
          EXPECT_GE(1.0 / std::abs(segment.curvature), c.minRadius) << c.shape << " within " << tolerance;
          EXPECT_LE(1.0 / std::abs(segment.curvature), c.maxRadius) << c.shape << " within " << tolerance;
        }
      ExpectWithin(shape, options);
    }
}

// Where the points lie many tolerances apart, a segment through the furthest point it reaches runs
// on towards the next, and the next starts there: each end lies within the tolerance of the chord
// after the last point its segment answers for, and some lie well past that point.
TEST_F(ArcFitRules, SegmentsRunOnAlongLongChords) {
  const struct {
    const char* shape;
    size_t mostSegments;  // one fewer than the fit took when every segment ended on a point
  } cases[] = {
      {"spiral, 540 chords", 26},
      {"ellipse, 360 chords", 24},
      {"airfoil, 100 chords a side", 15},
  };
  constexpr double kTolerance = 0.005;
  const std::vector<FitShape> shapes = FitShapes(4);
  for (const auto& c : cases) {
    const FitShape shape = ShapeNamed(shapes, c.shape);
    const std::vector<geometry::FittedSegment> fitted = geometry::FitArcs(shape.points, Within(kTolerance));
    size_t runningOn = 0;
    for (size_t i = 0; i + 1 < fitted.size(); ++i) {
      const Point end = fitted[i].End();
      const Point last = shape.points[fitted[i].lastPoint];
      EXPECT_LE(geometry::DistanceToSegment(end, last, shape.points[fitted[i].lastPoint + 1]), kTolerance)
          << c.shape << ", segment " << i;
      if (Distance(end, last) > 10.0 * kTolerance) ++runningOn;
    }
    EXPECT_GT(runningOn, 0U) << c.shape;
    EXPECT_LE(fitted.size(), c.mostSegments) << c.shape;
    ExpectWithin(shape, Within(kTolerance));
  }
}

TEST_F(ArcFitRules, RepeatedPointsAreOnePointAnsweredForByTheLast) {
  const FitShape shape = ShapeNamed(FitShapes(3), "rounded rectangle, 6 chords a corner");
  FitShape doubled = shape;
  doubled.points.clear();
  for (Point p : shape.points) doubled.points.insert(doubled.points.end(), {p, p + Point{1e-10, 0.0}});
  const std::vector<geometry::FittedSegment> once = geometry::FitArcs(shape.points, Within(0.025));
  const std::vector<geometry::FittedSegment> twice = geometry::FitArcs(doubled.points, Within(0.025));
  ASSERT_EQ(twice.size(), once.size());
  for (size_t i = 0; i < once.size(); ++i) {
    EXPECT_EQ(twice[i].lastPoint, 2 * once[i].lastPoint + 1) << "segment " << i;
    EXPECT_LE(Distance(twice[i].End(), once[i].End()), 1e-9) << "segment " << i;
  }
}

TEST_F(ArcFitRules, FewerThanTwoDistinctPointsFitToNothing) {
  const std::vector<Point> cases[] = {{}, {{1.0, 2.0}}, {{1.0, 2.0}, {1.0, 2.0 + 1e-10}}};
  for (const std::vector<Point>& points : cases)
    EXPECT_TRUE(geometry::FitArcs(points, Within(0.01)).empty()) << points.size();
}

// A gear's tooth tips turn by less than 60 degrees between chords shorter than twice the coarsest
// tolerance, and the turn could be noise of that size; but the polyline beside them turns little,
// so they stay corners, and so do the roots, at every tolerance, whatever the gear's size and
// tracing. (The coarse polygon of an ellipse, which turns by up to 25 degrees at every vertex as
// its neighbours do, stays smooth: ArcFitShapes.)
TEST(ArcFitCorners, GearsKeepTheirTipsAndRootsAtEveryTolerance) {
  const struct {
    int teeth;
    double spacing;  // mm
  } cases[] = {{16, 0.2}, {16, 0.1}, {16, 0.05}, {8, 0.2}, {40, 0.2}};
  for (const auto& c : cases)
    for (double tolerance : {0.005, 0.025, 0.1})
      for (int decimals : {3, 4}) {
        const FitShape gear = Gear(c.teeth, c.spacing, decimals);
        geometry::ArcFitOptions options;
        options.tolerance = tolerance;
        const FitFigures figures = Fit(gear, options);
        const std::string label =
            gear.name + ", " + std::to_string(decimals) + " decimals, within " + std::to_string(tolerance);
        EXPECT_EQ(figures.cornersKept, gear.corners.size()) << label;
        EXPECT_LE(figures.deviation.pathFromPolyline, tolerance + 1e-9) << label;
        EXPECT_LE(figures.deviation.polylineFromPath, tolerance + 1e-9) << label;
      }
}

// A polygon of few long sides is no tracing of a curve, however evenly it turns: a square, a
// hexagon and an octagon come back as their sides, straight, at every tolerance.
TEST(ArcFitCorners, PolygonsComeBackAsTheirSides) {
  for (int sides : {3, 4, 6, 8})
    for (double tolerance : kFitTolerances) {
      std::vector<Point> points;
      for (int i = 0; i <= sides; ++i) points.push_back(geometry::Polar(20.0, geometry::kFullTurn * i / sides));
      geometry::ArcFitOptions options;
      options.tolerance = tolerance;
      const std::vector<geometry::FittedSegment> fitted = geometry::FitArcs(points, options);
      EXPECT_EQ(KindsOf(fitted), std::string(static_cast<size_t>(sides), 'L'))
          << sides << " sides, within " << tolerance;
    }
}
