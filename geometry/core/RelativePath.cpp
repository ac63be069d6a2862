#include "geometry/core/RelativePath.h"

#include <cmath>
#include <numbers>

#include "geometry/core/SegmentGeometry.h"

namespace geometry {

namespace {

double Dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
double AngleOf(Point p) { return std::atan2(p.y, p.x); }

// The point of the perpendicular bisector of `from` and `to` nearest to `centre`: the centre of
// the circle through both points that lies closest to the one written. Coinciding points leave
// the written centre as it is.
Point CentreThrough(Point from, Point to, Point centre) {
  const Point chord = to - from;
  const double length = std::hypot(chord.x, chord.y);
  if (length == 0.0) return centre;
  const Point middle = 0.5 * (from + to);
  const Point across{-chord.y / length, chord.x / length};
  return middle + Dot(centre - middle, across) * across;
}

// The arc from `from` to the move's end: its turn is the one from the new start angle to the new
// end angle that lies closest to the written turn, so nearly full turns stay nearly full.
PathSegment ArcThrough(const ContourMove& move, Point from) {
  const Point centre = CentreThrough(from, move.end, move.centre);
  const Point radius = from - centre;
  const double initialAngle = AngleOf(radius);
  const double turn = AngleOf(move.end - centre) - initialAngle;
  const double sweep = move.sweep + std::remainder(turn - move.sweep, 2.0 * std::numbers::pi);
  return PathSegment::Arc(std::hypot(radius.x, radius.y), initialAngle, sweep);
}

PathSegment RoundedSegment(const ContourMove& move, Point from, const Rounding& rounding) {
  if (move.kind == PathSegment::Kind::Circular) {
    const PathSegment arc = ArcThrough(move, from);
    return PathSegment::Arc(rounding.length(arc.radius), rounding.angle(arc.initialAngle),
                            rounding.angle(arc.angleIncrement));
  }
  const Point increment = move.end - from;
  return PathSegment::Line(rounding.length(increment.x), rounding.length(increment.y));
}

bool IsEmptyLine(const PathSegment& segment) {
  return segment.kind == PathSegment::Kind::Linear && segment.increment.x == 0.0 && segment.increment.y == 0.0;
}

}  // namespace

std::vector<ImportedSegment> ToRelativePath(const Contour& contour, const Rounding& rounding) {
  std::vector<ImportedSegment> segments;
  segments.reserve(contour.moves.size());
  Point reached = contour.start;
  double feed = 0.0;
  for (const ContourMove& move : contour.moves) {
    if (move.feed != 0.0) feed = move.feed;
    const PathSegment segment = RoundedSegment(move, reached, rounding);
    if (IsEmptyLine(segment)) continue;
    segments.push_back({segment, feed, move.line});
    feed = 0.0;
    reached = reached + Displacement(segment);
  }
  return segments;
}

}  // namespace geometry
