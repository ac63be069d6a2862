#pragma once

#include <vector>

#include "geometry/arcfit/ArcFitter.h"
#include "geometry/core/Contour.h"

namespace geometry {

// The contour with each run of lines fitted with arcs (ArcFitter.h), its arcs kept as they are.
// A run joins the arc before or after it without a kink where the polyline turns from it by no
// more than the corner angle. Where a move is marked in `startsSegment` (where the source sets a
// new speed, say), a fitted segment starts exactly on its start point and carries the move's feed
// and line; every fitted move has the line of the move it starts in. `startsSegment` may be empty,
// or holds one flag per move.
Contour FitContour(const Contour& contour, const ArcFitOptions& options, const std::vector<bool>& startsSegment);

}  // namespace geometry
