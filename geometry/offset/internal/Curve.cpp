#include "geometry/offset/internal/Curve.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/core/Angles.h"
#include "geometry/core/Tolerances.h"

namespace geometry::offsetting {

Box Box::With(const Box& other) const {
  return {{std::min(min.x, other.min.x), std::min(min.y, other.min.y)},
          {std::max(max.x, other.max.x), std::max(max.y, other.max.y)}};
}

Curve Curve::Arc(Point centre, double radius, double startAngle, double sweep) {
  return {centre + Polar(radius, startAngle),
          centre + Polar(radius, startAngle + sweep),
          centre,
          radius,
          startAngle,
          sweep};
}

// An arc of less than half a turn that strays from its chord by less than one point's width is
// that chord: its centre lies so far off that its angles would say nothing exact.
Curve Curve::Of(const ContourSegment& segment) {
  const double chord = Distance(segment.start, segment.end);
  const double sagitta = chord / 2.0 * std::tan(std::abs(segment.sweep) / 4.0);
  if (segment.kind == PathSegment::Kind::Linear ||
      (std::abs(segment.sweep) < std::numbers::pi && sagitta <= kSamePoint))
    return Line(segment.start, segment.end);
  const Point centre = chord <= kSamePoint
                           ? segment.centre
                           : ContourSegment::ArcTurning(segment.start, segment.end, segment.sweep).centre;
  return {segment.start, segment.end, centre, Distance(centre, segment.start), AngleOf(segment.start - centre),
          segment.sweep};
}

Point Curve::At(double fraction) const {
  if (fraction <= 0.0) return start;
  if (fraction >= 1.0) return end;
  return IsArc() ? centre + Polar(radius, startAngle + fraction * sweep) : start + fraction * (end - start);
}

double Curve::HeadingAt(double fraction) const {
  if (!IsArc()) return HeadingOf(start, end);
  return NormalizedAngle(startAngle + fraction * sweep + (sweep > 0.0 ? kQuarterTurn : -kQuarterTurn));
}

double Curve::FractionOf(Point p) const {
  if (!IsArc()) {
    const Point along = end - start;
    const double squared = Dot(along, along);
    return squared > 0.0 ? Dot(p - start, along) / squared : 0.0;
  }
  const double turned = (AngleOf(p - centre) - startAngle) * (sweep > 0.0 ? 1.0 : -1.0);
  return NearestEquivalent(turned, std::abs(sweep) / 2.0) / std::abs(sweep);
}

Curve Curve::Part(double from, double to, Point fromPoint, Point toPoint) const {
  if (!IsArc()) return Line(fromPoint, toPoint);
  return {fromPoint, toPoint, centre, radius, startAngle + from * sweep, (to - from) * sweep};
}

bool Curve::HasParallel(double distance, double vanishing) const {
  return !IsArc() || radius - distance * (sweep > 0.0 ? 1.0 : -1.0) > vanishing;
}

Curve Curve::Parallel(double distance) const {
  if (!IsArc()) {
    const Point shift = (distance / Distance(start, end)) * LeftOf(end - start);
    return Line(start + shift, end + shift);
  }
  return Arc(centre, radius - distance * (sweep > 0.0 ? 1.0 : -1.0), startAngle, sweep);
}

Box Curve::Bounds() const {
  Box box{{std::min(start.x, end.x), std::min(start.y, end.y)}, {std::max(start.x, end.x), std::max(start.y, end.y)}};
  if (!IsArc()) return box;
  for (int quarter = 0; quarter < 4; ++quarter) {
    const double angle = quarter * kQuarterTurn;
    const double turned = (angle - startAngle) * (sweep > 0.0 ? 1.0 : -1.0);
    const double along = NearestEquivalent(turned, std::abs(sweep) / 2.0);
    if (along >= 0.0 && along <= std::abs(sweep)) {
      const Point extreme = centre + Polar(radius, angle);
      box = box.With({extreme, extreme});
    }
  }
  return box;
}

ContourSegment Curve::Segment() const {
  return IsArc() ? ContourSegment::Arc(start, end, centre, sweep) : ContourSegment::Line(start, end);
}

double DistanceTo(const Curve& curve, Point p) {
  if (!curve.IsArc()) return DistanceToSegment(p, curve.start, curve.end);
  const double fraction = curve.FractionOf(p);
  if (fraction >= 0.0 && fraction <= 1.0) return std::abs(Distance(p, curve.centre) - curve.radius);
  return std::min(Distance(p, curve.start), Distance(p, curve.end));
}

}  // namespace geometry::offsetting
