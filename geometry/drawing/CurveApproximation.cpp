#include "geometry/drawing/CurveApproximation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace geometry {

namespace {

// Beyond this degree a spline is no drawing's, and its evaluation grows with the cube of it.
constexpr int kHighestDegree = 15;
// Halving a Bezier piece this often leaves a piece no longer than the arithmetic can tell apart.
constexpr int kDeepestHalving = 52;

// A point with its weight, as rational curves are evaluated: (w x, w y, w).
struct Weighted {
  double x, y, w;
  Point Projected() const { return {x / w, y / w}; }
};

Weighted Mix(const Weighted& a, const Weighted& b, double t) {
  return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.w + t * (b.w - a.w)};
}

// A Bezier piece of a spline by its weighted control points.
struct Bezier {
  std::array<Weighted, kHighestDegree + 1> points;
  size_t count = 0;

  const Weighted& Front() const { return points[0]; }
  const Weighted& Back() const { return points[count - 1]; }
};

// The spline's Bezier pieces, one per knot span of its domain, each flattened by halving until
// its control points lie within the tolerance of its chord: a rational Bezier piece with positive
// weights stays inside the hull of its control points, so it then lies within the tolerance of
// the chord, and as it runs from one end of the chord to the other, the chord lies within the
// tolerance of it.
class SplineFlattener {
 public:
  SplineFlattener(const DrawingSpline& spline, double tolerance, size_t mostPoints, CurvePoints& curve)
      : m_Spline(spline),
        m_Degree(static_cast<size_t>(spline.degree)),
        m_Tolerance(tolerance),
        m_MostPoints(mostPoints),
        m_Curve(curve),
        m_Points(curve.points) {
    for (size_t i = 0; i < spline.controlPoints.size(); ++i) {
      const double w = spline.weights.empty() ? 1.0 : spline.weights[i];
      m_Weighted.push_back({w * spline.controlPoints[i].x, w * spline.controlPoints[i].y, w});
    }
  }

  bool Run() {
    for (size_t span = m_Degree; span < m_Spline.controlPoints.size(); ++span) {
      if (m_Spline.knots[span] >= m_Spline.knots[span + 1]) continue;
      const Bezier piece = PieceOf(span);
      if (m_Points.empty()) {
        m_Points.push_back(piece.Front().Projected());
        m_Curve.startHeading = EndHeading(piece, false);
      }
      m_Curve.endHeading = EndHeading(piece, true);
      if (!Flatten(piece, 0)) return false;
    }
    return true;
  }

 private:
  // The Bezier control points of the span from knots[span] to knots[span + 1]: the blossom of
  // the span with k arguments at its end and the rest at its start, for k = 0 to the degree.
  Bezier PieceOf(size_t span) const {
    Bezier piece;
    piece.count = m_Degree + 1;
    for (size_t k = 0; k <= m_Degree; ++k) piece.points[k] = Blossom(span, k);
    return piece;
  }

  // de Boor's recursion, with the evaluation parameter changing from step to step.
  Weighted Blossom(size_t span, size_t atEnd) const {
    const std::vector<double>& knots = m_Spline.knots;
    const size_t p = m_Degree;
    std::array<Weighted, kHighestDegree + 1> d;
    std::copy(m_Weighted.begin() + static_cast<long>(span - p), m_Weighted.begin() + static_cast<long>(span + 1),
              d.begin());
    for (size_t r = 1; r <= p; ++r) {
      const double u = r <= atEnd ? knots[span + 1] : knots[span];
      for (size_t j = p; j >= r; --j) {
        const double left = knots[j + span - p];
        const double right = knots[j + 1 + span - r];
        d[j] = Mix(d[j - 1], d[j], (u - left) / (right - left));
      }
    }
    return d[p];
  }

  // A Bezier piece leaves its first control point towards the next one that differs from it,
  // and reaches its last from the one before that differs.
  static double EndHeading(const Bezier& piece, bool atEnd) {
    const Point end = (atEnd ? piece.Back() : piece.Front()).Projected();
    for (size_t k = 1; k < piece.count; ++k) {
      const Point other = piece.points[atEnd ? piece.count - 1 - k : k].Projected();
      if (other.x != end.x || other.y != end.y) return atEnd ? HeadingOf(other, end) : HeadingOf(end, other);
    }
    return 0.0;
  }

  bool Flatten(const Bezier& piece, int depth) {
    if (depth >= kDeepestHalving || IsFlat(piece)) {
      if (m_Points.size() >= m_MostPoints) return false;
      m_Points.push_back(piece.Back().Projected());
      return true;
    }
    Bezier first;
    Bezier second;
    Halve(piece, first, second);
    return Flatten(first, depth + 1) && Flatten(second, depth + 1);
  }

