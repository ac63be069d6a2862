#include "geometry/offset/internal/SliceStitching.h"

#include <limits>

namespace geometry::offsetting {

namespace {

constexpr size_t kNone = std::numeric_limits<size_t>::max();

class Stitcher {
 public:
  Stitcher(const std::vector<Slice>& slices, const KeptSliceEnds& kept)
      : m_Slices(slices), m_Starts(kept.starts), m_Ends(kept.ends), m_Used(slices.size(), false) {}

  std::vector<Chain> Chains() {
    std::vector<Chain> chains;
    for (size_t slice = 0; slice < m_Slices.size(); ++slice)
      if (Free(slice) && !LedInto(slice)) chains.push_back(ChainFrom(slice));
    for (size_t slice = 0; slice < m_Slices.size(); ++slice)
      if (Free(slice)) chains.push_back(ChainFrom(slice));
    return chains;
  }

 private:
  bool Free(size_t slice) const { return m_Slices[slice].kept && !m_Used[slice]; }

  bool LedInto(size_t slice) const {
    bool led = false;
    m_Ends.VisitNear(m_Slices[slice].from.at, [&](size_t other) { led = led || m_Slices[other].kept; });
    return led;
  }

  Chain ChainFrom(size_t first) {
    Chain chain;
    for (size_t slice = first; slice != kNone; slice = Next(slice, first)) {
      if (slice == first && !chain.slices.empty()) {
        chain.closed = true;
        break;
      }
      chain.slices.push_back(slice);
      m_Used[slice] = true;
    }
    return chain;
  }

  // Of the slices that start where `slice` ends, free or the chain's first, the one that comes
  // soonest after it along the raw offset, going round from its end to its start.
  size_t Next(size_t slice, size_t first) const {
    const size_t count = m_Slices.size();
    size_t next = kNone;
    size_t soonest = count;
    m_Starts.VisitNear(m_Slices[slice].to.at, [&](size_t candidate) {
      if (candidate != first && !Free(candidate)) return;
      const size_t after = (candidate + count - slice - 1) % count;
      if (after < soonest) {
        soonest = after;
        next = candidate;
      }
    });
    return next;
  }

  const std::vector<Slice>& m_Slices;
  const PlaceCells& m_Starts;
  const PlaceCells& m_Ends;
  std::vector<bool> m_Used;
};

}  // namespace

std::vector<Chain> StitchSlices(const std::vector<Slice>& slices, const KeptSliceEnds& kept) {
  return Stitcher(slices, kept).Chains();
}

}  // namespace geometry::offsetting
