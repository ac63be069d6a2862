#pragma once

#include <cstddef>
#include <vector>

#include "geometry/offset/internal/OffsetSlices.h"

namespace geometry::offsetting {

// Kept slices joined end to start, in the direction of the source.
struct Chain {
  std::vector<size_t> slices;
  bool closed = false;  // its last slice ends where its first starts
};

// Where several kept slices start at the end of one (as `kept` finds them), the chain goes on with the
// one that comes next along the raw offset, so that loops that touch stay apart. Chains start
// where no kept slice leads in, then at the first slice along the raw offset not yet in one.
std::vector<Chain> StitchSlices(const std::vector<Slice>& slices, const KeptSliceEnds& kept);

}  // namespace geometry::offsetting
