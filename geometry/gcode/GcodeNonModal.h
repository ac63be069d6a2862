#pragma once

#include "geometry/gcode/GcodeBlock.h"
#include "geometry/gcode/GcodeContours.h"
#include "geometry/gcode/GcodeState.h"

// The words that use a line's axis words for something other than a move of the motion mode:
// homing (G28, G30), offsets (G10, G52, G92 and its kin) and the centre of a mode the reader cannot
// follow. Used by the G-code reader.
namespace geometry {

void RunNonModal(GcodeBlock& block, GcodeState& state, GcodeContours& contours);

}  // namespace geometry
