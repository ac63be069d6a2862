#pragma once

#include <cstddef>
#include <vector>

#include "geometry/arcfit/ArcFitter.h"
#include "geometry/core/PathSegment.h"
#include "tests/geometry/FitShapes.h"
#include "tests/geometry/SampledDeviation.h"

// A path laid from a shape's first point, measured against the shape by the sampling checker
// (SampledDeviation.h), which shares no code with the fitter.
struct FitFigures {
  size_t segments = 0;
  SampledDeviation deviation;      // mm, both ways
  double largestSmoothJoin = 0.0;  // degrees: the largest turn where segments meet off its corners
  double endGap = 0.0;             // mm from the shape's last point
  size_t cornersKept = 0;          // of the shape's declared corners, those a segment ends on
};

// The rules a fitted path keeps within `tolerance`: within it both ways, its smooth joins within
// `joinDegrees`, every declared corner kept, ending within `endGap` of the last point.
bool KeepsTheRules(const FitFigures& figures, const FitShape& shape, double tolerance, double joinDegrees,
                   double endGap);

FitFigures Measure(const FitShape& shape, const std::vector<geometry::PathSegment>& path, double tolerance);

// The fitted segments as a path, kept exact.
std::vector<geometry::PathSegment> ExactPath(const std::vector<geometry::FittedSegment>& fitted);

// The contour of lines through the points.
geometry::Contour LinesThrough(const std::vector<geometry::Point>& points);

// The shape fitted as the commands fit a motion's lines (ContourFitting.h) with `options`, and
// rounded to the demo's drives (DriveRounding.h) as the motion keeps it.
std::vector<geometry::PathSegment> RoundedFit(const FitShape& shape, const geometry::ArcFitOptions& options);
