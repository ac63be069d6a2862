#include "geometry/core/Contour.h"

namespace geometry {

double ContourLength(const Contour& contour) {
  double length = 0.0;
  for (const ContourMove& move : contour.moves) length += Length(move.segment);
  return length;
}

}  // namespace geometry
