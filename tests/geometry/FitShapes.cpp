#include "tests/geometry/FitShapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <stdexcept>
#include <string>

#include "geometry/core/Angles.h"

namespace {

using geometry::Point;

constexpr double kPi = std::numbers::pi;

// `count` chords along a curve given by a parameter from 0 to 1, both ends included.
std::vector<Point> Sampled(const std::function<Point(double)>& curve, int count) {
  std::vector<Point> points;
  for (int i = 0; i <= count; ++i) points.push_back(curve(static_cast<double>(i) / count));
  return points;
}

// Appends a curve's points after the first (it starts where the points so far end).
void Continue(std::vector<Point>& points, const std::vector<Point>& more) {
  points.insert(points.end(), more.begin() + 1, more.end());
}

FitShape Circle(int count) {
  return {"circle, " + std::to_string(count) + " chords",
          Sampled([](double t) { return geometry::Polar(20.0, 2.0 * kPi * t); }, count),
          {},
          {}};
}

// 80 by 40 with corners of radius 10: straight sides as single lines and corners of `perCorner`
// chords, as CAM writes it.
FitShape RoundedRectangle(int perCorner) {
  const double r = 10.0;
  const Point centres[] = {{70, 10}, {70, 30}, {10, 30}, {10, 10}};
  std::vector<Point> points = {{10, 0}};
  for (int c = 0; c < 4; ++c) {
    const double from = -kPi / 2.0 + c * kPi / 2.0;
    const Point centre = centres[c];
    points.push_back(centre + geometry::Polar(r, from));
    Continue(points, Sampled([&](double t) { return centre + geometry::Polar(r, from + t * kPi / 2.0); }, perCorner));
  }
  points.push_back({10, 0});
  return {"rounded rectangle, " + std::to_string(perCorner) + " chords a corner", points, {}};
}

// The same outline walked at an even spacing of `spacing` mm, as tracing writes it.
FitShape TracedRoundedRectangle(double spacing) {
  const double r = 10.0;
  const double side[] = {60, 20, 60, 20};
  const Point starts[] = {{10, 0}, {80, 10}, {70, 40}, {0, 30}};
  const Point centres[] = {{70, 10}, {70, 30}, {10, 30}, {10, 10}};
  std::vector<Point> points = {{10, 0}};
  for (int c = 0; c < 4; ++c) {
    const double heading = c * kPi / 2.0;
    const int straight = static_cast<int>(std::lround(side[c] / spacing));
    Continue(points, Sampled(
                         [&](double t) {
                           return Point{starts[c].x + t * side[c] * std::cos(heading),
                                        starts[c].y + t * side[c] * std::sin(heading)};
                         },
                         straight));
    const int turn = static_cast<int>(std::lround(r * kPi / 2.0 / spacing));
    Continue(points,
             Sampled([&](double t) { return centres[c] + geometry::Polar(r, heading - kPi / 2.0 + t * kPi / 2.0); }, turn));
  }
  return {"rounded rectangle traced every " + std::to_string(spacing).substr(0, 4) + " mm", points, {}};
}

FitShape Ellipse(int count) {
  return {"ellipse, " + std::to_string(count) + " chords",
          Sampled([](double t) { return Point{30.0 * std::cos(2.0 * kPi * t), 12.0 * std::sin(2.0 * kPi * t)}; },
                  count),
          {},
          {}};
}

FitShape SineWave(int count) {
  return {"sine wave, " + std::to_string(count) + " chords",
          Sampled([](double t) { return Point{100.0 * t, 8.0 * std::sin(5.0 * kPi * t)}; }, count),
          {},
          {}};
}

FitShape Spiral(int count) {
  return {"spiral, " + std::to_string(count) + " chords",
          Sampled(
              [](double t) {
                const double angle = 6.0 * kPi * t;
                return geometry::Polar(4.0 + 3.0 * angle / kPi, angle);
              },
              count),
          {},
          {}};
}

// Four half circles bulging outwards from the sides of a square, meeting at its corners at right
// angles.
FitShape CornersBetweenCurves(int perCurve) {
  const Point corners[] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}, {0, 0}};
  FitShape shape{"corners between curves, " + std::to_string(perCurve) + " chords a curve", {corners[0]}, {}};
  for (int c = 0; c < 4; ++c) {
    const Point from = corners[c];
    const Point to = corners[c + 1];
    const Point centre{(from.x + to.x) / 2.0, (from.y + to.y) / 2.0};
    const double start = std::atan2(from.y - centre.y, from.x - centre.x);
    Continue(shape.points, Sampled([&](double t) { return centre + geometry::Polar(10.0, start + kPi * t); }, perCurve));
    if (c < 3) shape.corners.push_back(shape.points.size() - 1);
  }
  return shape;
}

