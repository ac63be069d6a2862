#include "PolylineAnalysis.h"

#include <algorithm>
#include <cmath>

#include "geometry/core/Angles.h"
#include "geometry/core/Tolerances.h"

namespace geometry::fitting {

namespace {

// How far the direction turns from a->b to b->c, from -pi to pi, counterclockwise positive.
double SignedTurnAt(Point a, Point b, Point c) { return std::atan2(Cross(b - a, c - b), Dot(b - a, c - b)); }
double TurnAt(Point a, Point b, Point c) { return std::abs(SignedTurnAt(a, b, c)); }

constexpr double kLargestTracedTurn = kFullTurn / 9.0;

}  // namespace

PolylineAnalysis::PolylineAnalysis(const std::vector<Point>& points, const ArcFitOptions& options,
                                   double growthTolerance)
    : m_Tolerance(options.tolerance), m_CornerAngle(options.cornerAngle) {
  KeepDistinct(points);
  m_Turn.assign(m_Points.size(), 0.0);
  for (size_t i = 1; i + 1 < m_Points.size(); ++i)
    m_Turn[i] = SignedTurnAt(m_Points[i - 1], m_Points[i], m_Points[i + 1]);
  // Beside a vertex the fitted path may pass outside it by its tolerance there; the path's points
  // in the wedge beyond both chords then lie up to 1 / cos(turn / 2) times that from the vertex.
  m_PointTolerance.resize(m_Points.size());
  for (size_t i = 0; i < m_Points.size(); ++i)
    m_PointTolerance[i] = growthTolerance * std::cos(std::min(std::abs(m_Turn[i]), m_CornerAngle) / 2.0);
  m_LongerChordSquared.assign(m_Points.size(), 0.0);
  for (size_t i = 0; i + 1 < m_Points.size(); ++i) {
    const Point chord = m_Points[i + 1] - m_Points[i];
    m_LongerChordSquared[i] = std::max(m_LongerChordSquared[i], Dot(chord, chord));
    m_LongerChordSquared[i + 1] = Dot(chord, chord);
  }
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

// A vertex is a corner where the polyline turns by more than the corner angle between its chords
// and neither the curve it traces nor noise explains the turn.
bool PolylineAnalysis::IsCorner(size_t index) const {
  return std::abs(m_Turn[index]) > m_CornerAngle && !CurveExplains(index) && !NoiseExplains(index);
}

// A curve traced coarsely turns at every vertex, the same way and by about as much at the vertices
// beside it; the circle through a vertex and its neighbours explains its turn where they turn
// its way by at least half of what it turns beyond the corner angle. (Where a straight runs into
// a traced arc, the first vertex of the arc turns half as much as the others.) A corner's
// neighbours turn little, or (on a short chord between two corners) the turn is another corner's.
// Nor does a curve explain a turn of more than a ninth of a full turn: traced with fewer than nine
// chords a turn, the vertices are a polygon's, as a square's corners are corners.
bool PolylineAnalysis::CurveExplains(size_t index) const {
  if (std::abs(m_Turn[index]) > kLargestTracedTurn) return false;
  const double side = m_Turn[index] > 0.0 ? 1.0 : -1.0;
  // At the polyline's ends only one neighbour turns.
  const double before = index > 1 ? side * m_Turn[index - 1] : side * m_Turn[index + 1];
  const double after = index + 2 < m_Turn.size() ? side * m_Turn[index + 1] : before;
  return std::min(before, after) >= (std::abs(m_Turn[index]) - m_CornerAngle) / 2.0;
}

// Noise below the tolerance kinks a polyline of short chords at many vertices, each way. Its turn
// is taken between the directions to the nearest points a tolerance away, and allowed what moving
// these points by the tolerance across could make, but no more than twice the largest turn of the
// vertices near it (two either side, or as far as these points): where the polyline turns little
// beside a vertex, noise does not explain its turn, however short its chords.
bool PolylineAnalysis::NoiseExplains(size_t index) const {
  const size_t behind = m_Behind[index];
  const size_t ahead = m_Ahead[index];
  const Point p = m_Points[index];
  const size_t from = std::min(behind, index >= 2 ? index - 2 : 0);
  const size_t to = std::max(ahead, std::min(index + 2, m_Turn.size() - 1));
  double beside = 0.0;
  for (size_t i = from; i <= to; ++i)
    if (i != index) beside = std::max(beside, std::abs(m_Turn[i]));
  const double moved = m_Tolerance / Distance(m_Points[behind], p) + m_Tolerance / Distance(p, m_Points[ahead]);
  return TurnAt(m_Points[behind], p, m_Points[ahead]) - std::min(moved, 2.0 * beside) <= m_CornerAngle;
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
