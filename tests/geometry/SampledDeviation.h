#pragma once

#include <vector>

#include "geometry/core/PathSegment.h"

// How far a path of segments and a polyline lie from each other, measured by sampling the path
// densely and taking plain distances from points to chords: a check of fitted paths that shares
// no code with the fitter. Distances beyond `reach` come out as infinity.
struct SampledDeviation {
  double pathFromPolyline = 0.0;  // mm: the largest distance of a point of the path from the polyline
  double polylineFromPath = 0.0;  // mm: of a point of the polyline from the path
};

// The path starts at `start`; its samples lie at most `spacing` mm apart, closer on tight arcs, so
// that a chord between two samples strays less than `sagitta` mm from the arc (so a distance is
// measured to within it).
SampledDeviation MeasureDeviation(const std::vector<geometry::Point>& polyline, geometry::Point start,
                                  const std::vector<geometry::PathSegment>& path, double spacing, double reach,
                                  double sagitta = 1e-9);
