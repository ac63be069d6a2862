#include "geometry/core/SegmentGeometry.h"

#include <cmath>

namespace geometry {

namespace {

// Travel runs a quarter turn ahead of the radius when the arc turns counterclockwise, behind it
// when it turns clockwise.
double ArcHeading(const PathSegment& arc, double angle) {
  return NormalizedAngle(angle + (arc.angleIncrement >= 0.0 ? kQuarterTurn : -kQuarterTurn));
}

}  // namespace

Point ArcCentre(const PathSegment& segment) { return Polar(-segment.radius, segment.initialAngle); }

Point PointAlong(const PathSegment& segment, double t) {
  if (segment.kind == PathSegment::Kind::Linear) return t * segment.increment;
  const double angle = segment.initialAngle + t * segment.angleIncrement;
  return ArcCentre(segment) + Polar(segment.radius, angle);
}

double HeadingAlong(const PathSegment& segment, double t) {
  if (segment.kind == PathSegment::Kind::Linear) return NormalizedAngle(AngleOf(segment.increment));
  return ArcHeading(segment, segment.initialAngle + t * segment.angleIncrement);
}

double Length(const PathSegment& segment) {
  if (segment.kind == PathSegment::Kind::Linear) return Norm(segment.increment);
  return std::abs(segment.radius * segment.angleIncrement);
}

}  // namespace geometry
