#include "geometry/arcfit/ArcFitter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "FitByGrowing.h"
#include "FitContext.h"
#include "FitThroughPoints.h"
#include "RoundedPath.h"

namespace geometry {

namespace fitting {

namespace {

// The middle of the headings whose line from the first point passes every point up to the
// furthest it can within the tolerance.
double LongestLineHeading(const FitContext& context, size_t first, size_t last) {
  const PolylineAnalysis& polyline = context.Polyline();
  const double tolerance = context.GrowthTolerance();
  const Point start = polyline.At(first);
  const double base = HeadingOf(start, polyline.At(first + 1));
  double low = -kQuarterTurn;
  double high = kQuarterTurn;
  for (size_t i = first + 1; i <= last; ++i) {
    const double distance = Distance(start, polyline.At(i));
    if (distance <= tolerance) continue;
    const double direction = NormalizedAngle(HeadingOf(start, polyline.At(i)) - base);
    const double halfWidth = std::asin(tolerance / distance);
    const double newLow = std::max(low, direction - halfWidth);
    const double newHigh = std::min(high, direction + halfWidth);
    if (newLow > newHigh) break;
    low = newLow;
    high = newHigh;
  }
  return base + (low + high) / 2.0;
}

// After a corner the heading is free: of the headings of the first chord, of circles through the
// first point and two more at doubling distances, and of the longest line from the first point,
// the one whose arc lands on the stretch's end, or else grows furthest.
double FreeStartHeading(const FitContext& context, size_t first, size_t last, std::optional<double> endHeading) {
  const PolylineAnalysis& polyline = context.Polyline();
  const Point start = polyline.At(first);
  std::vector<double> headings = {HeadingOf(start, polyline.At(first + 1)), LongestLineHeading(context, first, last)};
  size_t near = first + 1;
  size_t far = first + 1;
  for (int scale = 0; scale < context.Tuning().headingScales; ++scale) {
    const double distance = std::ldexp(context.Options().tolerance, scale);
    while (near < last && Distance(start, polyline.At(near)) < distance) ++near;
    far = std::max(far, near + 1);
    while (far < last && Distance(start, polyline.At(far)) < 2.0 * distance) ++far;
    if (far > last) break;
    headings.push_back(TangentOfCircle(start, polyline.At(near), polyline.At(far)));
  }
  double best = headings.front();
  NextReach bestReach;
  for (double heading : headings) {
    const NextReach reach = context.ReachFrom({start, heading, first}, last, endHeading);
    if (reach.FurtherThan(bestReach)) {
      best = heading;
      bestReach = reach;
    }
  }
  return best;
}

// A stretch is fitted four ways, and the one with fewest segments kept (the earlier on a tie):
// through the polyline's points with start headings from the band that every point allows, or
// from the circle through the point halfway (a segment that ends earlier ending where the next
// reaches furthest, or where the one after it does), and by growing segments. Where the curvature changes
// steadily, as along a spiral or an ellipse, segments through points a curve's chord apart meet
// nearly tangent by themselves, and need fewer than segments grown each as far as they can,
// which leaves the next a worse start. Elsewhere growing finds ends that points do not offer.
// The later fits cost more, so each is given up once it falls well behind the best so far.
// Where the segments by the circle settle into a steady span, as along a spiral, where the first
// one ends decides whether the last one falls short of the stretch's end, so along a short stretch
// the first of them is also tried with its first segment ended earlier.
FittedStretch FitEveryWay(const FitContext& context, const Stretch& stretch, double shortest) {
  std::optional<FittedStretch> best;
  const auto weigh = [&best](std::optional<FittedStretch> fitted) {
    if (fitted && (!best || fitted->segments.size() < best->segments.size())) best = std::move(fitted);
  };
  const auto rival = [&best] { return best ? &best->segments : nullptr; };
  weigh(ThroughPointsFit(context, StartHeadings::InBand, shortest).Fit(stretch, nullptr));
  const ThroughPointsFit byCircle(context, StartHeadings::OfCircle, shortest);
  weigh(byCircle.Fit(stretch, rival()));
  const bool searched = stretch.last - stretch.first <= context.Tuning().searchedStretchPoints;
  for (size_t back = 1; searched && 2 * back <= stretch.last - stretch.first; back *= 2)
    weigh(byCircle.Fit(stretch, rival(), back));
  weigh(ThroughPointsFit(context, StartHeadings::OfCircle, shortest, WeighedAhead::TwoSegments).Fit(stretch, rival()));
  // Unless a fit through points holds, growing goes on to the end, with kinks where nothing holds.
  weigh(GrowingFit(context, shortest).Fit(stretch, rival()));
  return std::move(*best);
}

// Short segments are taken only where nothing longer holds, but a kink is worse than a short
// segment: a stretch that cannot be fitted smoothly in segments of the shortest length (a curve
// traced so coarsely that it needs tight fillets at its vertices) is fitted again without it.
FittedStretch FitSmoothly(const FitContext& context, const Stretch& stretch) {
  const double shortest = context.Options().shortestSegment;
  FittedStretch fitted = FitEveryWay(context, stretch, shortest);
  if (fitted.kinks == 0 || shortest <= 0.0) return fitted;
  FittedStretch unbounded = FitEveryWay(context, stretch, 0.0);
  return unbounded.kinks < fitted.kinks ? unbounded : fitted;
}

// In counts of the drives: how far inside the tolerance a stretch is fitted again, in turn, where
// its fit strays once rounded. Rounding moves a segment by a count or two, seldom more.
constexpr std::array<double, 4> kReservedCounts = {0.0, 1.0, 2.0, 4.0};

// The fits of the polyline within the tolerance less each reserve, each set up when first asked
// for: most paths hold once rounded at the first.
class ReservedFits {
 public:
  ReservedFits(const std::vector<Point>& points, const ArcFitOptions& options) : m_Points(points), m_Options(options) {
    for (double counts : kReservedCounts) {
      const double tolerance = std::max(options.tolerance - counts * options.driveCount, options.tolerance / 2.0);
      if (m_Tolerances.empty() || tolerance < m_Tolerances.back()) m_Tolerances.push_back(tolerance);
    }
    m_Contexts.resize(m_Tolerances.size());
  }

