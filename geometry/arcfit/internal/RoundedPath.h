#pragma once

#include <cstddef>
#include <vector>

#include "geometry/arcfit/FittedSegment.h"
#include "geometry/core/RelativePath.h"

namespace geometry::fitting {

// The fitted path as the motion keeps it (RelativePath.h): each segment written on its own end (the
// path's last on the polyline's last point) and rounded from where the rounded segments before it
// end, so that rounding does not add up along the path but moves each segment by a count or two.
class RoundedPath {
 public:
  // The path starts on points[0] and must keep within `tolerance` (mm) of the points once rounded.
  RoundedPath(const std::vector<Point>& points, const Rounding& rounding, double tolerance)
      : m_Points(points), m_Rounding(rounding), m_Tolerance(tolerance), m_Reached(points.front()) {}

  // Where `segments`, fitted to the points from points[first] on, end once rounded from where the
  // rounded path has got to, and whether each keeps within the tolerance of the points it answers
  // for both ways.
  struct Outcome {
    bool holds;
    Point reached;
  };
  Outcome Round(const std::vector<FittedSegment>& segments, size_t first) const;
  // The rounded path goes on where the outcome ends.
  void Take(const Outcome& outcome) { m_Reached = outcome.reached; }

 private:
  bool Within(const ContourSegment& rounded, size_t first, size_t last) const;

  const std::vector<Point>& m_Points;
  const Rounding& m_Rounding;
  double m_Tolerance;
  Point m_Reached;
};

}  // namespace geometry::fitting
