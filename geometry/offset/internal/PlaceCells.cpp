#include "geometry/offset/internal/PlaceCells.h"

#include <bit>
#include <utility>

namespace geometry::offsetting {

void PlaceCells::MakeTable(size_t points) {
  // At most half the slots taken, so that a search finds its cell or a free slot soon.
  const size_t slots = std::bit_ceil(2 * points + 2);
  m_Cells.assign(slots, kNoCell);
  m_Keys.reserve(points);
}

uint32_t PlaceCells::Enter(Point p) {
  const Key key{ColumnOf(p.x), ColumnOf(p.y)};
  const size_t slot = SlotOf(key);
  if (m_Cells[slot] == kNoCell) {
    m_Keys.push_back(key);
    m_Cells[slot] = static_cast<uint32_t>(m_FirstOf.size());
    m_FirstOf.push_back(0);
  }
  ++m_FirstOf[m_Cells[slot]];
  return m_Cells[slot];
}

void PlaceCells::LayOut(const std::vector<uint32_t>& numbers, const std::vector<uint32_t>& cellOf) {
  uint32_t first = 0;
  for (uint32_t& count : m_FirstOf) first += std::exchange(count, first);
  m_FirstOf.push_back(first);
  std::vector<uint32_t> next(m_FirstOf.begin(), m_FirstOf.end() - 1);
  m_Numbers.resize(numbers.size());
  for (size_t i = 0; i < numbers.size(); ++i) m_Numbers[next[cellOf[i]]++] = numbers[i];
}

// The slot that holds the key's cell, or the free one where it would go.
size_t PlaceCells::SlotOf(const Key& key) const {
  const size_t mask = m_Cells.size() - 1;
  const uint64_t hash = static_cast<uint64_t>(key.column) * 0x9E3779B97F4A7C15ull ^
                        static_cast<uint64_t>(key.row) * 0xC2B2AE3D27D4EB4Full;
  size_t slot = (hash >> 17) & mask;
  while (m_Cells[slot] != kNoCell && !(m_Keys[m_Cells[slot]] == key)) slot = (slot + 1) & mask;
  return slot;
}

uint32_t PlaceCells::CellAt(const Key& key) const { return m_Cells[SlotOf(key)]; }

}  // namespace geometry::offsetting
