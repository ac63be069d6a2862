#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/core/Vector2.h"

namespace geometry::offsetting {

// Numbered points in square cells as wide as the reach within which points are one, so that the
// points within reach of any point lie in the 3 x 3 cells round it. The points are given at once
// and laid out cell by cell in one array, each cell found through a table of open addressing: no
// allocation per cell, no sort, and a cell's points side by side in memory.
class PlaceCells {
 public:
  struct Numbered {
    size_t number;
    Point at;
  };

  PlaceCells(double reach, const std::vector<Numbered>& points);

  // Calls visit(number) for each point within the reach of `p`, a cell's in the order given.
  template <typename Visit>
  void VisitNear(Point p, Visit visit) const {
    const int64_t column = ColumnOf(p.x);
    const int64_t row = ColumnOf(p.y);
    for (int64_t x = column - 1; x <= column + 1; ++x) {
      for (int64_t y = row - 1; y <= row + 1; ++y) {
        const uint32_t cell = CellAt({x, y});
        if (cell == kNoCell) continue;
        for (uint32_t i = m_FirstOf[cell]; i < m_FirstOf[cell + 1]; ++i)
          if (Distance(m_Points[i].at, p) <= m_Reach) visit(m_Points[i].number);
      }
    }
  }

 private:
  struct Key {
    int64_t column;
    int64_t row;
    bool operator==(const Key&) const = default;
  };

  static constexpr uint32_t kNoCell = UINT32_MAX;

  int64_t ColumnOf(double coordinate) const { return static_cast<int64_t>(std::floor(coordinate / m_Reach)); }
  size_t SlotOf(const Key& key) const;
  uint32_t CellAt(const Key& key) const;

  double m_Reach;
  std::vector<Key> m_Keys;          // of the table's slots
  std::vector<uint32_t> m_Cells;    // the cell in each slot, or kNoCell
  std::vector<uint32_t> m_FirstOf;  // where each cell's points start in m_Points, and where the last ends
  std::vector<Numbered> m_Points;   // cell by cell
};

}  // namespace geometry::offsetting
