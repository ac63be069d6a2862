#pragma once

#include "geometry/drawing/Drawing.h"

namespace geometry {

// The cubic spline through the fit points of a spline that gives no control points, as its
// control points and knots: a cubic piece between each two fit points, parameterised by the
// chords' lengths, joined with continuous curvature. It leaves the first point along the start
// tangent and reaches the last along the end tangent where they are given; where one is not, the
// curve does not bend at that end. A closed one runs back to its first point, where, without
// tangents, it heads from the point before towards the point after. Points equal to the one
// before are one point; at least two points differ.
DrawingSpline SplineThroughFitPoints(const DrawingSpline& spline);

}  // namespace geometry
