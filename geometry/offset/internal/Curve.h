#pragma once

#include <algorithm>

#include "geometry/core/ContourSegment.h"
#include "geometry/core/Vector2.h"

// The lines and arcs the offset is built from, with what the construction asks of them: points by
// the fraction of the way along, the fraction of a point, a part, bounds and distances.
namespace geometry::offsetting {

// An axis-aligned rectangle.
struct Box {
  Point min;
  Point max;

  static Box Around(Point centre, double reach) { return {centre - Point{reach, reach}, centre + Point{reach, reach}}; }
  Box Grown(double by) const { return {min - Point{by, by}, max + Point{by, by}}; }
  Box With(const Box& other) const;
  bool Overlaps(const Box& other) const {
    return min.x <= other.max.x && other.min.x <= max.x && min.y <= other.max.y && other.min.y <= max.y;
  }
  // Whether some point of the box lies nearer to some point of the other than `distance`. Here,
  // so that the joins of an index that ask it of box after box need no call for each.
  bool Nearer(const Box& other, double distance) const {
    const double dx = std::max({min.x - other.max.x, 0.0, other.min.x - max.x});
    const double dy = std::max({min.y - other.max.y, 0.0, other.min.y - max.y});
    return dx * dx + dy * dy < distance * distance;
  }
  Point Centre() const { return 0.5 * (min + max); }
};

// A line from `start` to `end`, or an arc about `centre` from the radius at `startAngle` through
// `sweep` (radians, positive counterclockwise, at most a full turn) whose ends are `start` and
// `end`. Fractions run from 0 at the start to 1 at the end, in proportion to the length.
struct Curve {
  Point start;
  Point end;
  Point centre;
  double radius = 0.0;
  double startAngle = 0.0;
  double sweep = 0.0;

  static Curve Line(Point start, Point end) { return {start, end, {}, 0.0, 0.0, 0.0}; }
  static Curve Arc(Point centre, double radius, double startAngle, double sweep);
  // An arc that runs through `start` and `end` about the centre of the segment, which passes
  // through both: on their perpendicular bisector, or the segment's own for a full turn.
  static Curve Of(const ContourSegment& segment);

  // An arc's radius is never 0: a line's is. No flag for it, so that the raw offset, two curves
  // for each piece of the source, takes less room.
  bool IsArc() const { return radius != 0.0; }
  Point At(double fraction) const;
  double Length() const { return IsArc() ? radius * std::abs(sweep) : Distance(start, end); }
  // The direction of travel.
  double HeadingAt(double fraction) const;
  // Of a point on the curve, or near it: lines project it, arcs take its angle about the centre,
  // counted from the middle of the arc so that points beyond either end come out below 0 or above 1.
  double FractionOf(Point p) const;
  // The part between two fractions, with the given points as its ends.
  Curve Part(double from, double to, Point fromPoint, Point toPoint) const;
  // The curve at `distance` to the left of its travel: a parallel line, or a concentric arc whose
  // radius grows on the arc's right. The arc radius that falls to `vanishing` or below has none.
  bool HasParallel(double distance, double vanishing) const;
  Curve Parallel(double distance) const;
  Box Bounds() const;
  ContourSegment Segment() const;
};

// The exact distance from a point to the curve.
double DistanceTo(const Curve& curve, Point p);

}  // namespace geometry::offsetting
