#include "tests/geometry/FitMeasure.h"

#include "geometry/arcfit/ContourFitting.h"
#include "geometry/core/PathWalk.h"
#include "geometry/core/RelativePath.h"
#include "tests/geometry/DriveRounding.h"
#include "tests/geometry/PathJoints.h"

using geometry::Point;

namespace {

// mm: a joint this close to a point lies on it, as a rounded path's joints do.
constexpr double kNear = 1e-9 + kDriveCount;

}  // namespace

bool KeepsTheRules(const FitFigures& figures, const FitShape& shape, double tolerance, double joinDegrees,
                   double endGap) {
  return figures.deviation.pathFromPolyline <= tolerance && figures.deviation.polylineFromPath <= tolerance &&
         figures.largestSmoothJoin <= joinDegrees && figures.cornersKept == shape.corners.size() &&
         figures.endGap <= endGap;
}

FitFigures Measure(const FitShape& shape, const std::vector<geometry::PathSegment>& path, double tolerance) {
  const Point start = shape.points.front();
  FitFigures figures;
  figures.segments = path.size();
  // Arcs sampled so that chords stray from them by a ten-thousandth of the tolerance: far finer than
  // any excess worth telling, while arcs of large radius are not sampled every few micrometres.
  figures.deviation = MeasureDeviation(shape.points, start, path, tolerance / 10.0, 1.5 * tolerance, tolerance * 1e-4);
  figures.endGap = Distance(start + geometry::Walk(path).end, shape.points.back());
  // A joint may turn by more than the join turn only on one of the shape's own corners, which must
  // all be joints.
  const PathJoints joints = JointsOf(shape.points, path, shape.corners, kNear);
  figures.largestSmoothJoin = joints.largestSmoothTurn;
  for (size_t corner : shape.corners)
    for (Point joint : joints.points)
      if (Distance(joint, shape.points[corner]) < kNear) {
        ++figures.cornersKept;
        break;
      }
  return figures;
}

std::vector<geometry::PathSegment> ExactPath(const std::vector<geometry::FittedSegment>& fitted) {
  std::vector<geometry::PathSegment> path;
  for (const geometry::FittedSegment& segment : fitted)
    path.push_back(geometry::RelativeOf(geometry::ContourSegmentOf(segment, segment.End())));
  return path;
}

geometry::Contour LinesThrough(const std::vector<Point>& points) {
  geometry::Contour lines;
  lines.start = points.front();
  for (size_t i = 1; i < points.size(); ++i)
    lines.moves.push_back({geometry::ContourSegment::Line(points[i - 1], points[i])});
  return lines;
}

std::vector<geometry::PathSegment> RoundedFit(const FitShape& shape, const geometry::ArcFitOptions& options) {
  return RoundedToTheDrives(geometry::FitContour(LinesThrough(shape.points), options, {}));
}
