#include "tests/geometry/PathJoints.h"

#include <algorithm>
#include <cmath>

#include "geometry/core/PathWalk.h"
#include "geometry/core/SegmentGeometry.h"

namespace {

using geometry::Point;

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

}  // namespace

PathJoints JointsOf(const std::vector<Point>& polyline, const std::vector<geometry::PathSegment>& path,
                    double cornerDegrees) {
  const std::vector<double> turns = TurnsOf(polyline);
  const geometry::PathWalk walk = geometry::Walk(path);
  PathJoints joints;
  for (size_t i = 1; i < walk.segments.size(); ++i) {
    const Point joint = polyline.front() + walk.segments[i].start;
    joints.points.push_back(joint);
    bool onTurn = false;
    for (size_t p = 1; p + 1 < polyline.size() && !onTurn; ++p)
      onTurn = turns[p] > cornerDegrees && Distance(joint, polyline[p]) < 1e-9;
    if (!onTurn)
      joints.largestSmoothTurn = std::max(joints.largestSmoothTurn, geometry::Degrees(walk.segments[i].cornerAngle));
  }
  return joints;
}
