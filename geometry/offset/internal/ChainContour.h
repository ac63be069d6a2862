#pragma once

#include <optional>

#include "geometry/core/Contour.h"
#include "geometry/offset/internal/SliceStitching.h"

namespace geometry::offsetting {

// The contour a chain runs: the parts of its slices as segments, the parts of one parallel or one
// corner arc that follow each other as one segment, and segments no longer than `negligible` that
// end within it of where the contour has got to left out. Each move carries the line of the source move its element
// comes from, and the feed in force there where that differs from the one before. None when
// nothing is left.
std::optional<Contour> ContourOfChain(const Chain& chain, const std::vector<Slice>& slices, const RawOffset& raw,
                                      const Contour& source, double negligible);

}  // namespace geometry::offsetting
