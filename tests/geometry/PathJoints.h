#pragma once

#include <vector>

#include "geometry/core/PathSegment.h"

// How a path of segments laid from a polyline's first point turns where its segments meet.
struct PathJoints {
  std::vector<geometry::Point> points;  // where each segment after the first starts
  // degrees: the largest turn at a joint that lies on no point where the polyline turns by more
  // than the corner angle
  double largestSmoothTurn = 0.0;
};

PathJoints JointsOf(const std::vector<geometry::Point>& polyline, const std::vector<geometry::PathSegment>& path,
                    double cornerDegrees);
