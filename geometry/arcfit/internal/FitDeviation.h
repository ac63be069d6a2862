#pragma once

#include <cstddef>
#include <vector>

#include "geometry/arcfit/FittedSegment.h"

// How far fitted segments stray from the polyline they stand for, computed exactly rather than by
// sampling: the distance of a point to a segment, and the largest distance of a stretch of a
// segment to a chord of the polyline. The fitter checks every segment with these before it keeps
// it.
namespace geometry::fitting {

struct Projection {
  double distance = 0.0;  // mm from the point to the nearest point of the segment
  double along = 0.0;     // mm along the segment to that nearest point
};

Projection Project(const FittedSegment& segment, Point p);

// How far along the segment's whole circle (or line) the point nearest to p lies: from a quarter
// turn behind the start (negative) to three quarters ahead of it.
double AlongArc(const FittedSegment& segment, Point p);

// Whether the stretch of `segment` between `from` and `to` mm along it keeps within `tolerance`
// of the chord from a to b.
bool StretchWithin(const FittedSegment& segment, double from, double to, Point a, Point b, double tolerance);

// Whether `chain`, a run of joined segments that starts within `tolerance` of points[first], keeps
// within `tolerance` of points[first..last] both ways: every point within tolerance of the chain
// and every point of the chain within tolerance of the polyline. Each stretch of the chain between
// the nearest points of two neighbouring polyline points is held against the chord between them.
// The chain's end stands for points[last], or, when it goes on past that point along the next
// chord, the stretch after points[last] is held against that chord.
// Says whether it holds throughout, and otherwise how far: up to the nearest point of
// points[heldPoint] on it, `heldLength` mm along it.
struct ChainCheck {
  bool holds = false;
  size_t heldPoint = 0;
  double heldLength = 0.0;
};
enum class ChainEnd { OnLastPoint, AlongNextChord };
ChainCheck CheckChain(const std::vector<FittedSegment>& chain, const std::vector<Point>& points, size_t first,
                      size_t last, double tolerance, ChainEnd chainEnd);

}  // namespace geometry::fitting
