#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/Result.h"
#include "geometry/core/Contour.h"

// The parallel offset of a contour: the path of a tool's centre that keeps the tool's radius (or a
// kerf's half width) from the contour on one side of it, its arcs kept exact.
namespace geometry {

enum class OffsetSide {
  Left,     // of the direction of travel; a negative distance goes to the right
  Outside,  // of a closed contour, by the way it runs round
  Inside,
};

struct OffsetOptions {
  double distance = 0.0;  // mm; a negative distance goes to the other side
  OffsetSide side = OffsetSide::Left;
  // mm: a contour that ends this close to its start is closed, its gap closed by a line
  double closingGap = 0.001;
  // How the notes name the place of a move by its line (ContourMove::line): "line 12" unless told
  // otherwise, as a drawing's import names its entities.
  std::function<std::string(int line)> placeOf = nullptr;
};

// The contours at the distance from `contour` on the side asked: every point of them lies at the
// distance from the contour, and no point of the contour comes nearer to them. Each line becomes a
// parallel line and each arc a concentric arc. Where the parallels of two moves open a gap at a
// corner, an arc about the corner joins them, the way the tool goes round it; where they overlap,
// each ends where they cross. Whatever comes nearer to the contour than the distance is left out:
// at tight corners inside, where an arc's radius is less than the distance (the arc vanishes), and
// where parts of the contour come within twice the distance of each other. So a closed contour may
// give several contours, or none. The offsets run the contour's way, a closed one from the offset
// of the contour's start where that is left; each move carries the line of the move it comes from
// (a corner's arc that of the move after it), and the feed in force there where that changes.
// The notes tell what vanished and into how many contours the offset fell; nothing left is a fault.
Result<std::vector<Contour>> OffsetContour(const Contour& contour, const OffsetOptions& options);

}  // namespace geometry
