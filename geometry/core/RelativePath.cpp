#include "geometry/core/RelativePath.h"

#include <cmath>

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

PathSegment RoundedSegment(const ContourSegment& written, Point from, const Rounding& rounding) {
  if (written.kind == PathSegment::Kind::Circular) {
    const PathSegment arc = ArcFrom(from, written);
    return PathSegment::Arc(rounding.length(arc.radius), rounding.angle(arc.initialAngle),
                            rounding.angle(arc.angleIncrement));
  }
  const Point increment = written.end - from;
  return PathSegment::Line(rounding.length(increment.x), rounding.length(increment.y));
}

bool IsEmptyLine(const PathSegment& segment) {
  return segment.kind == PathSegment::Kind::Linear && segment.increment.x == 0.0 && segment.increment.y == 0.0;
}

}  // namespace

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
    const PathSegment segment = RoundedSegment(move.segment, reached, rounding);
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
