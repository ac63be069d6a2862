#include <algorithm>

#include "geometry/PolylineFitter.h"

namespace geometry::fitting {

// The stretch as segments that each end on a point of the polyline, as far on as holds, leaving
// with the heading of the circle through their start, the point halfway and their end: exactly
// after a corner or at the path's start, where the heading is free, and elsewhere as near as the
// join turn allows. False where no such segment holds.
bool PolylineFitter::FitStretchThroughPoints(size_t first, size_t last, std::optional<double> startHeading,
                                             std::optional<double> endHeading) {
  FitState state{m_Points[first], startHeading ? *startHeading : StartHeading(first, last, endHeading), first};
  size_t span = 1;
  while (state.index < last) {
    const bool turnFree = state.index > first;
    if (const auto landing = LandFreely(state, last, endHeading, turnFree)) {
      for (const FittedSegment& segment : *landing) Append(segment);
      return true;
    }
    const double turn = turnFree ? m_Options.joinTurn : (startHeading ? 0.0 : std::numbers::pi);
    const std::optional<FittedSegment> segment = FurthestThroughPoint(state, span, last, turn);
    if (!segment) return false;
    span = segment->lastPoint - state.index;
    Append(*segment);
    state = StateAfter(*segment);
  }
  return true;
}

// The landing from the state, or where the heading may turn, from the freest start near it.
std::optional<std::vector<FittedSegment>> PolylineFitter::LandFreely(const FitState& state, size_t last,
                                                                     std::optional<double> endHeading,
                                                                     bool turnFree) const {
  if (Grow(state, last).reach < last) return std::nullopt;
  if (auto landing = Land(state, last, endHeading)) return landing;
  return turnFree ? Land(FreestStart(state, last, kJoinHeadingSteps), last, endHeading) : std::nullopt;
}

// The segment through the furthest point before the stretch's last that one holds to: searched
// upwards from the span of the segment before, with a step that doubles, then by halving between
// the furthest point that holds and the nearest beyond it that does not.
std::optional<FittedSegment> PolylineFitter::FurthestThroughPoint(const FitState& state, size_t span, size_t last,
                                                                  double turn) const {
  const size_t limit = last - 1;
  if (limit <= state.index) return std::nullopt;
  std::optional<FittedSegment> furthest;
  size_t holds = state.index;
  size_t fails = limit + 1;
  const auto probe = [&](size_t end) {
    std::optional<FittedSegment> segment = ThroughPoint(state, end, turn);
    if (!segment) {
      fails = end;
      return false;
    }
    furthest = std::move(segment);
    holds = end;
    return true;
  };
  if (probe(std::min(state.index + span, limit))) {
    size_t step = std::max<size_t>(span / 4, 1);
    while (holds < limit && probe(std::min(holds + step, limit))) step *= 2;
  }
  while (holds + 1 < fails) probe(holds + (fails - holds) / 2);
  return furthest;
}

// The segment from the state that ends on points[end], if it holds, with a start heading that
// turns from the state's by `turn` (rad) at most.
std::optional<FittedSegment> PolylineFitter::ThroughPoint(const FitState& state, size_t end, double turn) const {
  double heading = state.heading;
  if (turn > 0.0 && end > state.index + 1) {
    const double circle = TangentOfCircle(state.at, m_Points[(state.index + end + 1) / 2], m_Points[end]);
    heading += std::clamp(NormalizedAngle(circle - heading), -turn, turn);
  }
  // A line that replaces an arc that barely turns may turn a little more at its start.
  const auto chain = LandingChain({state.at, heading, state.index}, m_Points[end], std::nullopt);
  const double joinTurn = turn + kStraightenedTurn;
  if (!chain || chain->front().length < m_Options.shortestSegment ||
      TurnBetween(chain->front().heading, state.heading) > joinTurn ||
      !CheckChain(*chain, m_Points, state.index, end, m_Options.tolerance, ChainEnd::OnLastPoint).holds)
    return std::nullopt;
  FittedSegment segment = chain->front();
  segment.lastPoint = end;
  return segment;
}

}  // namespace geometry::fitting
