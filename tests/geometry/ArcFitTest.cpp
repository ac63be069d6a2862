#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <vector>

#include "geometry/ArcFitter.h"
#include "geometry/PathWalk.h"
#include "geometry/SegmentGeometry.h"
#include "tests/geometry/FitShapes.h"
#include "tests/geometry/SampledDeviation.h"

namespace {

using geometry::Point;

double Distance(Point a, Point b) { return std::hypot(b.x - a.x, b.y - a.y); }

struct FitFigures {
  size_t segments = 0;
  SampledDeviation deviation;
  double largestSmoothJoin = 0.0;  // degrees
  double endGap = 0.0;             // mm
  size_t cornersKept = 0;
};

// How far the polyline turns at each point, in degrees.
std::vector<double> TurnsOf(const std::vector<Point>& points) {
  std::vector<double> turns(points.size(), 0.0);
  for (size_t i = 1; i + 1 < points.size(); ++i) {
    const double in = std::atan2(points[i].y - points[i - 1].y, points[i].x - points[i - 1].x);
    const double out = std::atan2(points[i + 1].y - points[i].y, points[i + 1].x - points[i].x);
    turns[i] = std::abs(geometry::Degrees(geometry::NormalizedAngle(out - in)));
  }
  return turns;
}

FitFigures Fit(const FitShape& shape, double tolerance) {
  geometry::ArcFitOptions options;
  options.tolerance = tolerance;
  const double cornerDegrees = geometry::Degrees(options.cornerAngle);
  const std::vector<double> turns = TurnsOf(shape.points);
  std::vector<geometry::PathSegment> path;
  for (const geometry::FittedSegment& segment : geometry::FitArcs(shape.points, options))
    path.push_back(geometry::ToPathSegment(segment));
  const Point start = shape.points.front();
  const geometry::PathWalk walk = geometry::Walk(path);
  FitFigures figures;
  figures.segments = path.size();
  figures.deviation = MeasureDeviation(shape.points, start, path, tolerance / 10.0, 1.5 * tolerance);
  figures.endGap = Distance(start + walk.end, shape.points.back());
  // A joint may turn by more than half a degree only on a point where the polyline turns by more
  // than the corner angle; the shape's own corners must all be joints.
  std::vector<Point> joints;
  for (size_t i = 1; i < walk.segments.size(); ++i) joints.push_back(start + walk.segments[i].start);
  for (size_t i = 1; i < walk.segments.size(); ++i) {
    const Point joint = joints[i - 1];
    bool onTurn = false;
    for (size_t p = 1; p + 1 < shape.points.size() && !onTurn; ++p)
      onTurn = turns[p] > cornerDegrees && Distance(joint, shape.points[p]) < 1e-9;
    if (!onTurn)
      figures.largestSmoothJoin = std::max(figures.largestSmoothJoin, geometry::Degrees(walk.segments[i].cornerAngle));
  }
  for (size_t corner : shape.corners)
    for (Point joint : joints)
      if (Distance(joint, shape.points[corner]) < 1e-9) {
        ++figures.cornersKept;
        break;
      }
  return figures;
}

// Every shape at 3 and 4 decimals, fitted within one of the tolerances (the parameter, so that
// they run side by side): within it both ways, no kink on a smooth stretch, its corners joints,
// ending on its last point, in no more segments than its table says.
class ArcFitShapes : public ::testing::TestWithParam<size_t> {};

TEST_P(ArcFitShapes, KeepTheirToleranceSmoothnessAndCorners) {
  const double tolerance = kFitTolerances[GetParam()];
  for (int decimals : {3, 4})
    for (const FitShape& shape : FitShapes(decimals)) {
      const FitFigures figures = Fit(shape, tolerance);
      const std::string label = shape.name + ", " + std::to_string(decimals) + " decimals";
      EXPECT_LE(figures.deviation.pathFromPolyline, tolerance + 1e-9) << label;
      EXPECT_LE(figures.deviation.polylineFromPath, tolerance + 1e-9) << label;
      EXPECT_LE(figures.largestSmoothJoin, 0.5) << label;
      EXPECT_LE(figures.endGap, 1e-9) << label;
      EXPECT_EQ(figures.cornersKept, shape.corners.size()) << label;
      EXPECT_LE(figures.segments, shape.mostSegments[GetParam()]) << label;
    }
}

INSTANTIATE_TEST_SUITE_P(Tolerances, ArcFitShapes, ::testing::Range<size_t>(0, std::size(kFitTolerances)));

}  // namespace
