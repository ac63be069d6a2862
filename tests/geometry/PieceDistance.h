#pragma once

#include <algorithm>
#include <cmath>

#include "geometry/core/Angles.h"
#include "geometry/core/ContourSegment.h"
#include "geometry/core/Vector2.h"

// How far p lies from a line or an arc: the check of imported curves against points computed
// from the curve as the file gives it.
inline double DistanceToPiece(geometry::Point p, const geometry::ContourSegment& piece) {
  if (piece.kind == geometry::PathSegment::Kind::Linear) return geometry::DistanceToSegment(p, piece.start, piece.end);
  const double along =
      geometry::CounterclockwiseTurn(geometry::HeadingOf(piece.centre, p) -
                                     geometry::HeadingOf(piece.centre, piece.sweep > 0 ? piece.start : piece.end));
  if (along <= std::abs(piece.sweep)) return std::abs(geometry::Distance(p, piece.centre) - piece.Radius());
  return std::min(geometry::Distance(p, piece.start), geometry::Distance(p, piece.end));
}
