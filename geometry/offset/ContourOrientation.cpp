#include "geometry/offset/ContourOrientation.h"

#include <cmath>

namespace geometry {

bool IsClosed(const Contour& contour, double gap) {
  return !contour.moves.empty() &&
         Distance(contour.moves.back().segment.end, contour.moves.front().segment.start) <= gap;
}

// Each segment adds the triangle between the start and its chord, and an arc the circular segment
// between its chord and itself: on the chord's right when it turns counterclockwise.
double SignedArea(const Contour& contour) {
  if (contour.moves.empty()) return 0.0;
  const Point origin = contour.moves.front().segment.start;
  double area = 0.0;
  for (const ContourMove& move : contour.moves) {
    const ContourSegment& segment = move.segment;
    area += Cross(segment.start - origin, segment.end - origin) / 2.0;
    if (segment.kind == PathSegment::Kind::Circular) {
      const double radius = segment.Radius();
      area += radius * radius * (segment.sweep - std::sin(segment.sweep)) / 2.0;
    }
  }
  return area;
}

}  // namespace geometry
