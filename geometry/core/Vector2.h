#pragma once

#include <algorithm>
#include <cmath>

// The one vocabulary of points and directions in the plane. Lengths are in one unit throughout
// (whatever the caller works in, millimetres for contours); angles are in radians, measured from
// the +X axis towards the +Y axis.
namespace geometry {

// A point, or the difference of two: a vector.
struct Point {
  double x = 0.0;
  double y = 0.0;
};

inline Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
inline Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
inline Point operator-(Point p) { return {-p.x, -p.y}; }
inline Point operator*(double factor, Point p) { return {factor * p.x, factor * p.y}; }

inline double Dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
// Positive when b lies counterclockwise of a.
inline double Cross(Point a, Point b) { return a.x * b.y - a.y * b.x; }
inline double Norm(Point v) { return std::hypot(v.x, v.y); }
inline double Distance(Point a, Point b) { return Norm(b - a); }

// The angle of a vector, in (-pi, pi].
inline double AngleOf(Point v) { return std::atan2(v.y, v.x); }
// The heading from one point to another.
inline double HeadingOf(Point from, Point to) { return AngleOf(to - from); }
// The unit vector of a heading.
inline Point Direction(double heading) { return {std::cos(heading), std::sin(heading)}; }
// The vector at `angle`, `radius` long.
inline Point Polar(double radius, double angle) { return radius * Direction(angle); }
// The vector turned a quarter counterclockwise: the left of a direction of travel.
inline Point LeftOf(Point v) { return {-v.y, v.x}; }

// How far p lies from the segment from a to b (from a, when they are one point).
inline double DistanceToSegment(Point p, Point a, Point b) {
  const Point along = b - a;
  const double squared = Dot(along, along);
  const double t = squared > 0.0 ? std::clamp(Dot(p - a, along) / squared, 0.0, 1.0) : 0.0;
  return Norm(p - (a + t * along));
}

}  // namespace geometry
