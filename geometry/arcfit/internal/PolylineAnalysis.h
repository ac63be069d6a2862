#pragma once

#include <cstddef>
#include <vector>

#include "geometry/arcfit/ArcFitter.h"

namespace geometry::fitting {

// A polyline as the fitter sees it: its distinct points, how far it turns at each, its nearest
// neighbours a tolerance away, how close a fitted path must pass each point, and where it has
// corners and so stretch ends.
class PolylineAnalysis {
 public:
  // `growthTolerance` (mm, a little less than the tolerance) is what growing arcs aim within.
  PolylineAnalysis(const std::vector<Point>& points, const ArcFitOptions& options, double growthTolerance);

  const std::vector<Point>& Points() const { return m_Points; }
  Point At(size_t index) const { return m_Points[index]; }
  size_t Size() const { return m_Points.size(); }
  // The nearest point before, and after, at least a tolerance away (or the ends).
  size_t Behind(size_t index) const { return m_Behind[index]; }
  size_t Ahead(size_t index) const { return m_Ahead[index]; }
  // How close (mm) a growing arc must pass the point.
  double PointTolerance(size_t index) const { return m_PointTolerance[index]; }
  // The square of the longer of the chords either side of the point.
  double LongerChordSquared(size_t index) const { return m_LongerChordSquared[index]; }
  // The index among the caller's points that the distinct point stands for.
  size_t SourceIndex(size_t index) const { return m_Source[index]; }

  bool IsCorner(size_t index) const;
  // The points that end stretches, in order: the ends, the corners and the caller's boundaries.
  std::vector<size_t> StretchEnds(const std::vector<size_t>& boundaries) const;

 private:
  void KeepDistinct(const std::vector<Point>& points);
  void FindNeighbours();
  bool CurveExplains(size_t index) const;
  bool NoiseExplains(size_t index) const;

  double m_Tolerance;
  double m_CornerAngle;
  std::vector<Point> m_Points;
  std::vector<size_t> m_Source;  // each kept point's index among the caller's points
  std::vector<size_t> m_KeptOf;  // each of the caller's points' kept point
  std::vector<double> m_Turn;    // at each point, between the chords either side, counterclockwise positive
  std::vector<size_t> m_Behind;
  std::vector<size_t> m_Ahead;
  std::vector<double> m_PointTolerance;
  std::vector<double> m_LongerChordSquared;
};

}  // namespace geometry::fitting