// A straight line with noise across it below the smallest tolerance (0.004 mm), from a fixed
// sequence so that every run sees the same.
FitShape NoisyStraight(int count) {
  std::uint32_t state = 12345;
  const auto noise = [&state] {
    state = state * 1664525u + 1013904223u;
    return (static_cast<double>(state >> 8) / 16777216.0 - 0.5) * 0.008;
  };
  FitShape shape{"noisy straight, " + std::to_string(count) + " chords", {}, {}};
  for (int i = 0; i <= count; ++i) {
    const double along = 100.0 * i / count;
    const double across = i == 0 || i == count ? 0.0 : noise();
    shape.points.push_back({along * 0.8 - across * 0.6, along * 0.6 + across * 0.8});
  }
  return shape;
}

// `count` chords along a piece of a curve given by its arc length s from 0 to `length`, where
// `at(s)` is the point; appended after the points so far (it starts where they end).
void ContinueAlong(std::vector<Point>& points, double length, double spacing, const std::function<Point(double)>& at) {
  const int count = std::max(1, static_cast<int>(std::lround(length / spacing)));
  Continue(points, Sampled([&](double t) { return at(t * length); }, count));
}

// A spur gear of module 1 with involute teeth (pressure angle 20 degrees), traced every `spacing`
// mm: each tooth rises from the root circle radially to the base circle, along an involute to the
// tip circle, across the tip and down the same way. Where the tip circle meets the involutes and
// the root circle meets the radial lines, the outline has corners: four a tooth.
FitShape TracedGear(int teeth, double spacing) {
  const double pitch = teeth / 2.0;
  const double base = pitch * std::cos(geometry::Radians(20.0));
  const double tip = pitch + 1.0;
  const double root = pitch - 1.25;
  const auto involute = [](double angle) { return std::tan(angle) - angle; };
  // Half the tooth's thickness as an angle at radius r (at least the base radius).
  const auto halfTooth = [&](double r) {
    return kPi / (2.0 * teeth) + involute(geometry::Radians(20.0)) - involute(std::acos(base / r));
  };
  // The involute's radius at arc length s from the base circle.
  const auto involuteRadius = [&](double s) { return base * std::sqrt(1.0 + 2.0 * s / base); };
  const double involuteLength = base * (tip * tip / (base * base) - 1.0) / 2.0;
  const double pitchAngle = 2.0 * kPi / teeth;
  FitShape shape{
      "gear, " + std::to_string(teeth) + " teeth traced every " + std::to_string(spacing).substr(0, 4) + " mm",
      {geometry::Polar(root, -pitchAngle / 2.0)},
      {}};
  std::vector<Point>& points = shape.points;
  const auto corner = [&] { shape.corners.push_back(points.size() - 1); };
  for (int k = 0; k < teeth; ++k) {
    const double centre = k * pitchAngle;
    const double rootEdge = halfTooth(base);
    const double rootFrom = centre - pitchAngle / 2.0;
    ContinueAlong(points, (pitchAngle / 2.0 - rootEdge) * root, spacing,
                  [&](double s) { return geometry::Polar(root, rootFrom + s / root); });
    corner();
    ContinueAlong(points, base - root, spacing, [&](double s) { return geometry::Polar(root + s, centre - rootEdge); });
    ContinueAlong(points, involuteLength, spacing, [&](double s) {
      const double r = involuteRadius(s);
      return geometry::Polar(r, centre - halfTooth(r));
    });
    corner();
    const double tipEdge = halfTooth(tip);
    ContinueAlong(points, 2.0 * tipEdge * tip, spacing,
                  [&](double s) { return geometry::Polar(tip, centre - tipEdge + s / tip); });
    corner();
    ContinueAlong(points, involuteLength, spacing, [&](double s) {
      const double r = involuteRadius(involuteLength - s);
      return geometry::Polar(r, centre + halfTooth(r));
    });
    ContinueAlong(points, base - root, spacing, [&](double s) { return geometry::Polar(base - s, centre + rootEdge); });
    corner();
    ContinueAlong(points, (pitchAngle / 2.0 - rootEdge) * root, spacing,
                  [&](double s) { return geometry::Polar(root, centre + rootEdge + s / root); });
  }
  return shape;
}

