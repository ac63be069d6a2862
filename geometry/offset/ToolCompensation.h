#pragma once

#include <cstddef>
#include <vector>

#include "common/Result.h"
#include "geometry/core/Contour.h"

// Cutter compensation as a control applies it to stretches of a written path: the tool's centre
// runs the offset of the stretch, reached on an entry move and left on an exit move.
namespace geometry {

// Moves [first, end) of a contour cut with the tool's centre `left` mm to the left of them
// (negative: to the right): the first is the entry, the move at `end` (where there is one) the
// exit. `line` names where compensation was turned on.
struct CompensatedStretch {
  size_t first = 0;
  size_t end = 0;
  double left = 0.0;
  int line = 0;
};

// The path of the tool's centre: each stretch's moves after its entry offset by its distance
// (OffsetContour), the entry a line from where it starts to where the offset starts, the exit a
// line from where the offset ends to where the exit ends; the moves outside the stretches as they
// are. Stretches come in order and do not overlap. Refused at the stretch's line: an entry or exit
// that is an arc, a stretch with no move after its entry, and one whose offset falls apart or
// leaves nothing (the tool does not fit).
Result<Contour> CompensateContour(const Contour& contour, const std::vector<CompensatedStretch>& stretches);

}  // namespace geometry
