#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "geometry/offset/internal/OffsetSlices.h"

namespace geometry::offsetting {

// Kept slices joined end to start, in the direction of the source.
struct Chain {
  std::span<const size_t> slices;
  bool closed = false;  // its last slice ends where its first starts
};

// The chains one after another in one array.
class Chains {
 public:
  size_t size() const { return m_Closed.size(); }
  Chain operator[](size_t chain) const {
    return {std::span(m_Slices).subspan(m_Firsts[chain], m_Firsts[chain + 1] - m_Firsts[chain]), m_Closed[chain]};
  }

  void Add(size_t slice) { m_Slices.push_back(slice); }
  void End(bool closed) {
    m_Closed.push_back(closed);
    m_Firsts.push_back(m_Slices.size());
  }

 private:
  std::vector<size_t> m_Slices;
  std::vector<size_t> m_Firsts{0};  // where each chain starts in m_Slices, and where the last ends
  std::vector<bool> m_Closed;
};

// Where several kept slices start at the end of one (as `kept` finds them), the chain goes on with the
// one that comes next along the raw offset, so that loops that touch stay apart. Chains start
// where no kept slice leads in, then at the first slice along the raw offset not yet in one.
Chains StitchSlices(const Slices& slices, const KeptSliceEnds& kept);

}  // namespace geometry::offsetting
