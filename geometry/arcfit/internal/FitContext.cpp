#include "FitContext.h"

#include <algorithm>

#include "FitDeviation.h"
#include "geometry/core/Angles.h"

namespace geometry::fitting {

FitContext::FitContext(const std::vector<Point>& points, const ArcFitOptions& options)
    : m_Options(options),
      m_GrowthTolerance(options.tolerance * (1.0 - options.tuning.growthMargin)),
      m_MinCurvature(1.0 / options.maxRadius),
      m_MaxCurvature(1.0 / std::max(options.minRadius, options.tuning.smallestRadius * options.tolerance)),
      m_Polyline(points, options, m_GrowthTolerance),
      m_Growths(m_Polyline, CurvatureSet(m_MinCurvature, m_MaxCurvature), options.tuning.maxHalfTurn, options.tolerance,
                options.tuning.rememberedGrowths) {}

FitState FitContext::StartReachingFurthest(const FitState& state, size_t last) const {
  const int steps = Tuning().joinHeadingSteps;
  const double joinTurn = JoinTurnAt(state);
  if (joinTurn <= 0.0) return state;
  FitState furthestState = state;
  size_t furthest = GrowthFrom(state, last).reach;
  for (int step = -steps; step <= steps; ++step) {
    if (step == 0) continue;
    const FitState tried{state.at, state.heading + joinTurn * step / steps, state.index, state.behind};
    if (const size_t reach = GrowthFrom(tried, last).reach; reach > furthest) {
      furthestState = tried;
      furthest = reach;
    }
  }
  return furthestState;
}

NextReach FitContext::ReachFrom(const FitState& state, size_t last, std::optional<double> endHeading) const {
  const Growth growth = GrowthFrom(state, last);
  return {growth.reach, growth.reach == last && Landing(state, last, endHeading).has_value(), growth.reach};
}

bool FitContext::Storable(const FittedSegment& segment) const {
  const double curvature = std::abs(segment.curvature);
  return curvature <= m_MaxCurvature && (curvature == 0.0 || curvature >= m_MinCurvature) &&
         curvature * segment.length <= 2.0 * Tuning().maxHalfTurn && segment.length >= ShortestStorable();
}

// The arc through the target, or, when the heading there is given and the arc does not reach it
// with that heading, a biarc.
std::optional<std::vector<FittedSegment>> FitContext::SegmentsEndingOn(const FitState& state, Point target,
                                                                       std::optional<double> endHeading) const {
  std::optional<FittedSegment> arc = SegmentThrough(state.at, state.heading, target);
  if (!arc) return std::nullopt;
  if (!endHeading || TurnBetween(arc->EndHeading(), *endHeading) <= kHeadingNoise) {
    // A straight run stays a line: an arc that would barely turn, or be too flat to keep, gives way
    // to the line to the same point.
    if (!endHeading && TurnBetween(state.heading, HeadingOf(state.at, target)) <= Tuning().straightenedTurn)
      arc = FittedSegment{state.at, HeadingOf(state.at, target), 0.0, Distance(state.at, target)};
    if (!Storable(*arc)) return std::nullopt;
    return std::vector{*arc};
  }
  const auto pair = Biarc(state.at, state.heading, target, *endHeading);
  if (!pair || !Storable(pair->first) || !Storable(pair->second)) return std::nullopt;
  return std::vector{pair->first, pair->second};
}

std::optional<std::vector<FittedSegment>> FitContext::Landing(const FitState& state, size_t last,
                                                              std::optional<double> endHeading) const {
  std::optional<std::vector<FittedSegment>> chain = SegmentsEndingOn(state, m_Polyline.At(last), endHeading);
  if (!chain) return std::nullopt;
  const ChainCheck check =
      CheckChain(*chain, m_Polyline.Points(), state.index, last, m_Options.tolerance, ChainEnd::OnLastPoint);
  if (!check.holds) return std::nullopt;
  // The first of a pair answers for the points whose nearest position lies on it.
  for (FittedSegment& segment : *chain) segment.lastPoint = last;
  if (chain->size() == 2) {
    const FittedSegment& first = chain->front();
    size_t covered = state.index;
    while (covered + 1 < last && Project(first, m_Polyline.At(covered + 1)).along < first.length) ++covered;
    chain->front().lastPoint = covered;
  }
  return chain;
}

// Behind by more than a share of the rival's segments up to there and a few more.
bool FitContext::TooFarBehind(size_t count, const std::vector<FittedSegment>& rival, size_t index) const {
  const auto reaching =
      std::lower_bound(rival.begin(), rival.end(), index,
                       [](const FittedSegment& segment, size_t point) { return segment.lastPoint < point; });
  const size_t rivalCount = static_cast<size_t>(reaching - rival.begin()) + 1;
  return count > rivalCount + rivalCount / Tuning().behindShare + Tuning().behindBy;
}

}  // namespace geometry::fitting