// A NACA 2412 airfoil of chord 50 mm with its trailing edge closed to a point, `perSide` chords
// a side spaced by the cosine (dense at both edges), from the leading edge along the lower side
// to the trailing edge, its one corner, and back along the upper side.
FitShape Airfoil(int perSide) {
  const double chord = 50.0;
  const auto side = [&](double x, double sign) {
    const double thickness =
        0.6 * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x - 0.1036 * x * x * x * x);
    const double camber = x < 0.4 ? 0.02 / 0.16 * (0.8 * x - x * x) : 0.02 / 0.36 * (0.2 + 0.8 * x - x * x);
    const double slope = x < 0.4 ? 0.02 / 0.16 * (0.8 - 2.0 * x) : 0.02 / 0.36 * (0.8 - 2.0 * x);
    const double angle = std::atan(slope);
    return chord * Point{x - sign * thickness * std::sin(angle), camber + sign * thickness * std::cos(angle)};
  };
  FitShape shape{"airfoil, " + std::to_string(perSide) + " chords a side", {}, {}};
  for (int i = 0; i <= perSide; ++i) shape.points.push_back(side((1.0 - std::cos(kPi * i / perSide)) / 2.0, -1.0));
  shape.corners.push_back(shape.points.size() - 1);
  for (int i = perSide - 1; i >= 0; --i) shape.points.push_back(side((1.0 - std::cos(kPi * i / perSide)) / 2.0, 1.0));
  return shape;
}

// The outline of a slanted letter C about 10 mm high, as a font draws it: cubic curves, flattened
// into `perCurve` chords each, and a straight terminal at each end of the stroke, which meets the
// curves at corners.
FitShape Glyph(int perCurve) {
  // A quarter of a circle as a cubic: its control points lie 0.5523 radii along the tangents.
  constexpr double kQuarter = 0.5523;
  const auto slanted = [](Point p) { return Point{0.82 * p.x + 0.18 * p.y, p.y}; };
  const auto cubic = [&](double radius, double from, double to, Point centre) {
    const double reach = kQuarter * radius * (to - from) / (kPi / 2.0);
    const Point a = centre + geometry::Polar(radius, from);
    const Point d = centre + geometry::Polar(radius, to);
    const Point b = a + reach * geometry::LeftOf(geometry::Direction(from));
    const Point c = d - reach * geometry::LeftOf(geometry::Direction(to));
    return Sampled(
        [&](double t) {
          const double u = 1.0 - t;
          return slanted(u * u * u * a + 3.0 * u * u * t * b + 3.0 * u * t * t * c + t * t * t * d);
        },
        perCurve);
  };
  const Point outerCentre{0.0, 0.0};
  const Point innerCentre{0.25, 0.0};  // the stroke is thicker on the left
  const double outer = 5.0;
  const double inner = 3.6;
  FitShape shape{
      "glyph, " + std::to_string(perCurve) + " chords a cubic", {slanted(geometry::Polar(outer, 0.75 * kPi))}, {}};
  for (double from : {0.75 * kPi, 1.25 * kPi})
    Continue(shape.points, cubic(outer, from, from + kPi / 2.0, outerCentre));
  shape.corners.push_back(shape.points.size() - 1);
  shape.points.push_back(slanted(innerCentre + geometry::Polar(inner, 1.75 * kPi)));
  shape.corners.push_back(shape.points.size() - 1);
  for (double from : {1.75 * kPi, 1.25 * kPi, 0.75 * kPi})
    Continue(shape.points, cubic(inner, from, from - kPi / 2.0, innerCentre));
  shape.corners.push_back(shape.points.size() - 1);
  shape.points.push_back(slanted(geometry::Polar(outer, 0.25 * kPi)));
  shape.corners.push_back(shape.points.size() - 1);
  Continue(shape.points, cubic(outer, 0.25 * kPi, 0.75 * kPi, outerCentre));
  return shape;
}

