#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "geometry/core/Vector2.h"

namespace geometry {

// Indices filed by points in square cells as wide as a search reach, so that every point within
// the reach of another lies in the 3 x 3 cells round it. What is filed is one list, in the order
// it was filed, chained through buckets of a hash of the cells: a drawing of many entities files
// hundreds of thousands, and the memory they take is what they cost (each page touched the
// first time costs more than the work done on it).
class PointGrid {
 public:
  // Room for `expected` filings from the start spares the grid rechaining itself as it fills.
  explicit PointGrid(double reach, size_t expected = 0) : m_Reach(reach) {
    Rehash(std::max(kFewestBuckets, std::bit_ceil(expected)));
  }

  double Reach() const { return m_Reach; }

  void Add(uint32_t index, Point p);
  // Files the index in every cell that the box from `low` to `high` covers.
  void AddAcross(uint32_t index, Point low, Point high);

  // Calls visit(index) for each index filed in the cells round p, cell by cell (row by row of
  // the 3 x 3), each cell's in the order they were filed; false, without visiting, when they
  // hold more than `most`, so that a crowd costs no more than a look. `visit` searches no grid.
  template <typename Visit>
  bool VisitNear(Point p, size_t most, Visit visit) const {
    m_Near.clear();
    const Cell centre = CellOf(p);
    for (int64_t dx = -1; dx <= 1; ++dx) {
      for (int64_t dy = -1; dy <= 1; ++dy) {
        const Cell cell{centre.x + dx, centre.y + dy};
        for (uint32_t at = m_First[Bucket(cell)]; at != kEnd; at = m_Filed[at].next) {
          if (!(m_Filed[at].cell == cell)) continue;
          if (m_Near.size() == most) return false;
          m_Near.push_back(m_Filed[at].index);
        }
      }
    }
    for (uint32_t index : m_Near) visit(index);
    return true;
  }

  // Calls visit(index) for each index filed in p's own cell, in the order they were filed, until
  // it returns false; false when it did.
  template <typename Visit>
  bool VisitCell(Point p, Visit visit) const {
    const Cell cell = CellOf(p);
    for (uint32_t at = m_First[Bucket(cell)]; at != kEnd; at = m_Filed[at].next)
      if (m_Filed[at].cell == cell && !visit(m_Filed[at].index)) return false;
    return true;
  }

  // Whether p lies in the same cell as q, so that filing an index again there adds nothing.
  bool SameCell(Point p, Point q) const { return CellOf(p) == CellOf(q); }

 private:
  static constexpr uint32_t kEnd = UINT32_MAX;
  // A power of two, and a whole number of blocks (Bucket); the buckets double as they fill.
  static constexpr size_t kFewestBuckets = 64;

  struct Cell {
    int64_t x, y;
    bool operator==(const Cell&) const = default;
  };
  struct Filed {
    Cell cell;
    uint32_t index;
    uint32_t next;  // the next filed in its bucket, or kEnd
  };

  Cell CellOf(Point p) const {
    return {static_cast<int64_t>(std::floor(p.x / m_Reach)), static_cast<int64_t>(std::floor(p.y / m_Reach))};
  }

  // Cells in blocks of 4 x 4 share a run of 16 buckets, one cache line of m_First: the cells
  // round a point mostly lie in one or two.
  size_t Bucket(Cell c) const {
    uint64_t h = static_cast<uint64_t>(c.x >> 2) * 0x9E3779B97F4A7C15ULL ^ static_cast<uint64_t>(c.y >> 2);
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 29;
    return static_cast<size_t>(h << 4 | static_cast<uint64_t>(c.x & 3) << 2 | static_cast<uint64_t>(c.y & 3)) &
           (m_First.size() - 1);
  }

  void AddToCell(uint32_t index, Cell cell);
  void Rehash(size_t buckets);
  // Puts m_Filed[filed] last in its bucket's chain.
  void Link(uint32_t filed);

  double m_Reach;
  std::vector<uint32_t> m_First, m_Last;  // of each bucket, in m_Filed
  std::vector<Filed> m_Filed;
  mutable std::vector<uint32_t> m_Near;  // what VisitNear found, before it visits it
};

}  // namespace geometry
