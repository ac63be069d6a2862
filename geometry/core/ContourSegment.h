#pragma once

#include "geometry/core/PathSegment.h"

// The one segment of contours read from outside (G-code, drawings) and of the paths made from
// them: a line or a circular arc placed where it lies, from its start to its end. An arc also
// knows its centre and the angle it turns through (radians, positive counterclockwise); a full
// turn or more is a circle, whose start and end are one point. Unlike a motion's segment
// (PathSegment.h) it needs nothing before it to say where it runs, so segments can be joined,
// reversed and moved on their own. RelativePath.h turns them into a motion's segments.
namespace geometry {

struct ContourSegment {
  PathSegment::Kind kind = PathSegment::Kind::Linear;
  Point start;
  Point end;
  Point centre;        // arcs
  double sweep = 0.0;  // arcs

  static ContourSegment Line(Point start, Point end) { return {PathSegment::Kind::Linear, start, end, {}, 0.0}; }
  // The arc from `start` to `end` about `centre`, turning through `sweep`.
  static ContourSegment Arc(Point start, Point end, Point centre, double sweep) {
    return {PathSegment::Kind::Circular, start, end, centre, sweep};
  }
  // The arc round `centre` from the radius at `startAngle` through `sweep`.
  static ContourSegment ArcRound(Point centre, double radius, double startAngle, double sweep);
  // The arc from `start` to `end` that turns through `sweep` (not 0, within a full turn either way).
  static ContourSegment ArcTurning(Point start, Point end, double sweep);

  double Radius() const { return Distance(centre, start); }
};

// The length of the path the segment runs: r |sweep| for an arc.
double Length(const ContourSegment& segment);
// The same segment run from its end to its start.
ContourSegment Reversed(const ContourSegment& segment);

}  // namespace geometry
