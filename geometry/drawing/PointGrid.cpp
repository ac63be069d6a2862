#include "geometry/drawing/PointGrid.h"

namespace geometry {

void PointGrid::Add(uint32_t index, Point p) { AddToCell(index, CellOf(p)); }

void PointGrid::AddAcross(uint32_t index, Point low, Point high) {
  const Cell from = CellOf(low);
  const Cell to = CellOf(high);
  for (int64_t x = from.x; x <= to.x; ++x)
    for (int64_t y = from.y; y <= to.y; ++y) AddToCell(index, {x, y});
}

void PointGrid::AddToCell(uint32_t index, Cell cell) {
  if (m_Filed.size() >= m_First.size()) Rehash(2 * m_First.size());
  m_Filed.push_back({cell, index, kEnd});
  Link(static_cast<uint32_t>(m_Filed.size() - 1));
}

// Chains what is filed through the buckets again, in the order it was filed.
void PointGrid::Rehash(size_t buckets) {
  m_First.assign(buckets, kEnd);
  m_Last.assign(buckets, kEnd);
  m_Filed.reserve(buckets);
  for (uint32_t filed = 0; filed < m_Filed.size(); ++filed) {
    m_Filed[filed].next = kEnd;
    Link(filed);
  }
}

void PointGrid::Link(uint32_t filed) {
  const size_t bucket = Bucket(m_Filed[filed].cell);
  if (m_First[bucket] == kEnd) {
    m_First[bucket] = filed;
  } else {
    m_Filed[m_Last[bucket]].next = filed;
  }
  m_Last[bucket] = filed;
}

}  // namespace geometry
