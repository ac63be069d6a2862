#pragma once

#include <string>
#include <vector>

#include "geometry/drawing/ContourChaining.h"
#include "geometry/drawing/Drawing.h"
#include "geometry/drawing/DrawingPaths.h"

namespace geometry {

struct DrawingImport {
  std::vector<DrawingContour> contours;
  std::vector<std::string> notes;   // what was skipped, assumed or left out, and gaps
  std::vector<std::string> faults;  // why the drawing gives no contours; none when it does
};

// The contours of a drawing's entities on the chosen layers (DrawingPaths.h, ContourChaining.h).
DrawingImport ImportDrawing(const Drawing& drawing, const DrawingOptions& options);

}  // namespace geometry
