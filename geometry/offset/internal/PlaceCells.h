#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "geometry/core/Vector2.h"

namespace geometry::offsetting {

// Numbered points in square cells as wide as the reach within which points are one, so that the
// points within reach of any point lie in the 3 x 3 cells round it.
class PlaceCells {
 public:
  explicit PlaceCells(double reach) : m_Reach(reach) {}

  void Add(size_t number, Point p) {
    m_Cells[KeyOf(std::floor(p.x / m_Reach), std::floor(p.y / m_Reach))].push_back({number, p});
  }

  // Calls visit(number) for each point within the reach of `p`.
  template <typename Visit>
  void VisitNear(Point p, Visit visit) const {
    const double column = std::floor(p.x / m_Reach);
    const double row = std::floor(p.y / m_Reach);
    for (double x = column - 1.0; x <= column + 1.0; x += 1.0) {
      for (double y = row - 1.0; y <= row + 1.0; y += 1.0) {
        const auto cell = m_Cells.find(KeyOf(x, y));
        if (cell == m_Cells.end()) continue;
        for (const Numbered& point : cell->second)
          if (Distance(point.at, p) <= m_Reach) visit(point.number);
      }
    }
  }

 private:
  struct Numbered {
    size_t number;
    Point at;
  };

  static uint64_t KeyOf(double column, double row) {
    return static_cast<uint64_t>(static_cast<int64_t>(column)) * 0x9E3779B97F4A7C15ull ^
           static_cast<uint64_t>(static_cast<int64_t>(row));
  }

  double m_Reach;
  std::unordered_map<uint64_t, std::vector<Numbered>> m_Cells;
};

}  // namespace geometry::offsetting
