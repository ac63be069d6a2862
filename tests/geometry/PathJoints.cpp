#include "tests/geometry/PathJoints.h"

#include <algorithm>

#include "geometry/core/Angles.h"
#include "geometry/core/PathWalk.h"

using geometry::Point;

PathJoints JointsOf(const std::vector<Point>& polyline, const std::vector<geometry::PathSegment>& path,
                    const std::vector<size_t>& corners, double near) {
  const geometry::PathWalk walk = geometry::Walk(path);
  PathJoints joints;
  for (size_t i = 1; i < walk.segments.size(); ++i) {
    const Point joint = polyline.front() + walk.segments[i].start;
    joints.points.push_back(joint);
    const bool onCorner = std::any_of(corners.begin(), corners.end(),
                                      [&](size_t corner) { return Distance(joint, polyline[corner]) < near; });
    if (!onCorner)
      joints.largestSmoothTurn = std::max(joints.largestSmoothTurn, geometry::Degrees(walk.segments[i].cornerAngle));
  }
  return joints;
}
