#pragma once

#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

#include "geometry/arcfit/FittedSegment.h"
#include "geometry/core/Tolerances.h"

// What the parts of the fitter hand each other: where a fit has got to, the stretch it fits and
// the segments it has fitted so far.
namespace geometry::fitting {

// Where the fitted path has got to: its end, its heading there, the last point of the polyline it
// has answered for, and how long the segment that ends there is (0 at a stretch's start).
struct FitState {
  Point at;
  double heading;
  size_t index;
  double behind = 0.0;
};

inline FitState StateAfter(const FittedSegment& segment) {
  return {segment.End(), segment.EndHeading(), segment.lastPoint, segment.length};
}

// The curvature of the arc from the state through p.
inline double CurvatureThrough(const FitState& state, Point p) {
  const Point forward = Direction(state.heading);
  const Point offset = p - state.at;
  return 2.0 * Cross(forward, offset) / Dot(offset, offset);
}

// The heading at `start` of the circle through start, a and b (of the line to b when they are
// in line).
inline double TangentOfCircle(Point start, Point a, Point b) {
  const Point u = a - start;
  const Point v = b - start;
  const double determinant = Cross(u, v);
  if (std::abs(determinant) <= kRoundingNoise * Norm(u) * Norm(v)) return HeadingOf(start, b);
  // The centre c, seen from start, solves 2 c.u = |u|^2 and 2 c.v = |v|^2; the tangent is
  // square to it, pointing towards a.
  const Point centre{(Dot(u, u) * v.y - Dot(v, v) * u.y) / (2.0 * determinant),
                     (Dot(v, v) * u.x - Dot(u, u) * v.x) / (2.0 * determinant)};
  const Point tangent = Dot(LeftOf(centre), u) >= 0.0 ? LeftOf(centre) : -LeftOf(centre);
  return AngleOf(tangent);
}

// A smooth stretch of the polyline, from one of its stretch ends (a corner, a boundary or the
// path's start) to the next.
struct Stretch {
  size_t first;
  size_t last;
  // The heading the stretch leaves its first point with: given, where the path goes on from the
  // segment before without a kink, or else chosen freely once for all its fits.
  double startHeading;
  bool startGiven;
  std::optional<double> endHeading;  // the heading it must reach its last point with, if any
};

// The segments a fit has taken so far, the heading the last of them ends with, and how many of
// them start with a kink because nothing smooth held.
struct FittedStretch {
  std::vector<FittedSegment> segments;
  double endHeading = 0.0;
  size_t kinks = 0;

  // A segment of no length is left out, but its heading is where the path heads.
  void Append(const FittedSegment& segment) {
    if (segment.length > 0.0) segments.push_back(segment);
    endHeading = segment.EndHeading();
  }
};

}  // namespace geometry::fitting
