#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/core/Vector2.h"

namespace geometry::offsetting {

// Numbered points in square cells as wide as the reach within which points are one, so that the
// points within reach of any point lie in the 3 x 3 cells round it. The points are given at once
// and their numbers laid out cell by cell in one array, each cell found through a table of open
// addressing: no allocation per cell, no sort, and a cell's numbers side by side in memory. The
// cells hold only the numbers: `pointOf(number)` gives the point of each, on laying out and on
// each search.
class PlaceCells {
 public:
  template <typename PointOf>
  PlaceCells(double reach, const std::vector<uint32_t>& numbers, PointOf pointOf) : m_Reach(reach) {
    MakeTable(numbers.size());
    std::vector<uint32_t> cellOf;
    cellOf.reserve(numbers.size());
    for (uint32_t number : numbers) cellOf.push_back(Enter(pointOf(number)));
    LayOut(numbers, cellOf);
  }

  // Calls visit(number) for each point within the reach of `p`, a cell's in the order given.
  template <typename PointOf, typename Visit>
  void VisitNear(Point p, PointOf pointOf, Visit visit) const {
    const int64_t column = ColumnOf(p.x);
    const int64_t row = ColumnOf(p.y);
    for (int64_t x = column - 1; x <= column + 1; ++x) {
      for (int64_t y = row - 1; y <= row + 1; ++y) {
        const uint32_t cell = CellAt({x, y});
        if (cell == kNoCell) continue;
        for (uint32_t i = m_FirstOf[cell]; i < m_FirstOf[cell + 1]; ++i)
          if (Distance(pointOf(m_Numbers[i]), p) <= m_Reach) visit(m_Numbers[i]);
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
  void MakeTable(size_t points);
  // The cell of a point, a new one where it is the first there.
  uint32_t Enter(Point p);
  void LayOut(const std::vector<uint32_t>& numbers, const std::vector<uint32_t>& cellOf);
  size_t SlotOf(const Key& key) const;
  uint32_t CellAt(const Key& key) const;

  double m_Reach;
  // The table's slots hold only cells; their keys stand by cell, in the order the points came,
  // so that the points of a path find theirs side by side rather than scattered over the table.
  std::vector<uint32_t> m_Cells;  // the cell in each slot, or kNoCell
  std::vector<Key> m_Keys;        // of each cell
  // Where each cell's numbers start in m_Numbers, and where the last ends; while the points are
  // entered, how many each cell holds.
  std::vector<uint32_t> m_FirstOf;
  std::vector<uint32_t> m_Numbers;  // cell by cell
};

}  // namespace geometry::offsetting
