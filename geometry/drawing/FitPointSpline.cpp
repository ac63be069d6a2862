#include "geometry/drawing/FitPointSpline.h"

#include <cmath>
#include <optional>
#include <vector>

namespace geometry {

namespace {

// One row of the linear system for the curve's derivatives: lower D[i-1] + diagonal D[i] +
// upper D[i+1] = right.
struct Row {
  double lower = 0.0;
  double diagonal = 1.0;
  double upper = 0.0;
  Point right;
};

// A derivative along a unit of chord length: the given tangent, made a unit long.
std::optional<Point> UnitTangent(const std::optional<Point>& tangent) {
  if (!tangent || !(Norm(*tangent) > 0.0)) return std::nullopt;
  return (1.0 / Norm(*tangent)) * *tangent;
}

// The derivatives at the points of a C2 piecewise cubic through them, each piece spanning its
// chord's length (h): the Thomas algorithm on the rows, which are diagonally dominant.
std::vector<Point> Derivatives(const std::vector<Point>& points, const std::vector<double>& h,
                               const std::optional<Point>& start, const std::optional<Point>& end) {
  const size_t n = points.size() - 1;
  const auto slope = [&](size_t i) { return (3.0 / h[i]) * (points[i + 1] - points[i]); };
  std::vector<Row> rows(n + 1);
  rows[0] = start ? Row{0.0, 1.0, 0.0, *start} : Row{0.0, 2.0, 1.0, slope(0)};
  rows[n] = end ? Row{0.0, 1.0, 0.0, *end} : Row{1.0, 2.0, 0.0, slope(n - 1)};
  for (size_t i = 1; i < n; ++i)
    rows[i] = {h[i], 2.0 * (h[i - 1] + h[i]), h[i - 1], h[i] * slope(i - 1) + h[i - 1] * slope(i)};
  for (size_t i = 1; i <= n; ++i) {
    const double factor = rows[i].lower / rows[i - 1].diagonal;
    rows[i].diagonal -= factor * rows[i - 1].upper;
    rows[i].right = rows[i].right - factor * rows[i - 1].right;
  }
  std::vector<Point> derivatives(n + 1);
  derivatives[n] = (1.0 / rows[n].diagonal) * rows[n].right;
  for (size_t i = n; i-- > 0;)
    derivatives[i] = (1.0 / rows[i].diagonal) * (rows[i].right - rows[i].upper * derivatives[i + 1]);
  return derivatives;
}

}  // namespace

DrawingSpline SplineThroughFitPoints(const DrawingSpline& spline) {
  std::vector<Point> points;
  for (const Point& point : spline.fitPoints)
    if (points.empty() || Distance(point, points.back()) > 0.0) points.push_back(point);
  std::optional<Point> start = UnitTangent(spline.startTangent);
  std::optional<Point> end = UnitTangent(spline.endTangent);
  if (spline.closed && points.size() > 2) {
    if (Distance(points.front(), points.back()) > 0.0) points.push_back(points.front());
    // Without tangents the seam heads as a point between its neighbours would.
    if (!start && !end) start = end = UnitTangent(points[1] - points[points.size() - 2]);
  }
  std::vector<double> h;
  for (size_t i = 1; i < points.size(); ++i) h.push_back(Distance(points[i - 1], points[i]));
  const std::vector<Point> d = Derivatives(points, h, start, end);
  // Each piece as a Bezier curve: its ends, and a third of its span along the derivatives there.
  DrawingSpline cubic;
  cubic.degree = 3;
  double at = 0.0;
  cubic.knots = {at, at, at, at};
  cubic.controlPoints = {points[0]};
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    cubic.controlPoints.push_back(points[i] + (h[i] / 3.0) * d[i]);
    cubic.controlPoints.push_back(points[i + 1] - (h[i] / 3.0) * d[i + 1]);
    cubic.controlPoints.push_back(points[i + 1]);
    at += h[i];
    cubic.knots.insert(cubic.knots.end(), i + 2 < points.size() ? 3 : 4, at);
  }
  return cubic;
}

}  // namespace geometry
