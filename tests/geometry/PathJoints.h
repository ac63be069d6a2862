#pragma once

#include <vector>

#include "geometry/core/PathSegment.h"

// How a path of segments laid from a polyline's first point turns where its segments meet.
struct PathJoints {
  std::vector<geometry::Point> points;  // where each segment after the first starts
  double largestSmoothTurn = 0.0;       // degrees: the largest turn at a joint on none of the corners
};

// `corners` are the indices of the polyline's points where the shape has a corner; a joint lies on
// one when it lies within `near` of it (mm), as a rounded path's joints lie within the rounding of
// the points they stand for.
PathJoints JointsOf(const std::vector<geometry::Point>& polyline, const std::vector<geometry::PathSegment>& path,
                    const std::vector<size_t>& corners, double near = 1e-9);