  size_t Count() const { return m_Tolerances.size(); }
  // The context within the tolerance less the reserve, counted from 0 (none).
  const FitContext& At(size_t reserve) {
    if (!m_Contexts[reserve]) {
      ArcFitOptions options = m_Options;
      options.tolerance = m_Tolerances[reserve];
      m_Contexts[reserve] = std::make_unique<FitContext>(m_Points, options);
    }
    return *m_Contexts[reserve];
  }

 private:
  const std::vector<Point>& m_Points;
  const ArcFitOptions& m_Options;
  std::vector<double> m_Tolerances;
  std::vector<std::unique_ptr<FitContext>> m_Contexts;
};

// Stretch by stretch: a boundary that is no corner is passed without a kink. Each stretch is
// fitted within the tolerance and rounded as the motion keeps it, and fitted again further inside
// while that strays; the rounded path goes on from where the fit kept ends.
std::vector<FittedSegment> FitPolyline(const std::vector<Point>& points, const ArcFitOptions& options) {
  ReservedFits fits(points, options);
  const PolylineAnalysis& polyline = fits.At(0).Polyline();
  if (polyline.Size() < 2) return {};
  std::optional<RoundedPath> rounded;
  if (options.rounding) rounded.emplace(polyline.Points(), *options.rounding, options.tolerance);
  const std::vector<size_t> ends = polyline.StretchEnds(options.boundaries);
  std::vector<FittedSegment> fitted;
  double heading = 0.0;  // where the fitted path heads at its end
  for (size_t i = 0; i + 1 < ends.size(); ++i) {
    const size_t first = ends[i];
    const size_t last = ends[i + 1];
    std::optional<double> startHeading = options.startHeading;
    if (i > 0) startHeading = polyline.IsCorner(first) ? std::nullopt : std::optional(heading);
    const std::optional<double> endHeading = last + 1 == polyline.Size() ? options.endHeading : std::nullopt;
    for (size_t reserve = 0; reserve < fits.Count(); ++reserve) {
      const FitContext& context = fits.At(reserve);
      const Stretch stretch{first, last,
                            startHeading ? *startHeading : FreeStartHeading(context, first, last, endHeading),
                            startHeading.has_value(), endHeading};
      FittedStretch best = FitSmoothly(context, stretch);
      if (rounded) {
        const RoundedPath::Outcome outcome = rounded->Round(best.segments, first);
        if (!outcome.holds && reserve + 1 < fits.Count()) continue;
        rounded->Take(outcome);
      }
      fitted.insert(fitted.end(), best.segments.begin(), best.segments.end());
      heading = best.endHeading;
      break;
    }
  }
  for (FittedSegment& segment : fitted) segment.lastPoint = polyline.SourceIndex(segment.lastPoint);
  return fitted;
}

}  // namespace

}  // namespace fitting

std::vector<FittedSegment> FitArcs(const std::vector<Point>& points, const ArcFitOptions& options) {
  return fitting::FitPolyline(points, options);
}

ArcFitOptions OptionsForDrives(double tolerance, double count, const Rounding& rounding) {
  constexpr double kShortestSegmentCounts = 800.0;
  ArcFitOptions options;
  options.tolerance = tolerance;
  options.driveCount = count;
  options.rounding = rounding;
  options.shortestSegment = kShortestSegmentCounts * count;
  options.joinTurn = Radians(0.25);
  return options;
}

}  // namespace geometry
