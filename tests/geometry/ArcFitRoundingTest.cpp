#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geometry/arcfit/ArcFitter.h"
#include "geometry/arcfit/ContourFitting.h"
#include "geometry/core/PathWalk.h"
#include "geometry/core/RelativePath.h"
#include "tests/geometry/DriveRounding.h"
#include "tests/geometry/FitMeasure.h"
#include "tests/geometry/FitShapes.h"

namespace {

using geometry::Point;

constexpr double kJoinDegrees = 0.5;
constexpr double kLargestRadius = 2147483.647;  // mm: 2^31 counts of a micrometre

geometry::ArcFitOptions OnTheDrives(double tolerance) {
  geometry::ArcFitOptions options = geometry::OptionsForDrives(tolerance, kDriveCount, DriveRounding());
  options.minRadius = kDriveCount;
  options.maxRadius = kLargestRadius;
  return options;
}

// Every shape fitted as the commands fit a motion on the demo's drives and rounded as the motion
// keeps it: within the tolerance both ways as the program runs it, its smooth joins within half a
// degree, its corners kept, ending within a count of its last point.
TEST(ArcFitRounded, EveryShapeKeepsTheRulesAsTheProgramRunsIt) {
  for (double tolerance : kFitTolerances)
    for (int decimals : {3, 4})
      for (const FitShape& shape : FitShapes(decimals)) {
        const FitFigures figures = Measure(shape, RoundedFit(shape, OnTheDrives(tolerance)), tolerance);
        EXPECT_TRUE(KeepsTheRules(figures, shape, tolerance, kJoinDegrees, kDriveCount))
            << shape.name << ", " << decimals << " decimals, within " << tolerance << ": deviation "
            << figures.deviation.pathFromPolyline << " and " << figures.deviation.polylineFromPath << ", join "
            << figures.largestSmoothJoin << ", corners " << figures.cornersKept << " of " << shape.corners.size()
            << ", end gap " << figures.endGap;
      }
}

// Drives of `count` mm, angles kept to 1/65536 degree.
geometry::Rounding CountsOf(double count) {
  geometry::Rounding drives = DriveRounding();
  drives.length = [count](double mm) { return std::round(mm / count) * count; };
  return drives;
}

// Drives this coarse move a segment by much of the tolerance once rounded, more on some segments
// than on others: a fit within the tolerance strays, and only the stretches that stray are fitted
// again further inside. The path as the program runs it keeps within the tolerance both ways.
TEST(ArcFitRounded, CoarseDrivesKeepTheToleranceOnceRounded) {
  struct Case {
    const char* shape;
    double tolerance;
    double countsInTolerance;
  };
  const std::vector<FitShape> shapes = FitShapes(4);
  for (const Case& c : std::vector<Case>{{"sine wave, 2000 chords", 0.005, 5.0},
                                         {"spiral, 5400 chords", 0.005, 4.0},
                                         {"clothoid traced every 0.25 mm", 0.025, 5.0},
                                         {"glyph, 16 chords a cubic", 0.025, 4.0},
                                         {"trochoid, 180 chords a loop", 0.1, 5.0}}) {
    const FitShape shape = ShapeNamed(shapes, c.shape);
    const double count = c.tolerance / c.countsInTolerance;
    geometry::ArcFitOptions options = geometry::OptionsForDrives(c.tolerance, count, CountsOf(count));
    options.minRadius = count;
    std::vector<geometry::PathSegment> path;
    const geometry::Contour fitted = geometry::FitContour(LinesThrough(shape.points), options, {});
    for (const geometry::ImportedSegment& imported : geometry::ToRelativePath(fitted, CountsOf(count)))
      path.push_back(imported.segment);
    const FitFigures figures = Measure(shape, path, c.tolerance);
    EXPECT_LE(figures.deviation.pathFromPolyline, c.tolerance) << c.shape;
    EXPECT_LE(figures.deviation.polylineFromPath, c.tolerance) << c.shape;
  }
}

// A long outline traced from a chain of thousands of arcs of large radius, each turning the other
// way, written with three decimals.
std::vector<Point> TracedArcChain(int arcs) {
  std::vector<Point> points = {{0.0, 0.0}};
  Point at{0.0, 0.0};
  double heading = 0.0;
  for (int k = 0; k < arcs; ++k) {
    const double radius = 300.0 + 700.0 * (k % 5) / 4.0;
    const double curvature = (k % 2 == 0 ? 1.0 : -1.0) / radius;
    const geometry::FittedSegment arc{at, heading, curvature, 12.0 + (k % 3)};
    for (double along = 1.0; along < arc.length; along += 1.0) points.push_back(arc.At(along));
    at = arc.End();
    heading = arc.EndHeading();
    points.push_back(at);
  }
  for (Point& p : points) p = {std::round(p.x * 1000.0) / 1000.0, std::round(p.y * 1000.0) / 1000.0};
  return points;
}

// Each rounded segment lands within a count of the end of the segment fitted for it, however many
// come before it, and so the path ends within a count of the outline's end; the path as the
// program runs it keeps within the tolerance both ways.
TEST(ArcFitRounded, ALongChainOfLargeArcsEndsEverySegmentWhereTheFitDoes) {
  const FitShape chain{"chain of 2000 arcs", TracedArcChain(2000), {}, {}};
  const geometry::Contour lines = LinesThrough(chain.points);
  constexpr double kTolerance = 0.025;
  const geometry::Contour fitted = geometry::FitContour(lines, OnTheDrives(kTolerance), {});
  ASSERT_GE(fitted.moves.size(), 1000u);
  const std::vector<geometry::PathSegment> path = RoundedToTheDrives(fitted);
  ASSERT_EQ(path.size(), fitted.moves.size());
  EXPECT_LE(FarthestFromWrittenEnds(fitted, path), kDriveCount);
  EXPECT_LE(Distance(lines.start + geometry::Walk(path).end, chain.points.back()), kDriveCount);
  const FitFigures figures = Measure(chain, path, kTolerance);
  EXPECT_LE(figures.deviation.pathFromPolyline, kTolerance);
  EXPECT_LE(figures.deviation.polylineFromPath, kTolerance);
  EXPECT_LE(figures.largestSmoothJoin, kJoinDegrees);
}

// Fitted for the drives where the tolerance is wide, shapes come back in as few segments as a
// smooth fit within the tolerance needs. Outlines drawn from four lines and four arcs come back as
// eight: at 0.1 mm a line may run 1.4 mm past where a corner of radius 10 begins, and the corner
// must then start off its curve with a fillet to join. A spiral's segments settle into a steady
// span, and where its first ends decides whether the last falls short of the end: 9, not 10.
TEST(ArcFitRounded, ShapesComeBackInTheFewestSmoothSegmentsWhereTheToleranceIsWide) {
  const struct {
    const char* shape;
    double tolerance;
    size_t segments;
  } cases[] = {
      {"rounded rectangle, 90 chords a corner", 0.1, 8},
      {"rounded rectangle, 90 chords a corner", 0.025, 8},
      {"rounded rectangle traced every 0.50 mm", 0.1, 8},
      {"spiral, 540 chords", 0.1, 9},
  };
  for (int decimals : {3, 4}) {
    const std::vector<FitShape> shapes = FitShapes(decimals);
    for (const auto& c : cases) {
      const FitShape shape = ShapeNamed(shapes, c.shape);
      const std::vector<geometry::FittedSegment> fitted = geometry::FitArcs(shape.points, OnTheDrives(c.tolerance));
      const FitFigures figures = Measure(shape, ExactPath(fitted), c.tolerance);
      const std::string label =
          shape.name + ", " + std::to_string(decimals) + " decimals, within " + std::to_string(c.tolerance);
      EXPECT_EQ(fitted.size(), c.segments) << label;
      EXPECT_TRUE(KeepsTheRules(figures, shape, c.tolerance, kJoinDegrees, kDriveCount)) << label;
    }
  }
}

}  // namespace
