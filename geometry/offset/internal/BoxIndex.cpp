#include "geometry/offset/internal/BoxIndex.h"

#include <algorithm>
#include <utility>

namespace geometry::offsetting {

BoxIndex::BoxIndex(std::vector<Box> boxes) {
  if (boxes.empty()) return;
  m_Levels.push_back(std::move(boxes));
  while (m_Levels.back().size() > 1) {
    const std::vector<Box>& below = m_Levels.back();
    std::vector<Box> nodes;
    nodes.reserve((below.size() + kNodeSize - 1) / kNodeSize);
    for (size_t first = 0; first < below.size(); first += kNodeSize) {
      Box node = below[first];
      for (size_t child = first + 1; child < std::min(first + kNodeSize, below.size()); ++child)
        node = node.With(below[child]);
      nodes.push_back(node);
    }
    m_Levels.push_back(std::move(nodes));
  }
}

BoxIndex::Needs::Needs(const BoxIndex& queries) {
  m_Left.emplace_back(queries.m_Levels.front().size(), uint8_t{1});
  for (size_t level = 1; level < queries.m_Levels.size(); ++level) {
    std::vector<uint8_t>& left = m_Left.emplace_back(queries.m_Levels[level].size());
    for (size_t node = 0; node < left.size(); ++node) {
      const Children children = queries.ChildrenOf(level, node);
      left[node] = static_cast<uint8_t>(children.last - children.first);
    }
  }
}

void BoxIndex::Needs::Finish(size_t query) {
  m_Left[0][query] = 0;
  size_t node = query;
  for (size_t level = 1; level < m_Left.size(); ++level) {
    node /= kNodeSize;
    if (--m_Left[level][node] != 0) return;
  }
}

}  // namespace geometry::offsetting
