#include "tests/geometry/FitShapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <stdexcept>

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

double Rounded(double value, double unit) { return std::round(value / unit) * unit; }

}  // namespace

std::vector<FitShape> FitShapes(int decimals) {
  // Each shape with the most segments its fit may take within each tolerance.
  const std::pair<FitShape, std::array<size_t, 3>> table[] = {
      {Circle(72), {179, 3, 3}},
      {Circle(720), {3, 3, 3}},
      {Circle(7200), {3, 3, 3}},
      {RoundedRectangle(6), {55, 53, 35}},
      {RoundedRectangle(90), {10, 10, 10}},
      {TracedRoundedRectangle(0.5), {10, 10, 10}},
      {TracedRoundedRectangle(0.05), {10, 10, 10}},
      {Ellipse(360), {32, 18, 13}},
      {Ellipse(3600), {29, 18, 12}},
      {SineWave(200), {65, 32, 19}},
      {SineWave(2000), {44, 27, 19}},
      {Spiral(540), {35, 18, 12}},
      {Spiral(5400), {29, 18, 13}},
      {CornersBetweenCurves(24), {242, 5, 5}},
      {CornersBetweenCurves(180), {5, 5, 5}},
      {NoisyStraight(200), {2, 2, 2}},
      {NoisyStraight(2000), {2, 2, 2}},
  };
  std::vector<FitShape> shapes;
  for (const auto& [shape, mostSegments] : table) {
    shapes.push_back(shape);
    shapes.back().mostSegments = mostSegments;
  }
  const double unit = std::pow(10.0, -decimals);
  for (FitShape& shape : shapes)
    for (Point& p : shape.points) p = {Rounded(p.x, unit), Rounded(p.y, unit)};
  return shapes;
}

FitShape ShapeNamed(const std::vector<FitShape>& shapes, const std::string& name) {
  const auto found = std::find_if(shapes.begin(), shapes.end(), [&](const FitShape& shape) { return shape.name == name; });
  if (found == shapes.end()) throw std::invalid_argument("no fit shape is named \"" + name + "\"");
  return *found;
}
