#pragma once

#include <cstddef>
#include <unordered_map>

#include "CurvatureSet.h"
#include "FitState.h"
#include "PolylineAnalysis.h"

namespace geometry::fitting {

// How far an arc from a state grows along the polyline (ArcGrowth.h), towards a stretch's last
// point.
struct Growth {
  size_t reach;      // the last point the arc can answer for
  size_t lineReach;  // and a line from the same start
  CurvatureSet curvatures;
};

// The growths from the states asked about lately. The same state is asked about many times over:
// for the start heading that grows furthest, by the choice of a segment's end that weighs it as a
// candidate's, by the look two segments ahead, and by the stretch when it gets there.
class GrowthMemory {
 public:
  // Arcs keep to the `storable` curvatures and turn by at most twice `maxHalfTurn`; `capacity`
  // growths are remembered before the memory starts afresh.
  GrowthMemory(const PolylineAnalysis& polyline, const CurvatureSet& storable, double maxHalfTurn, double tolerance,
               size_t capacity);

  Growth From(const FitState& state, size_t last) const;

 private:
  struct Key {
    double x;
    double y;
    double heading;
    size_t index;
    size_t last;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    size_t operator()(const Key& key) const;
  };

  Growth Grown(const FitState& state, size_t last) const;

  const PolylineAnalysis& m_Polyline;
  CurvatureSet m_Storable;
  double m_MaxHalfTurn;
  double m_Tolerance;
  size_t m_Capacity;
  mutable std::unordered_map<Key, Growth, KeyHash> m_Growths;
};

}  // namespace geometry::fitting
