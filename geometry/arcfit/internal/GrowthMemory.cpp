#include "GrowthMemory.h"

#include <functional>

#include "ArcGrowth.h"

namespace geometry::fitting {

GrowthMemory::GrowthMemory(const PolylineAnalysis& polyline, const CurvatureSet& storable, double maxHalfTurn,
                           double tolerance, size_t capacity)
    : m_Polyline(polyline),
      m_Storable(storable),
      m_MaxHalfTurn(maxHalfTurn),
      m_Tolerance(tolerance),
      m_Capacity(capacity) {}

size_t GrowthMemory::KeyHash::operator()(const Key& key) const {
  size_t hash = std::hash<size_t>()(key.index) ^ (std::hash<size_t>()(key.last) << 1);
  for (double value : {key.x, key.y, key.heading}) hash = hash * 1099511628211u ^ std::hash<double>()(value);
  return hash;
}

Growth GrowthMemory::From(const FitState& state, size_t last) const {
  const Key key{state.at.x, state.at.y, state.heading, state.index, last};
  if (const auto known = m_Growths.find(key); known != m_Growths.end()) return known->second;
  // The states asked about lie close together along the polyline, so a full memory is simply
  // started afresh.
  if (m_Growths.size() >= m_Capacity) m_Growths.clear();
  return m_Growths.emplace(key, Grown(state, last)).first->second;
}

Growth GrowthMemory::Grown(const FitState& state, size_t last) const {
  ArcGrowth arc(state.at, state.heading, m_Storable, m_MaxHalfTurn, m_Tolerance);
  size_t reach = state.index;
  size_t lineReach = state.index;
  while (reach < last &&
         arc.Add(m_Polyline.At(reach), m_Polyline.At(reach + 1), m_Polyline.PointTolerance(reach + 1))) {
    ++reach;
    if (lineReach + 1 == reach && arc.Curvatures().Contains(0.0)) lineReach = reach;
  }
  return {reach, lineReach, arc.Curvatures()};
}

}  // namespace geometry::fitting
