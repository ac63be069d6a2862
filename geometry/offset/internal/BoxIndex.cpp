#include "geometry/offset/internal/BoxIndex.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace geometry::offsetting {

namespace {

constexpr uint32_t kCurveSide = 1u << 16;  // cells a side of the square the curve runs through

// How far along the Hilbert curve through the square of kCurveSide cells the cell (x, y) lies:
// cells close along the curve are close in the plane.
uint64_t HilbertPosition(uint32_t x, uint32_t y) {
  uint64_t position = 0;
  for (uint32_t half = kCurveSide / 2; half > 0; half /= 2) {
    const uint32_t right = (x & half) != 0 ? 1 : 0;
    const uint32_t up = (y & half) != 0 ? 1 : 0;
    position += static_cast<uint64_t>(half) * half * ((3 * right) ^ up);
    if (up == 0) {
      if (right == 1) {
        x = kCurveSide - 1 - x;
        y = kCurveSide - 1 - y;
      }
      std::swap(x, y);
    }
  }
  return position;
}

}  // namespace

BoxIndex::BoxIndex(const std::vector<Box>& boxes) {
  if (boxes.empty()) return;
  Box all = boxes.front();
  for (const Box& box : boxes) all = all.With(box);
  const double width = std::max(all.max.x - all.min.x, 1e-300);
  const double height = std::max(all.max.y - all.min.y, 1e-300);
  const auto cell = [](double share) { return static_cast<uint32_t>(std::clamp(share, 0.0, 1.0) * (kCurveSide - 1)); };
  std::vector<uint64_t> positions(boxes.size());
  for (size_t i = 0; i < boxes.size(); ++i) {
    const Point centre = boxes[i].Centre();
    positions[i] = HilbertPosition(cell((centre.x - all.min.x) / width), cell((centre.y - all.min.y) / height));
  }
  m_Order.resize(boxes.size());
  std::iota(m_Order.begin(), m_Order.end(), 0u);
  std::sort(m_Order.begin(), m_Order.end(),
            [&positions](uint32_t a, uint32_t b) { return positions[a] < positions[b]; });

  std::vector<Box> level;
  level.reserve(boxes.size());
  for (uint32_t index : m_Order) level.push_back(boxes[index]);
  m_Levels.push_back(std::move(level));
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
