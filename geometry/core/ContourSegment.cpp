#include "geometry/core/ContourSegment.h"

#include <cmath>

namespace geometry {

ContourSegment ContourSegment::ArcRound(Point centre, double radius, double startAngle, double sweep) {
  return Arc(centre + Polar(radius, startAngle), centre + Polar(radius, startAngle + sweep), centre, sweep);
}

// The centre lies on the chord's perpendicular bisector, cot(sweep / 2) half chords to the left
// of the chord: left for a counterclockwise arc under half a turn, right for a longer one.
ContourSegment ContourSegment::ArcTurning(Point start, Point end, double sweep) {
  const Point centre = 0.5 * (start + end) + (0.5 / std::tan(sweep / 2.0)) * LeftOf(end - start);
  return Arc(start, end, centre, sweep);
}

double Length(const ContourSegment& segment) {
  if (segment.kind == PathSegment::Kind::Linear) return Distance(segment.start, segment.end);
  return segment.Radius() * std::abs(segment.sweep);
}

ContourSegment Reversed(const ContourSegment& segment) {
  ContourSegment reversed = segment;
  reversed.start = segment.end;
  reversed.end = segment.start;
  reversed.sweep = -segment.sweep;
  return reversed;
}

}  // namespace geometry
