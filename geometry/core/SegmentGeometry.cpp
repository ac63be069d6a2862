#include "geometry/core/SegmentGeometry.h"

#include <cmath>
#include <numbers>

namespace geometry {

namespace {

Point Polar(double radius, double angle) { return {radius * std::cos(angle), radius * std::sin(angle)}; }

// Travel runs a quarter turn ahead of the radius when the arc turns counterclockwise, behind it
// when it turns clockwise.
double ArcHeading(const PathSegment& arc, double angle) {
  const double quarter = std::numbers::pi / 2.0;
  return NormalizedAngle(angle + (arc.angleIncrement >= 0.0 ? quarter : -quarter));
}

}  // namespace

double NormalizedAngle(double angle) {
  const double turn = 2.0 * std::numbers::pi;
  const double normalized = std::remainder(angle, turn);
  return normalized <= -std::numbers::pi ? normalized + turn : normalized;
}

Point ArcCentre(const PathSegment& segment) { return Polar(-segment.radius, segment.initialAngle); }

Point PointAlong(const PathSegment& segment, double t) {
  if (segment.kind == PathSegment::Kind::Linear) return t * segment.increment;
  const double angle = segment.initialAngle + t * segment.angleIncrement;
  return ArcCentre(segment) + Polar(segment.radius, angle);
}

double HeadingAlong(const PathSegment& segment, double t) {
  if (segment.kind == PathSegment::Kind::Linear)
    return NormalizedAngle(std::atan2(segment.increment.y, segment.increment.x));
  return ArcHeading(segment, segment.initialAngle + t * segment.angleIncrement);
}

double Length(const PathSegment& segment) {
  if (segment.kind == PathSegment::Kind::Linear) return std::hypot(segment.increment.x, segment.increment.y);
  return std::abs(segment.radius * segment.angleIncrement);
}

}  // namespace geometry
