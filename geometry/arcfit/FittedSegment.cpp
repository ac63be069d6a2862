#include "geometry/arcfit/FittedSegment.h"

#include <cmath>
#include <numbers>

#include "geometry/core/Angles.h"
#include "geometry/core/Tolerances.h"

namespace geometry {

namespace {

// sin(x) / x, without the loss of digits of the quotient near 0.
double Sinc(double x) { return std::abs(x) < 1e-4 ? 1.0 - x * x / 6.0 : std::sin(x) / x; }

}  // namespace

Point FittedSegment::At(double distance) const {
  // Along the heading sin(turn) / curvature, to its left (1 - cos(turn)) / curvature, written so
  // that both stay exact as the curvature goes to 0.
  const double turn = curvature * distance;
  const double halfSinc = Sinc(turn / 2.0);
  const double along = distance * Sinc(turn);
  const double across = distance * (turn / 2.0) * halfSinc * halfSinc;
  const Point forward = Direction(heading);
  return start + along * forward + across * LeftOf(forward);
}

ContourSegment ContourSegmentOf(const FittedSegment& segment, Point end) {
  if (segment.curvature == 0.0) return ContourSegment::Line(segment.start, end);
  return ContourSegment::Arc(segment.start, end, segment.Centre(), segment.curvature * segment.length);
}

FittedSegment FittedSegmentOf(const ContourSegment& segment) {
  if (segment.kind == PathSegment::Kind::Linear)
    return {segment.start, HeadingOf(segment.start, segment.end), 0.0, Distance(segment.start, segment.end)};
  const double radius = segment.Radius();
  return {segment.start, HeadingOf(segment.centre, segment.start) + std::copysign(kQuarterTurn, segment.sweep),
          std::copysign(1.0 / radius, segment.sweep), std::abs(segment.sweep) * radius};
}

std::optional<FittedSegment> SegmentThrough(Point start, double heading, Point target) {
  const Point forward = Direction(heading);
  const Point offset = target - start;
  const double along = Dot(offset, forward);
  const double across = Dot(offset, LeftOf(forward));
  const double chord = std::hypot(along, across);
  // The chord makes half the arc's turn with the heading.
  const double halfTurn = std::atan2(across, along);
  if (chord == 0.0 || std::abs(halfTurn) >= std::numbers::pi) return std::nullopt;
  FittedSegment segment;
  segment.start = start;
  segment.heading = heading;
  segment.curvature = 2.0 * across / (chord * chord);
  segment.length = chord / Sinc(halfTurn);
  return segment;
}

std::optional<std::pair<FittedSegment, FittedSegment>> Biarc(Point start, double startHeading, Point end,
                                                             double endHeading) {
  // The tangent lines of length a from start and from end meet the meeting point's tangent at
  // two points 2a apart: |v - a (t0 + t1)| = 2a, a quadratic in a with one positive root.
  const Point t0 = Direction(startHeading);
  const Point t1 = Direction(endHeading);
  const Point v = end - start;
  const double vv = Dot(v, v);
  const double vt = Dot(v, t0 + t1);
  const double root = vt + std::sqrt(vt * vt + 2.0 * (1.0 - Dot(t0, t1)) * vv);
  if (vv == 0.0 || !(root > 0.0)) return std::nullopt;
  const double a = vv / root;
  const Point meeting = 0.5 * ((start + a * t0) + (end - a * t1));
  const auto first = SegmentThrough(start, startHeading, meeting);
  if (!first) return std::nullopt;
  const auto second = SegmentThrough(meeting, first->EndHeading(), end);
  if (!second || TurnBetween(second->EndHeading(), endHeading) > kHeadingNoise) return std::nullopt;
  return std::pair(*first, *second);
}

}  // namespace geometry
