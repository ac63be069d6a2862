#pragma once

#include <vector>

#include "common/Result.h"
#include "geometry/drawing/ContourChaining.h"
#include "geometry/drawing/Drawing.h"
#include "geometry/drawing/DrawingPaths.h"

namespace geometry {

struct ImportedDrawing {
  std::vector<DrawingContour> contours;
  LengthUnit unit;  // the one the drawing was read in
};

// The contours of a drawing's entities on the chosen layers (DrawingPaths.h, ContourChaining.h),
// entities that lie on others left out (PathOverlaps.h), with notes of what was skipped, assumed
// or left out, and of gaps; or why the drawing gives no contours (each branching on a line of its
// own).
Result<ImportedDrawing> ImportDrawing(const Drawing& drawing, const DrawingOptions& options);

}  // namespace geometry
