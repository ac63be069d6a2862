#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "geometry/drawing/Drawing.h"

// Points along ellipses and splines, so close together that the chords between them stay within
// a tolerance of the curve, and the curve within the tolerance of the chords.
namespace geometry {

// centre + u cos t + v sin t for t from `from` to `to` (either way). u and v are conjugate
// half diameters: the axes of an ellipse, or the images of two perpendicular radii of a circle
// under any affine map.
struct ConicArc {
  Point centre;
  Point u;
  Point v;
  double from = 0.0;
  double to = 0.0;
};

// What makes the spline unfit for evaluation, or "" when it is sound. A spline by fit points only
// is sound once it has two apart (FitPointSpline.h).
std::string SplineFault(const DrawingSpline& spline);

// Points from a curve's start to its end, and the curve's heading (radians) where it starts and
// where it ends, so that what replaces it can leave and reach its ends as it does.
struct CurvePoints {
  std::vector<Point> points;
  double startHeading = 0.0;
  double endHeading = 0.0;
};

// False when the points would be more than `mostPoints`. The spline must be sound (SplineFault).
bool PointsAlong(const ConicArc& arc, double tolerance, size_t mostPoints, CurvePoints& curve);
bool PointsAlong(const DrawingSpline& spline, double tolerance, size_t mostPoints, CurvePoints& curve);

}  // namespace geometry
