#include "geometry/core/RelativePath.h"

#include <cmath>
#include <numbers>

#include "geometry/core/Angles.h"
#include "geometry/core/SegmentGeometry.h"
#include "geometry/core/Tolerances.h"

namespace geometry {

namespace {

// The point of the perpendicular bisector of `from` and `to` nearest to `centre`: the centre of
// the circle through both points that lies closest to the one written. Coinciding points leave
// the written centre as it is.
Point CentreThrough(Point from, Point to, Point centre) {
  const Point chord = to - from;
  const double length = Norm(chord);
  if (length == 0.0) return centre;
  const Point middle = 0.5 * (from + to);
  const Point across = LeftOf({chord.x / length, chord.y / length});
  return middle + Dot(centre - middle, across) * across;
}

// A circle starts and ends on one point: wherever the rounded path before it ends, it runs its
// written circle from there, its centre where the written one lies from the written start. No
// chord leads to its centre, and the rounding noise between the two points would give a chord
// of any direction.
bool IsFullCircle(const ContourSegment& written) { return Distance(written.start, written.end) <= kSamePoint; }

// The arc from `from` to the written arc's end: its turn is the one from the new start angle to
// the new end angle that lies closest to the written turn, so nearly full turns stay nearly full.
PathSegment ArcFrom(Point from, const ContourSegment& written) {
  if (IsFullCircle(written)) return RelativeOf(written);
  const Point centre = CentreThrough(from, written.end, written.centre);
  const Point radius = from - centre;
  const double initialAngle = AngleOf(radius);
  const double turn = AngleOf(written.end - centre) - initialAngle;
  return PathSegment::Arc(Norm(radius), initialAngle, NearestEquivalent(turn, written.sweep));
}

// The arc from `from` to the written arc's end as the motion keeps it. Rounding its radius and
// both angles on their own would miss the end by up to the radius times the angles' rounding,
// which grows without bound with the radius. So its turn is rounded first; an arc of up to a half
// turn then takes the initial angle that heads its chord for the end and the radius that makes
// the chord reach it, and so ends within the rounding of its radius, whatever its size. A larger
// arc keeps the rounded radius and angle of its centre: its chord says little of it.
PathSegment RoundedArc(Point from, const ContourSegment& written, const Rounding& rounding) {
  const PathSegment arc = ArcFrom(from, written);
  const double turn = rounding.angle(arc.angleIncrement);
  const Point chord = written.end - from;
  const double halfTurnSine = std::abs(std::sin(turn / 2.0));
  if (std::abs(turn) > std::numbers::pi || halfTurnSine == 0.0 || Norm(chord) == 0.0)
    return PathSegment::Arc(rounding.length(arc.radius), rounding.angle(arc.initialAngle), turn);
  // The chord of an arc from initial angle a turning t heads a + t/2 a quarter turn to its side.
  const double initialAngle = NormalizedAngle(AngleOf(chord) - turn / 2.0 - std::copysign(kQuarterTurn, turn));
  return PathSegment::Arc(rounding.length(Norm(chord) / (2.0 * halfTurnSine)), rounding.angle(initialAngle), turn);
}

bool IsEmptyLine(const PathSegment& segment) {
  return segment.kind == PathSegment::Kind::Linear && segment.increment.x == 0.0 && segment.increment.y == 0.0;
}

}  // namespace

PathSegment RoundedFrom(const ContourSegment& written, Point from, const Rounding& rounding) {
  if (written.kind == PathSegment::Kind::Circular) return RoundedArc(from, written, rounding);
  const Point increment = written.end - from;
  return PathSegment::Line(rounding.length(increment.x), rounding.length(increment.y));
}

PathSegment RelativeOf(const ContourSegment& segment) {
  if (segment.kind == PathSegment::Kind::Linear) {
    const Point increment = segment.end - segment.start;
    return PathSegment::Line(increment.x, increment.y);
  }
  return PathSegment::Arc(segment.Radius(), AngleOf(segment.start - segment.centre), segment.sweep);
}

ContourSegment PlacedAt(const PathSegment& segment, Point start) {
  const Point end = start + Displacement(segment);
  if (segment.kind == PathSegment::Kind::Linear) return ContourSegment::Line(start, end);
  return ContourSegment::Arc(start, end, start + ArcCentre(segment), segment.angleIncrement);
}

void ForEachRelativeSegment(const Contour& contour, const Rounding& rounding,
                            const std::function<bool(const ImportedSegment&)>& take) {
  Point reached = contour.start;
  double feed = 0.0;
  for (const ContourMove& move : contour.moves) {
    if (move.feed != 0.0) feed = move.feed;
    const PathSegment segment = RoundedFrom(move.segment, reached, rounding);
    if (IsEmptyLine(segment)) continue;
    if (!take({segment, feed, move.line})) return;
    feed = 0.0;
    reached = reached + Displacement(segment);
  }
}

std::vector<ImportedSegment> ToRelativePath(const Contour& contour, const Rounding& rounding) {
  std::vector<ImportedSegment> segments;
  segments.reserve(contour.moves.size());
  ForEachRelativeSegment(contour, rounding, [&segments](const ImportedSegment& segment) {
    segments.push_back(segment);
    return true;
  });
  return segments;
}

}  // namespace geometry
