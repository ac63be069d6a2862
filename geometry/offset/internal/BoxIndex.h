#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/offset/internal/Curve.h"

namespace geometry::offsetting {

// Boxes packed in their order into a tree of nodes of kNodeSize, each node holding the box round
// its children: a search visits only the nodes whose boxes may hold what it seeks. The boxes of a
// contour's curves come in the order the contour runs, each beside the one before it, so a node's
// children lie together and, on a contour whose curves are not all piled in one place, each search
// looks at a few boxes of thousands. Built in one pass, O(n): no sort.
class BoxIndex {
 public:
  explicit BoxIndex(std::vector<Box> boxes);

  const Box& BoxOf(size_t index) const { return m_Levels.front()[index]; }

  // Visits the index of each box that `near(box)` accepts, where `near` is also asked of the nodes'
  // boxes, so it must accept a box round any box it accepts. `visit(index)` returns false to stop
  // the search, which then returns false.
  template <typename Near, typename Visit>
  bool Search(Near near, Visit visit) const {
    if (m_Levels.empty()) return true;
    // Depth first, so that at most a node's children wait on each level. Each box is asked of
    // `near` as its node opens, in one pass over the node's children side by side in memory, so
    // that only the boxes it accepts wait.
    std::array<Entry, kNodeSize * kMostLevels> pending;
    size_t waiting = 0;
    const auto open = [&](size_t level, size_t first, size_t last) {
      const std::vector<Box>& boxes = m_Levels[level];
      for (size_t index = first; index < last; ++index)
        if (near(boxes[index])) pending[waiting++] = {level, static_cast<uint32_t>(index)};
    };
    open(m_Levels.size() - 1, 0, m_Levels.back().size());
    while (waiting > 0) {
      const Entry entry = pending[--waiting];
      if (entry.level == 0) {
        if (!visit(entry.index)) return false;
        continue;
      }
      const size_t first = static_cast<size_t>(entry.index) * kNodeSize;
      open(entry.level - 1, first, std::min(first + kNodeSize, m_Levels[entry.level - 1].size()));
    }
    return true;
  }

  // Visits the index of each box that overlaps `box`.
  template <typename Visit>
  void VisitOverlapping(const Box& box, Visit visit) const {
    Search([&box](const Box& candidate) { return candidate.Overlaps(box); },
           [&visit](uint32_t index) {
             visit(index);
             return true;
           });
  }

 private:
  static constexpr size_t kNodeSize = 16;
  static constexpr size_t kMostLevels = 9;  // of 2^32 boxes

  struct Entry {
    size_t level;
    uint32_t index;
  };

  std::vector<std::vector<Box>> m_Levels;  // the boxes, then each level of nodes above them
};

}  // namespace geometry::offsetting
