#include "bench/GreedyArcWelder.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

using geometry::PathSegment;
using geometry::Point;

constexpr double kLargestRadius = 1e6;  // mm: flatter arcs are taken as lines

double DistanceToLine(Point p, Point a, Point b) {
  const Point chord = b - a;
  const double length = Norm(chord);
  return length == 0.0 ? Norm(p - a) : std::abs(Cross(chord, p - a)) / length;
}

struct Circle {
  Point centre;
  double radius;
};

std::optional<Circle> CircleThrough(Point a, Point b, Point c) {
  const Point u = b - a;
  const Point v = c - a;
  const double determinant = 2.0 * Cross(u, v);
  if (determinant == 0.0) return std::nullopt;
  const double uu = u.x * u.x + u.y * u.y;
  const double vv = v.x * v.x + v.y * v.y;
  const Point centre = a + Point{(uu * v.y - vv * u.y) / determinant, (vv * u.x - uu * v.x) / determinant};
  const double radius = Norm(a - centre);
  if (radius > kLargestRadius) return std::nullopt;
  return Circle{centre, radius};
}

// The shape through points[first], the middle one and points[last], if every point and every
// chord's middle between them lies within the tolerance of it.
std::optional<PathSegment> Fits(const std::vector<Point>& points, size_t first, size_t last, double tolerance) {
  const Point a = points[first];
  const Point b = points[(first + last) / 2];
  const Point c = points[last];
  const std::optional<Circle> circle = CircleThrough(a, b, c);
  const auto distance = [&](Point p) {
    return circle ? std::abs(Norm(p - circle->centre) - circle->radius) : DistanceToLine(p, a, c);
  };
  for (size_t i = first; i < last; ++i)
    if (distance(points[i + 1]) > tolerance || distance(0.5 * (points[i] + points[i + 1])) > tolerance)
      return std::nullopt;
  if (!circle) return PathSegment::Line(c.x - a.x, c.y - a.y);
  const double start = std::atan2(a.y - circle->centre.y, a.x - circle->centre.x);
  const double turn = [&] {
    const double toEnd = std::remainder(std::atan2(c.y - circle->centre.y, c.x - circle->centre.x) - start, 2.0 * std::numbers::pi);
    const double toMiddle = std::remainder(std::atan2(b.y - circle->centre.y, b.x - circle->centre.x) - start, 2.0 * std::numbers::pi);
    // The middle point says which way round the arc runs.
    if (toEnd > 0.0 && (toMiddle < 0.0 || toMiddle > toEnd)) return toEnd - 2.0 * std::numbers::pi;
    if (toEnd < 0.0 && (toMiddle > 0.0 || toMiddle < toEnd)) return toEnd + 2.0 * std::numbers::pi;
    return toEnd;
  }();
  return PathSegment::Arc(circle->radius, start, turn);
}

}  // namespace

std::vector<PathSegment> WeldArcs(const std::vector<Point>& points, double tolerance) {
  std::vector<PathSegment> segments;
  size_t first = 0;
  while (first + 1 < points.size()) {
    size_t last = first + 1;
    PathSegment shape = PathSegment::Line(points[last].x - points[first].x, points[last].y - points[first].y);
    for (size_t next = first + 2; next < points.size(); ++next) {
      const std::optional<PathSegment> grown = Fits(points, first, next, tolerance);
      if (!grown) break;
      shape = *grown;
      last = next;
    }
    segments.push_back(shape);
    first = last;
  }
  return segments;
}
