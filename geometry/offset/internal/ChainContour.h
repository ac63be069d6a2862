#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "geometry/core/Contour.h"
#include "geometry/offset/internal/SliceStitching.h"
#include "geometry/offset/internal/SourcePath.h"

namespace geometry::offsetting {

// The feed in force at each move of the source: its own, or the last one given before it.
std::vector<double> FeedsInForce(const Contour& source);

// The contour a chain runs: the parts of its slices as segments, the parts of one parallel or one
// corner arc that follow each other as one segment, and segments no longer than `negligible` that
// end within it of where the contour has got to left out. Each move carries the line of the source move its element
// comes from, and the feed in force there (`feeds`, by the source's moves) where that differs
// from the one before. None when nothing is left.
std::optional<Contour> ContourOfChain(const Chain& chain, const Slices& slices, const RawOffset& raw,
                                      const PieceMoves& moves, const Contour& source, const std::vector<double>& feeds,
                                      double negligible);

}  // namespace geometry::offsetting
