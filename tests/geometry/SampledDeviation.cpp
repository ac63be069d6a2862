#include "tests/geometry/SampledDeviation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <utility>

#include "geometry/SegmentGeometry.h"

namespace {

using geometry::Point;

double SquaredDistanceToChord(Point p, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double squared = dx * dx + dy * dy;
  const double t = squared > 0.0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / squared, 0.0, 1.0) : 0.0;
  const double ex = p.x - (a.x + t * dx);
  const double ey = p.y - (a.y + t * dy);
  return ex * ex + ey * ey;
}

// Chords, each no longer than half a cell, found by the cell of their middle: every chord within
// a cell's width of a point lies in the point's cell or one of its eight neighbours.
class ChordIndex {
 public:
  ChordIndex(const std::vector<Point>& points, double cell) : m_Cell(cell) {
    for (size_t i = 0; i + 1 < points.size(); ++i) {
      const Point a = points[i];
      const Point b = points[i + 1];
      const int pieces = std::max(1, static_cast<int>(std::ceil(2.0 * std::hypot(b.x - a.x, b.y - a.y) / cell)));
      for (int k = 0; k < pieces; ++k) {
        const Point from = a + (static_cast<double>(k) / pieces) * (b - a);
        const Point to = a + (static_cast<double>(k + 1) / pieces) * (b - a);
        m_Chords.push_back({from, to});
        m_Keys.push_back({Key(Cell(0.5 * (from + to))), m_Chords.size() - 1});
      }
    }
    std::sort(m_Keys.begin(), m_Keys.end());
    for (size_t i = 0; i < m_Keys.size(); ++i) {
      auto& range = m_Cells.try_emplace(m_Keys[i].first, i, i).first->second;
      range.second = i + 1;
    }
  }

  // The distance from p to the nearest chord, when that is under three quarters of a cell.
  double Distance(Point p) const {
    const auto [cx, cy] = Cell(p);
    double nearest = std::numeric_limits<double>::infinity();  // squared
    for (std::int64_t dx = -1; dx <= 1; ++dx)
      for (std::int64_t dy = -1; dy <= 1; ++dy) {
        const auto cell = m_Cells.find(Key({cx + dx, cy + dy}));
        if (cell == m_Cells.end()) continue;
        for (size_t i = cell->second.first; i < cell->second.second; ++i) {
          const auto& [a, b] = m_Chords[m_Keys[i].second];
          nearest = std::min(nearest, SquaredDistanceToChord(p, a, b));
        }
      }
    return nearest <= 0.75 * 0.75 * m_Cell * m_Cell ? std::sqrt(nearest) : std::numeric_limits<double>::infinity();
  }

 private:
  std::pair<std::int64_t, std::int64_t> Cell(Point p) const {
    return {static_cast<std::int64_t>(std::floor(p.x / m_Cell)), static_cast<std::int64_t>(std::floor(p.y / m_Cell))};
  }
  static std::uint64_t Key(std::pair<std::int64_t, std::int64_t> cell) {
    return (static_cast<std::uint64_t>(cell.first) << 32) ^ static_cast<std::uint32_t>(cell.second);
  }

  double m_Cell;
  std::vector<std::pair<Point, Point>> m_Chords;
  std::vector<std::pair<std::uint64_t, size_t>> m_Keys;           // sorted by cell
  std::unordered_map<std::uint64_t, std::pair<size_t, size_t>> m_Cells;  // each cell's range of m_Keys
};

std::vector<Point> Samples(Point start, const std::vector<geometry::PathSegment>& path, double spacing) {
  constexpr double kSagitta = 1e-9;  // mm
  std::vector<Point> samples = {start};
  for (const geometry::PathSegment& segment : path) {
    double step = spacing;
    if (segment.kind == geometry::PathSegment::Kind::Circular)
      step = std::min(step, std::sqrt(8.0 * segment.radius * kSagitta));
    const int count = std::max(1, static_cast<int>(std::ceil(geometry::Length(segment) / step)));
    for (int i = 1; i <= count; ++i) samples.push_back(start + geometry::PointAlong(segment, static_cast<double>(i) / count));
    start = samples.back();
  }
  return samples;
}

}  // namespace

SampledDeviation MeasureDeviation(const std::vector<Point>& polyline, Point start,
                                  const std::vector<geometry::PathSegment>& path, double spacing, double reach) {
  const std::vector<Point> samples = Samples(start, path, spacing);
  const double cell = std::max(reach / 0.75, 2.0 * spacing);
  SampledDeviation deviation;
  const ChordIndex polylineChords(polyline, cell);
  for (Point sample : samples) deviation.pathFromPolyline = std::max(deviation.pathFromPolyline, polylineChords.Distance(sample));
  const ChordIndex pathChords(samples, cell);
  for (Point p : polyline) deviation.polylineFromPath = std::max(deviation.polylineFromPath, pathChords.Distance(p));
  return deviation;
}
