#pragma once

#include <vector>

#include "geometry/core/PathSegment.h"

// The baseline arc fitting is measured against, as simple arc welders work: from each point, grow
// an arc through the first, middle and last point of a run while every point of the run and the
// middle of every chord lie within the tolerance of it (a line where the three lie in line), and
// take a line to the next point where not even three points fit. Joins may kink; every growth
// step checks the whole run again.
std::vector<geometry::PathSegment> WeldArcs(const std::vector<geometry::Point>& points, double tolerance);
