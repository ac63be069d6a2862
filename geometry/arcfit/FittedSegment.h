#pragma once

#include <cstddef>
#include <optional>
#include <utility>

#include "geometry/core/ContourSegment.h"

// The pieces a fitted path is made of. A line and an arc are the same thing here: a piece that
// starts at a point with a heading and turns at a constant rate, so that joining them without a
// kink only needs the next piece to start with the heading the one before ends with.
namespace geometry {

// A line or an arc: where it starts, its heading there (radians, from +X towards +Y), its signed
// curvature (1/mm: positive turns left, counterclockwise; 0 is a line) and its length (mm).
struct FittedSegment {
  Point start;
  double heading = 0.0;
  double curvature = 0.0;
  double length = 0.0;
  size_t lastPoint = 0;  // the last point of the polyline the segment answers for

  // The point `distance` mm along the segment.
  Point At(double distance) const;
  Point End() const { return At(length); }
  // The heading `distance` mm along, not normalised: it grows by the turn of an arc.
  double HeadingAt(double distance) const { return heading + curvature * distance; }
  double EndHeading() const { return HeadingAt(length); }
  // The centre of an arc's circle (not of a line).
  Point Centre() const { return start + (1.0 / curvature) * LeftOf(Direction(heading)); }
};

// The segment placed where it lies, ending exactly on `end`: its own end, or the polyline's point
// that the caller knows it to reach up to rounding.
ContourSegment ContourSegmentOf(const FittedSegment& segment, Point end);

// The line or arc as a piece that starts with a heading and turns at a constant rate, answering
// for no point yet.
FittedSegment FittedSegmentOf(const ContourSegment& segment);

// The segment that leaves `start` with `heading` and ends on `target`: the arc tangent to the
// heading through both points, or a line when the target lies straight ahead. Empty when the
// target is the start or lies straight behind it.
std::optional<FittedSegment> SegmentThrough(Point start, double heading, Point target);

// Two arcs that meet without a kink, leaving `start` with `startHeading` and reaching `end` with
// `endHeading`: of the family of such pairs, the one whose tangent lines from start and from end
// to the meeting point are equally long. Empty when no such pair runs forward.
std::optional<std::pair<FittedSegment, FittedSegment>> Biarc(Point start, double startHeading, Point end,
                                                             double endHeading);

}  // namespace geometry