  bool IsFlat(const Bezier& piece) const {
    const Point a = piece.Front().Projected();
    const Point b = piece.Back().Projected();
    for (size_t i = 1; i + 1 < piece.count; ++i)
      if (DistanceToSegment(piece.points[i].Projected(), a, b) > m_Tolerance) return false;
    return true;
  }

  // de Casteljau at the middle.
  static void Halve(Bezier level, Bezier& first, Bezier& second) {
    const size_t n = level.count;
    first.count = second.count = n;
    first.points[0] = level.Front();
    second.points[n - 1] = level.Back();
    for (size_t step = 1; step < n; ++step) {
      for (size_t i = 0; i + step < n; ++i) level.points[i] = Mix(level.points[i], level.points[i + 1], 0.5);
      first.points[step] = level.points[0];
      second.points[n - 1 - step] = level.points[n - 1 - step];
    }
  }

  const DrawingSpline& m_Spline;
  const size_t m_Degree;
  const double m_Tolerance;
  const size_t m_MostPoints;
  CurvePoints& m_Curve;
  std::vector<Point>& m_Points;
  std::vector<Weighted> m_Weighted;
};

}  // namespace

std::string SplineFault(const DrawingSpline& spline) {
  const size_t controls = spline.controlPoints.size();
  const size_t degree = static_cast<size_t>(std::max(spline.degree, 0));
  if (controls == 0) {
    const auto& fit = spline.fitPoints;
    const bool twoApart =
        std::any_of(fit.begin(), fit.end(), [&](const Point& p) { return !fit.empty() && Distance(p, fit[0]) > 0.0; });
    return twoApart ? "" : "it gives neither control points nor two fit points apart";
  }
  if (spline.degree < 1 || spline.degree > kHighestDegree)
    return "its degree " + std::to_string(spline.degree) + " is not 1 to " + std::to_string(kHighestDegree);
  if (controls <= degree) return "it has fewer control points than its degree needs";
  if (spline.knots.size() != controls + degree + 1) return "its knots do not match its control points and degree";
  if (!spline.weights.empty() && spline.weights.size() != controls)
    return "its weights do not match its control points";
  if (std::any_of(spline.weights.begin(), spline.weights.end(), [](double w) { return !(w > 0.0); }))
    return "a weight is not positive";
  if (!std::is_sorted(spline.knots.begin(), spline.knots.end())) return "its knots decrease";
  for (size_t i = degree + 1; i < controls; ++i) {
    const auto same = std::equal_range(spline.knots.begin(), spline.knots.end(), spline.knots[i]);
    if (static_cast<size_t>(same.second - same.first) > degree) return "it breaks apart at a repeated knot";
  }
  if (!(spline.knots[degree] < spline.knots[controls])) return "its knots leave it no length";
  return "";
}

// A curve whose curvature stays below k strays at most k L^2 / 8 from the chord over a length L
// of it. An ellipse with half axes a >= b has curvature at most a / b^2 and moves at most a per
// unit of t, so steps of t of sqrt(8 tolerance / k) / a keep every chord within the tolerance.
bool PointsAlong(const ConicArc& arc, double tolerance, size_t mostPoints, CurvePoints& curve) {
  const double squares = Dot(arc.u, arc.u) + Dot(arc.v, arc.v);
  const double area = std::abs(Cross(arc.u, arc.v));
  const double major = std::sqrt((squares + std::sqrt(std::max(0.0, squares * squares - 4.0 * area * area))) / 2.0);
  const double minor = area / major;
  const double curvature = major / (minor * minor);
  const double step =
      std::min({std::sqrt(8.0 * tolerance / curvature) / major, 1.0 / (curvature * major), std::numbers::pi / 4.0});
  const double steps = std::ceil(std::abs(arc.to - arc.from) / step);
  if (!(steps < static_cast<double>(mostPoints))) return false;
  const int count = std::max(1, static_cast<int>(steps));
  for (int i = 0; i <= count; ++i) {
    const double t = arc.from + (arc.to - arc.from) * i / count;
    curve.points.push_back(arc.centre + std::cos(t) * arc.u + std::sin(t) * arc.v);
  }
  // The curve moves along -u sin t + v cos t as t grows.
  const auto heading = [&](double t) {
    const Point along = (arc.to >= arc.from ? 1.0 : -1.0) * (std::cos(t) * arc.v - std::sin(t) * arc.u);
    return AngleOf(along);
  };
  curve.startHeading = heading(arc.from);
  curve.endHeading = heading(arc.to);
  return true;
}

bool PointsAlong(const DrawingSpline& spline, double tolerance, size_t mostPoints, CurvePoints& curve) {
  return SplineFlattener(spline, tolerance, mostPoints, curve).Run();
}

}  // namespace geometry
