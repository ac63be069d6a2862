#include "geometry/offset/internal/SliceStitching.h"

#include <limits>

namespace geometry::offsetting {

namespace {

constexpr size_t kNone = std::numeric_limits<size_t>::max();

class Stitcher {
 public:
  Stitcher(const Slices& slices, const KeptSliceEnds& kept)
      : m_Slices(slices), m_Kept(kept), m_Used(slices.size(), false) {}

  Chains Stitch() {
    Chains chains;
    for (size_t slice = 0; slice < m_Slices.size(); ++slice)
      if (Free(slice) && !LedInto(slice)) AddChainFrom(slice, chains);
    for (size_t slice = 0; slice < m_Slices.size(); ++slice)
      if (Free(slice)) AddChainFrom(slice, chains);
    return chains;
  }

 private:
  bool Free(size_t slice) const { return m_Slices.Kept(slice) && !m_Used[slice]; }

  bool LedInto(size_t slice) const {
    bool led = false;
    m_Kept.VisitEndingNear(m_Slices.From(slice).at, [&](size_t) { led = true; });
    return led;
  }

  void AddChainFrom(size_t first, Chains& chains) {
    for (size_t slice = first; slice != kNone; slice = Next(slice, first)) {
      if (slice == first && m_Used[first]) return chains.End(true);
      chains.Add(slice);
      m_Used[slice] = true;
    }
    chains.End(false);
  }

  // Of the slices that start where `slice` ends, free or the chain's first, the one that comes
  // soonest after it along the raw offset, going round from its end to its start.
  size_t Next(size_t slice, size_t first) const {
    const size_t count = m_Slices.size();
    size_t next = kNone;
    size_t soonest = count;
    m_Kept.VisitStartingNear(m_Slices.To(slice).at, [&](size_t candidate) {
      if (candidate != first && m_Used[candidate]) return;
      const size_t after = (candidate + count - slice - 1) % count;
      if (after < soonest) {
        soonest = after;
        next = candidate;
      }
    });
    return next;
  }

  const Slices& m_Slices;
  const KeptSliceEnds& m_Kept;
  std::vector<bool> m_Used;
};

}  // namespace

Chains StitchSlices(const Slices& slices, const KeptSliceEnds& kept) { return Stitcher(slices, kept).Stitch(); }

}  // namespace geometry::offsetting
