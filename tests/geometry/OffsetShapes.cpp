#include "tests/geometry/OffsetShapes.h"

#include <numbers>

namespace offsetshapes {

namespace {
constexpr double kPi = std::numbers::pi;
}

Contour Path(Point start, const std::vector<Edge>& edges) {
  Contour contour;
  contour.firstLine = 1;
  contour.start = start;
  Point at = start;
  for (const Edge& edge : edges) {
    const int line = static_cast<int>(contour.moves.size()) + 1;
    const geometry::ContourSegment segment = edge.sweep == 0.0
                                                 ? geometry::ContourSegment::Line(at, edge.to)
                                                 : geometry::ContourSegment::ArcTurning(at, edge.to, edge.sweep);
    contour.moves.push_back({segment, 0.0, line});
    at = edge.to;
  }
  return contour;
}

Contour Polygon(const std::vector<Point>& points, bool closed) {
  std::vector<Edge> edges;
  for (size_t i = 1; i < points.size(); ++i) edges.push_back({points[i]});
  if (closed) edges.push_back({points.front()});
  return Path(points.front(), edges);
}

Contour RoundedRectangle(Point corner, double width, double height, double radius) {
  const double x0 = corner.x, y0 = corner.y, x1 = corner.x + width, y1 = corner.y + height;
  const double r = radius;
  const double quarter = radius > 0.0 ? kPi / 2.0 : 0.0;
  const Point start{x0 + width / 2.0, y0};
  std::vector<Edge> edges{{{x1 - r, y0}},          {{x1, y0 + r}, quarter}, {{x1, y1 - r}},
                          {{x1 - r, y1}, quarter}, {{x0 + r, y1}},          {{x0, y1 - r}, quarter},
                          {{x0, y0 + r}},          {{x0 + r, y0}, quarter}, {start}};
  if (radius == 0.0) edges = {{{x1, y0}}, {{x1, y1}}, {{x0, y1}}, {{x0, y0}}, {start}};
  return Path(start, edges);
}

Contour Circle(Point centre, double radius) {
  Contour contour;
  contour.firstLine = 1;
  contour.start = centre + Point{radius, 0.0};
  contour.moves.push_back({geometry::ContourSegment::Arc(contour.start, contour.start, centre, 2.0 * kPi), 0.0, 1});
  return contour;
}

Contour Slot(Point centre, double length, double width) {
  const double r = width / 2.0;
  const double x0 = centre.x - length / 2.0, x1 = centre.x + length / 2.0;
  return Path({x0, centre.y - r},
              {{{x1, centre.y - r}}, {{x1, centre.y + r}, kPi}, {{x0, centre.y + r}}, {{x0, centre.y - r}, kPi}});
}

Contour BowedRing(int count, double chord, double bow) {
  const double radius = count * chord / (2.0 * kPi);
  std::vector<Edge> edges;
  for (int i = 1; i <= count; ++i)
    edges.push_back({geometry::Polar(radius, 2.0 * kPi * (i % count) / count), i % 4 == 2   ? bow
                                                                               : i % 4 == 0 ? -bow
                                                                                            : 0.0});
  return Path({radius, 0.0}, edges);
}

Contour Reversed(const Contour& contour) {
  Contour reversed = contour;
  reversed.moves.clear();
  for (auto move = contour.moves.rbegin(); move != contour.moves.rend(); ++move)
    reversed.moves.push_back({geometry::Reversed(move->segment), move->feed, move->line});
  reversed.start = reversed.moves.front().segment.start;
  return reversed;
}

}  // namespace offsetshapes
