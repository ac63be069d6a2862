#include "geometry/offset/internal/PlaceCells.h"

#include <bit>

namespace geometry::offsetting {

PlaceCells::PlaceCells(double reach, const std::vector<Numbered>& points) : m_Reach(reach) {
  // At most half the slots taken, so that a search finds its cell or a free slot soon.
  const size_t slots = std::bit_ceil(2 * points.size() + 2);
  m_Keys.resize(slots);
  m_Cells.assign(slots, kNoCell);
  std::vector<uint32_t> cellOf(points.size());
  std::vector<uint32_t> counts;
  for (size_t i = 0; i < points.size(); ++i) {
    const Key key{ColumnOf(points[i].at.x), ColumnOf(points[i].at.y)};
    const size_t slot = SlotOf(key);
    if (m_Cells[slot] == kNoCell) {
      m_Keys[slot] = key;
      m_Cells[slot] = static_cast<uint32_t>(counts.size());
      counts.push_back(0);
    }
    cellOf[i] = m_Cells[slot];
    ++counts[cellOf[i]];
  }
  m_FirstOf.assign(counts.size() + 1, 0);
  for (size_t cell = 0; cell < counts.size(); ++cell) m_FirstOf[cell + 1] = m_FirstOf[cell] + counts[cell];
  std::vector<uint32_t> next(m_FirstOf.begin(), m_FirstOf.end() - 1);
  m_Points.resize(points.size());
  for (size_t i = 0; i < points.size(); ++i) m_Points[next[cellOf[i]]++] = points[i];
}

// The slot that holds the key's cell, or the free one where it would go.
size_t PlaceCells::SlotOf(const Key& key) const {
  const size_t mask = m_Cells.size() - 1;
  const uint64_t hash = static_cast<uint64_t>(key.column) * 0x9E3779B97F4A7C15ull ^
                        static_cast<uint64_t>(key.row) * 0xC2B2AE3D27D4EB4Full;
  size_t slot = (hash >> 17) & mask;
  while (m_Cells[slot] != kNoCell && !(m_Keys[slot] == key)) slot = (slot + 1) & mask;
  return slot;
}

uint32_t PlaceCells::CellAt(const Key& key) const { return m_Cells[SlotOf(key)]; }

}  // namespace geometry::offsetting
