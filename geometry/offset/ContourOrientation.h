#pragma once

#include "geometry/core/Contour.h"

// Which way a contour runs round, for the offsets outside and inside it.
namespace geometry {

// Whether the contour has moves and ends within `gap` (mm) of where it starts.
bool IsClosed(const Contour& contour, double gap);

// The area (mm^2) a closed contour encloses: positive when it runs round counterclockwise,
// negative when clockwise. Of a contour that crosses itself, each loop counts by its own sense.
double SignedArea(const Contour& contour);

}  // namespace geometry
