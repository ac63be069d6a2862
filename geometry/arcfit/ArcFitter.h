#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "geometry/arcfit/FittedSegment.h"
#include "geometry/core/SegmentGeometry.h"

// Arc fitting: a polyline, usually a long chain of short lines from CAM or from tracing, becomes
// few lines and arcs (docs/geometry.md, "fit-arcs"):
// - the fitted path lies within the tolerance of the polyline, and every point of the polyline
//   within the tolerance of the fitted path; it starts on the first point and ends on the last;
// - where the polyline turns by less than the corner angle at a point, the fitted segments join
//   with a turn of at most the join turn (a line that stands for an arc that barely turns, 0.05
//   degrees more); a point where it turns by more is a corner and stays a segment end;
// - each stretch between corners is fitted three ways, by segments through its points (with two
//   rules for their start headings) and by segments grown as far along the polyline as these
//   rules let them, and the fit with fewest kept, in time linear in the number of points.
namespace geometry {

struct ArcFitOptions {
  double tolerance = 0.01;  // mm, both ways
  double minRadius = 0.0;   // mm: the smallest radius the motion can keep
  double maxRadius = 1e9;   // mm: the largest; a flatter arc becomes a line
  double cornerAngle = Radians(10.0);  // rad: where the polyline turns by more, it has a corner
  // rad: how far the heading may turn where two fitted segments meet on a smooth stretch. Each
  // segment picks its start heading within it, which lets it grow further than exact tangency.
  double joinTurn = Radians(0.4);
  // mm: segments shorter than this are taken only where nothing longer holds. A motion rounds each
  // segment's ends to its drives' counts, which turns a segment of a few counts by degrees.
  double shortestSegment = 0.0;
  // The heading (rad) the path must leave its first point with, when it continues a segment
  // before it without a kink; and the one it must reach its last point with.
  std::optional<double> startHeading;
  std::optional<double> endHeading;
  // Indices of points where a segment must end (where the motion changes speed, say); the path
  // passes them without a kink unless they are corners.
  std::vector<size_t> boundaries;
};

// The fitted path of `points`, each segment starting where the one before it ends. Points closer
// than a nanometre to the one before are one point. Empty for fewer than two distinct points.
std::vector<FittedSegment> FitArcs(const std::vector<Point>& points, const ArcFitOptions& options);

}  // namespace geometry
