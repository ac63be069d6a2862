#include "geometry/core/Contour.h"

#include <cmath>

namespace geometry {

double ContourLength(const Contour& contour) {
  double length = 0.0;
  Point from = contour.start;
  for (const ContourMove& move : contour.moves) {
    const Point chord = move.end - from;
    const Point radius = from - move.centre;
    length += move.kind == PathSegment::Kind::Linear ? std::hypot(chord.x, chord.y)
                                                     : std::hypot(radius.x, radius.y) * std::abs(move.sweep);
    from = move.end;
  }
  return length;
}

}  // namespace geometry
