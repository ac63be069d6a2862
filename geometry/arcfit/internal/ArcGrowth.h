#pragma once

#include "CurvatureSet.h"
#include "geometry/core/Vector2.h"

namespace geometry::fitting {

// An arc that leaves a fixed point with a fixed heading and grows along a polyline, one chord at a
// time. With start and heading fixed, the arc has one free parameter, its signed curvature k, and
// each point and each chord confines k in closed form:
// - a point (u, v), u along the heading and v to its left, lies within t of the arc's circle when
//   |k (u^2 + v^2 - t^2) - 2v| <= 2t: an interval of k;
// - the arc, turning towards a chord, bulges away from it furthest where it runs parallel to it;
//   that point, at (N - m) / k for the start's left normal N and the chord's m, must keep within t
//   of the chord's line whenever it falls beside the chord: this takes out an interval of k on the
//   side that turns towards the chord.
// The arc can grow as long as some curvature is left.
class ArcGrowth {
 public:
  // `storable` holds the curvatures the motion can keep; `maxHalfTurn` (rad, a quarter turn or
  // more) bounds the angle between the heading and the chord from the start to any point, half the
  // arc's turn, so that the points stay in order along the arc; `tolerance` (mm) is how far the
  // arc may stray.
  ArcGrowth(Point start, double heading, const CurvatureSet& storable, double maxHalfTurn, double tolerance);

  // Adds the chord from `from` to `to` and the point `to`, which the arc must pass, and not bulge
  // from, by more than `within` (mm, less than the tolerance). False, with the set as it was, when
  // no curvature is left.
  bool Add(Point from, Point to, double within);

  const CurvatureSet& Curvatures() const { return m_Curvatures; }

 private:
  // p seen from the start: along the heading and to its left.
  Point Local(Point p) const;
  // The curvatures whose arcs bulge from the chord a-b by more than `within`: empty when none.
  CurvatureSet::Interval BulgingFrom(Point a, Point b, double within) const;

  Point m_Start;
  Point m_Forward;
  CurvatureSet m_Curvatures;
  double m_BehindSlope;  // of the chord to a point behind the start that the arc turns far enough to reach
  double m_Tolerance;
  bool m_Grown = false;  // past its first chord
};

}  // namespace geometry::fitting
