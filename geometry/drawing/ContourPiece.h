#pragma once

#include "geometry/core/PathSegment.h"
#include "geometry/drawing/PlaneTransform.h"

namespace geometry {

// A line or a circular arc of a drawing, placed in the drawing's frame: where it starts and ends,
// and for an arc its centre, radius and the angle it turns through (radians, counterclockwise
// positive). Unlike a PathSegment it knows where it lies, so pieces can be joined end to end.
struct ContourPiece {
  PathSegment::Kind kind = PathSegment::Kind::Linear;
  Point start;
  Point end;
  Point centre;
  double radius = 0.0;
  double sweep = 0.0;

  static ContourPiece Line(Point start, Point end) { return {PathSegment::Kind::Linear, start, end, {}, 0.0, 0.0}; }
  // The arc round `centre` from the radius at `startAngle` through `sweep`.
  static ContourPiece Arc(Point centre, double radius, double startAngle, double sweep);
  // The arc from `start` to `end` that turns through `sweep` (not 0, within a full turn either way).
  static ContourPiece ArcThrough(Point start, Point end, double sweep);
};

double Length(const ContourPiece& piece);
// The same piece run from its end to its start.
ContourPiece Reversed(const ContourPiece& piece);
// The piece moved by a transform that keeps circles (see PlaneTransform::KeepsCircles).
ContourPiece Transformed(const ContourPiece& piece, const PlaneTransform& transform);
// The piece as a segment of a motion, relative to where it starts (SegmentGeometry.h).
PathSegment ToSegment(const ContourPiece& piece);

}  // namespace geometry
