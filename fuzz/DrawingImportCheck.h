#pragma once

#include <string_view>

#include "common/Result.h"
#include "geometry/drawing/Drawing.h"

// What every drawing reader's fuzz target checks of a drawing read from any bytes, through the
// whole import: reading ends in a drawing or in one fault with a line of the text; a drawing
// gives contours or faults, never neither; every contour runs end to end within the join
// tolerance, closes where it says so, and its segments walk to finite numbers. A breach traps.
void CheckDrawingImport(std::string_view bytes, const Result<geometry::Drawing>& drawing);
