#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "geometry/core/Vector2.h"

namespace geometry {

// Indices filed by points in square cells as wide as a search reach, so that every point within
// the reach of another lies in the 3 x 3 cells round it.
class PointGrid {
 public:
  explicit PointGrid(double reach) : m_Reach(reach) {}

  double Reach() const { return m_Reach; }

  void Add(uint32_t index, Point p) { m_Cells[CellOf(p)].push_back(index); }

  // Calls visit(index) for each index filed in the cells round p; false, without visiting, when
  // they hold more than `most`, so that a crowd costs no more than a look.
  template <typename Visit>
  bool VisitNear(Point p, size_t most, Visit visit) const {
    const Cell centre = CellOf(p);
    const std::vector<uint32_t>* near[9];
    size_t cells = 0;
    size_t count = 0;
    for (int64_t dx = -1; dx <= 1; ++dx) {
      for (int64_t dy = -1; dy <= 1; ++dy) {
        const auto found = m_Cells.find({centre.x + dx, centre.y + dy});
        if (found == m_Cells.end()) continue;
        near[cells++] = &found->second;
        count += found->second.size();
      }
    }
    if (count > most) return false;
    for (size_t c = 0; c < cells; ++c)
      for (uint32_t index : *near[c]) visit(index);
    return true;
  }

  // Whether p lies in the same cell as q, so that filing an index again there adds nothing.
  bool SameCell(Point p, Point q) const { return CellOf(p) == CellOf(q); }

 private:
  struct Cell {
    int64_t x, y;
    bool operator==(const Cell&) const = default;
  };
  struct CellHash {
    size_t operator()(const Cell& c) const { return std::hash<int64_t>()(c.x * 0x9E3779B97F4A7C15LL ^ c.y); }
  };

  Cell CellOf(Point p) const {
    return {static_cast<int64_t>(std::floor(p.x / m_Reach)), static_cast<int64_t>(std::floor(p.y / m_Reach))};
  }

  double m_Reach;
  std::unordered_map<Cell, std::vector<uint32_t>, CellHash> m_Cells;
};

}  // namespace geometry
