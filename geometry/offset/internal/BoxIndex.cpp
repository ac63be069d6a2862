#include "geometry/offset/internal/BoxIndex.h"

#include <algorithm>
#include <utility>

namespace geometry::offsetting {

BoxIndex::BoxIndex(std::vector<Box> boxes) {
  if (boxes.empty()) return;
  m_Levels.push_back(std::move(boxes));
  while (m_Levels.back().size() > kNodeSize) {
    const std::vector<Box>& below = m_Levels.back();
    std::vector<Box> nodes;
    for (size_t first = 0; first < below.size(); first += kNodeSize) {
      Box node = below[first];
      for (size_t child = first + 1; child < std::min(first + kNodeSize, below.size()); ++child)
        node = node.With(below[child]);
      nodes.push_back(node);
    }
    m_Levels.push_back(std::move(nodes));
  }
}

}  // namespace geometry::offsetting
