#include "PolylineAnalysis.h"

#include <algorithm>
#include <cmath>

#include "geometry/core/Tolerances.h"

namespace geometry::fitting {

namespace {

// How far the direction turns from a->b to b->c, 0 to pi.
double TurnAt(Point a, Point b, Point c) { return std::abs(std::atan2(Cross(b - a, c - b), Dot(b - a, c - b))); }

}  // namespace

PolylineAnalysis::PolylineAnalysis(const std::vector<Point>& points, const ArcFitOptions& options,
                                   double growthTolerance)
    : m_Tolerance(options.tolerance), m_CornerAngle(options.cornerAngle) {
  KeepDistinct(points);
  m_Turn.assign(m_Points.size(), 0.0);
  for (size_t i = 1; i + 1 < m_Points.size(); ++i) m_Turn[i] = TurnAt(m_Points[i - 1], m_Points[i], m_Points[i + 1]);
  // Beside a vertex the fitted path may pass outside it by its tolerance there; the path's points
  // in the wedge beyond both chords then lie up to 1 / cos(turn / 2) times that from the vertex.
  m_PointTolerance.resize(m_Points.size());
  for (size_t i = 0; i < m_Points.size(); ++i)
    m_PointTolerance[i] = growthTolerance * std::cos(std::min(m_Turn[i], m_CornerAngle) / 2.0);
  FindNeighbours();
}

void PolylineAnalysis::KeepDistinct(const std::vector<Point>& points) {
  m_KeptOf.resize(points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    if (m_Points.empty() || Distance(m_Points.back(), points[i]) >= kSamePoint) {
      m_Points.push_back(points[i]);
      m_Source.push_back(i);
    } else if (i + 1 == points.size()) {
      m_Points.back() = points[i];  // the path ends exactly on the last point
    }
    m_Source.back() = i;  // the last of a group of repeats stands for it
    m_KeptOf[i] = m_Points.size() - 1;
  }
}

void PolylineAnalysis::FindNeighbours() {
  const size_t count = m_Points.size();
  m_Behind.resize(count);
  m_Ahead.resize(count);
  size_t behind = 0;
  size_t ahead = 0;
  for (size_t i = 0; i < count; ++i) {
    while (behind + 1 < i && Distance(m_Points[behind + 1], m_Points[i]) >= m_Tolerance) ++behind;
    ahead = std::max(ahead, std::min(i + 1, count - 1));
    while (ahead + 1 < count && Distance(m_Points[ahead], m_Points[i]) < m_Tolerance) ++ahead;
    m_Behind[i] = behind;
    m_Ahead[i] = ahead;
  }
}

// A corner turns by more than the corner angle between its own chords, and still by more between
// the directions to the nearest points a tolerance away once the turn is allowed that moving
// these points by half the tolerance across could make: a kink of noise below the tolerance is no
// corner.
bool PolylineAnalysis::IsCorner(size_t index) const {
  if (m_Turn[index] <= m_CornerAngle) return false;
  const Point p = m_Points[index];
  const Point behind = m_Points[m_Behind[index]];
  const Point ahead = m_Points[m_Ahead[index]];
  const double noise = m_Tolerance / Distance(behind, p) + m_Tolerance / Distance(p, ahead);
  return TurnAt(behind, p, ahead) - noise > m_CornerAngle;
}

std::vector<size_t> PolylineAnalysis::StretchEnds(const std::vector<size_t>& boundaries) const {
  std::vector<bool> end(m_Points.size(), false);
  end.front() = end.back() = true;
  for (size_t i = 1; i + 1 < m_Points.size(); ++i) end[i] = IsCorner(i);
  for (size_t boundary : boundaries)
    if (boundary < m_KeptOf.size()) end[m_KeptOf[boundary]] = true;
  std::vector<size_t> ends;
  for (size_t i = 0; i < end.size(); ++i)
    if (end[i]) ends.push_back(i);
  return ends;
}

}  // namespace geometry::fitting
