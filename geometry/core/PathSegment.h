#pragma once

#include "geometry/core/Vector2.h"

// One segment of a planar contour, relative to where the segment before it ended, as a motion
// keeps it. Lengths are in one unit throughout (whatever the caller works in); angles are in radians.
namespace geometry {

struct PathSegment {
  enum class Kind { Linear, Circular };

  Kind kind = Kind::Linear;
  Point increment;      // linear: the move on X and Y
  double radius = 0.0;  // circular: see SegmentGeometry.h for what the angles mean
  double initialAngle = 0.0;
  double angleIncrement = 0.0;

  static PathSegment Line(double dx, double dy) { return {Kind::Linear, {dx, dy}, 0.0, 0.0, 0.0}; }
  static PathSegment Arc(double radius, double initialAngle, double angleIncrement) {
    return {Kind::Circular, {}, radius, initialAngle, angleIncrement};
  }
};

}  // namespace geometry
