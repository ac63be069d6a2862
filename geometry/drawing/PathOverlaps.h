#pragma once

#include <string>
#include <vector>

#include "geometry/drawing/DrawingPaths.h"

// Entities drawn twice, or drawn over a stretch of another: the commonest flaw of real drawings,
// which would otherwise make ends meet three at a time.
namespace geometry {

// Leaves out each path that lies wholly on another, within the join tolerance: every line of it
// on a line of the other, every arc on an arc of the other's circle. Of two that coincide the
// later one in the drawing goes. Returns the notes that name each path left out and the one it
// lies on.
std::vector<std::string> LeaveOutOverlaps(std::vector<EntityPath>& paths, double joinTolerance);

}  // namespace geometry
