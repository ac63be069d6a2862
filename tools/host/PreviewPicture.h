#pragma once

#include <vector>

#include "framework/dialog/Picture.h"
#include "geometry/PathSegment.h"
#include "geometry/PathWalk.h"

// The picture of a path beside the editor, in the path's own coordinates: the segments in the
// plot's colour, arcs as polylines fine enough to look round at any size the window gives them,
// the start as a green dot and the end as a red square, and the segment `current` (from 0; none
// when out of range) drawn over the path in orange and numbered as the plot numbers it. `walk` is
// the path's walk.
CPicture PreviewPicture(const std::vector<geometry::PathSegment>& path, const geometry::PathWalk& walk, int current);