// A clothoid 40 mm long whose curvature grows evenly from 0 to 1/5 mm, traced every `spacing` mm.
FitShape Clothoid(double spacing) {
  constexpr double kLength = 40.0;
  constexpr double kRate = 0.2 / kLength;  // 1/mm^2
  constexpr int kSteps = 400000;           // of the integration of the heading
  FitShape shape{"clothoid traced every " + std::to_string(spacing).substr(0, 4) + " mm", {{0.0, 0.0}}, {}};
  Point at{0.0, 0.0};
  const double step = kLength / kSteps;
  const int every = static_cast<int>(std::lround(spacing / step));
  for (int i = 1; i <= kSteps; ++i) {
    const double middle = (i - 0.5) * step;
    at = at + step * geometry::Direction(kRate * middle * middle / 2.0);
    if (i % every == 0 || i == kSteps) shape.points.push_back(at);
  }
  return shape;
}

// Trochoidal milling: a circle of radius 2 mm run `loops` times while its centre advances 0.8 mm
// a loop, `perLoop` chords a loop.
FitShape Trochoid(int loops, int perLoop) {
  return {"trochoid, " + std::to_string(perLoop) + " chords a loop",
          Sampled(
              [&](double t) {
                const double angle = 2.0 * kPi * loops * t;
                return Point{0.8 * loops * t, 0.0} + geometry::Polar(2.0, angle - kPi / 2.0);
              },
              loops * perLoop),
          {},
          {}};
}

// A circle of radius 20 mm whose points lie off it by up to 0.002 mm (less than the smallest
// tolerance), from a fixed sequence so that every run sees the same.
FitShape NoisyCircle(int count) {
  std::uint32_t state = 2024;
  const auto noise = [&state] {
    state = state * 1664525u + 1013904223u;
    return (static_cast<double>(state >> 8) / 16777216.0 - 0.5) * 0.004;
  };
  FitShape shape = Circle(count);
  shape.name = "noisy circle, " + std::to_string(count) + " chords";
  for (size_t i = 1; i + 1 < shape.points.size(); ++i)
    shape.points[i] = geometry::Polar(20.0 + noise(), 2.0 * kPi * i / count);
  return shape;
}

double Rounded(double value, double unit) { return std::round(value / unit) * unit; }

void RoundPoints(FitShape& shape, int decimals) {
  const double unit = std::pow(10.0, -decimals);
  for (Point& p : shape.points) p = {Rounded(p.x, unit), Rounded(p.y, unit)};
}

}  // namespace

std::vector<FitShape> FitShapes(int decimals) {
  // Each shape with the most segments its fit may take within each tolerance.
  const std::pair<FitShape, std::array<size_t, 3>> table[] = {
      {Circle(72), {179, 3, 3}},
      {Circle(720), {3, 3, 3}},
      {Circle(7200), {3, 3, 3}},
      {RoundedRectangle(6), {87, 78, 10}},
      {RoundedRectangle(90), {10, 10, 10}},
      {TracedRoundedRectangle(0.5), {10, 10, 10}},
      {TracedRoundedRectangle(0.05), {10, 10, 10}},
      {Ellipse(360), {32, 18, 13}},
      {Ellipse(3600), {29, 18, 12}},
      {SineWave(200), {65, 32, 19}},
      {SineWave(2000), {44, 27, 19}},
      {Spiral(540), {34, 18, 12}},
      {Spiral(5400), {30, 18, 12}},
      {CornersBetweenCurves(24), {242, 5, 5}},
      {CornersBetweenCurves(180), {5, 5, 5}},
      {NoisyStraight(200), {2, 2, 2}},
      {NoisyStraight(2000), {2, 2, 2}},
      {Ellipse(36), {94, 82, 15}},
      {TracedGear(16, 0.2), {162, 82, 82}},
      {Airfoil(100), {20, 13, 8}},
      {Glyph(16), {37, 15, 12}},
      {Clothoid(0.25), {12, 7, 5}},
      {Trochoid(5, 180), {27, 14, 14}},
      {NoisyCircle(1440), {3, 3, 3}},
  };
  std::vector<FitShape> shapes;
  for (const auto& [shape, mostSegments] : table) {
    shapes.push_back(shape);
    shapes.back().mostSegments = mostSegments;
  }
  for (FitShape& shape : shapes) RoundPoints(shape, decimals);
  return shapes;
}

FitShape Gear(int teeth, double spacing, int decimals) {
  FitShape gear = TracedGear(teeth, spacing);
  RoundPoints(gear, decimals);
  return gear;
}

FitShape ShapeNamed(const std::vector<FitShape>& shapes, const std::string& name) {
  const auto found = std::find_if(shapes.begin(), shapes.end(), [&](const FitShape& shape) { return shape.name == name; });
  if (found == shapes.end()) throw std::invalid_argument("no fit shape is named \"" + name + "\"");
  return *found;
}
