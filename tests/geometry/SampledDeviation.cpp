#include "tests/geometry/SampledDeviation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "geometry/core/SegmentGeometry.h"

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

// Items of the plane by the cells of a square grid: each is listed in the cell it lies in and the
// eight around it, so that one look at a point's cell finds every item within a cell's width.
class Neighbourhoods {
 public:
  explicit Neighbourhoods(double cell) : m_Cell(cell) {}

  void Add(Point at, size_t item) {
    const auto [cx, cy] = CellOf(at);
    for (std::int64_t dx = -1; dx <= 1; ++dx)
      for (std::int64_t dy = -1; dy <= 1; ++dy) m_Cells[Key(cx + dx, cy + dy)].push_back(item);
  }
  const std::vector<size_t>& Near(Point p) const {
    static const std::vector<size_t> none;
    const auto [cx, cy] = CellOf(p);
    const auto found = m_Cells.find(Key(cx, cy));
    return found == m_Cells.end() ? none : found->second;
  }

 private:
  std::pair<std::int64_t, std::int64_t> CellOf(Point p) const {
    return {static_cast<std::int64_t>(std::floor(p.x / m_Cell)), static_cast<std::int64_t>(std::floor(p.y / m_Cell))};
  }
  static std::uint64_t Key(std::int64_t x, std::int64_t y) {
    return (static_cast<std::uint64_t>(x) << 32) ^ static_cast<std::uint32_t>(y);
  }

  double m_Cell;
  std::unordered_map<std::uint64_t, std::vector<size_t>> m_Cells;
};

std::vector<Point> Samples(Point start, const std::vector<geometry::PathSegment>& path, double spacing,
                           double sagitta) {
  std::vector<Point> samples = {start};
  for (const geometry::PathSegment& segment : path) {
    double step = spacing;
    if (segment.kind == geometry::PathSegment::Kind::Circular)
      step = std::min(step, std::sqrt(8.0 * segment.radius * sagitta));
    const int count = std::max(1, static_cast<int>(std::ceil(geometry::Length(segment) / step)));
    for (int i = 1; i <= count; ++i) samples.push_back(start + geometry::PointAlong(segment, static_cast<double>(i) / count));
    start = samples.back();
  }
  return samples;
}

// The polyline's chords cut into pieces no longer than `longest`.
std::vector<std::pair<Point, Point>> Pieces(const std::vector<Point>& points, double longest) {
  std::vector<std::pair<Point, Point>> pieces;
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    const Point a = points[i];
    const Point b = points[i + 1];
    const int count = std::max(1, static_cast<int>(std::ceil(std::hypot(b.x - a.x, b.y - a.y) / longest)));
    for (int k = 0; k < count; ++k)
      pieces.push_back({a + (static_cast<double>(k) / count) * (b - a), a + (static_cast<double>(k + 1) / count) * (b - a)});
  }
  return pieces;
}

double Within(double squared, double reach) {
  return squared <= reach * reach ? std::sqrt(squared) : std::numeric_limits<double>::infinity();
}

}  // namespace

SampledDeviation MeasureDeviation(const std::vector<Point>& polyline, Point start,
                                  const std::vector<geometry::PathSegment>& path, double spacing, double reach,
                                  double sagitta) {
  // A piece or a chord between samples no longer than half a cell, found from its middle's cell,
  // lies within reach of a point exactly when the point's cell neighbourhood holds it.
  const double cell = std::max(2.0 * reach, 4.0 * spacing);
  const std::vector<Point> samples = Samples(start, path, spacing, sagitta);
  const std::vector<std::pair<Point, Point>> pieces = Pieces(polyline, cell / 2.0);
  SampledDeviation deviation;

  Neighbourhoods piecesNear(cell);
  for (size_t i = 0; i < pieces.size(); ++i) piecesNear.Add(0.5 * (pieces[i].first + pieces[i].second), i);
  for (Point sample : samples) {
    double nearest = std::numeric_limits<double>::infinity();
    for (size_t i : piecesNear.Near(sample))
      nearest = std::min(nearest, SquaredDistanceToChord(sample, pieces[i].first, pieces[i].second));
    deviation.pathFromPolyline = std::max(deviation.pathFromPolyline, Within(nearest, reach));
  }

  Neighbourhoods pointsNear(cell);
  for (size_t i = 0; i < polyline.size(); ++i) pointsNear.Add(polyline[i], i);
  std::vector<double> nearest(polyline.size(), std::numeric_limits<double>::infinity());
  for (size_t s = 0; s + 1 < samples.size(); ++s)
    for (size_t i : pointsNear.Near(0.5 * (samples[s] + samples[s + 1])))
      nearest[i] = std::min(nearest[i], SquaredDistanceToChord(polyline[i], samples[s], samples[s + 1]));
  for (double squared : nearest) deviation.polylineFromPath = std::max(deviation.polylineFromPath, Within(squared, reach));
  return deviation;
}
