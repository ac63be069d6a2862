#include "FitByGrowing.h"

#include <algorithm>

#include "geometry/core/Tolerances.h"

namespace geometry::fitting {

// Arcs grow from the stretch's start, each leaving with a heading within the join turn of the one
// the one before ends with, until one lands on the stretch's last point.
std::optional<FittedStretch> GrowingFit::Fit(const Stretch& stretch, const std::vector<FittedSegment>* rival) const {
  // Where a greedy choice leads to a state from which nothing smooth and long enough holds, the
  // choice is undone and the next candidate taken, a bounded number of times for each point the
  // stretch gets stuck at; only then does the path take a short segment, or else a kink.
  struct Step {
    FitState from;
    FitState unturned;
    std::vector<size_t> ruledOut;  // candidates of the end chosen at `from` that led nowhere
    size_t taken;
    size_t fittedBefore;
    size_t kinksBefore;
  };
  FittedStretch fitted;
  std::vector<Step> steps;
  std::vector<size_t> ruledOut;
  FitState state{m_Context.Polyline().At(stretch.first), stretch.startHeading, stretch.first};
  FitState unturned = state;  // the state before its heading was turned for a longer growth
  size_t furthest = stretch.first;
  int retries = 0;
  while (state.index < stretch.last) {
    if (state.index > furthest) {
      furthest = state.index;
      retries = 0;
    }
    const Growth growth = m_Context.GrowthFrom(state, stretch.last);
    if (growth.reach == stretch.last) {
      if (const auto landing = m_Context.Landing(state, stretch.last, stretch.endHeading)) {
        for (const FittedSegment& segment : *landing) fitted.Append(segment);
        return fitted;
      }
    }
    if (rival && m_Context.TooFarBehind(fitted.segments.size(), *rival, state.index)) return std::nullopt;
    std::optional<ChosenEnd> chosen = ChooseEnd(state, growth, stretch, ruledOut, false);
    if (!chosen && !steps.empty() && retries < m_Context.Tuning().retries) {
      ++retries;
      Step undone = std::move(steps.back());
      steps.pop_back();
      fitted.segments.resize(undone.fittedBefore);
      fitted.kinks = undone.kinksBefore;
      state = undone.from;
      unturned = undone.unturned;
      ruledOut = std::move(undone.ruledOut);
      ruledOut.push_back(undone.taken);
      continue;
    }
    if (!chosen) {
      // A short segment joins the one before it without a turn.
      if (unturned.heading != state.heading) {
        state = unturned;
        ruledOut.clear();
      }
      chosen = ChooseEnd(state, m_Context.GrowthFrom(state, stretch.last), stretch, ruledOut, true);
    }
    if (!chosen) {
      chosen = ChosenEnd{LineToNextPoint(state), 0};
      ++fitted.kinks;
    }
    steps.push_back({state, unturned, std::move(ruledOut), chosen->candidate, fitted.segments.size(), fitted.kinks});
    ruledOut.clear();
    fitted.Append(chosen->segment);
    unturned = StateAfter(chosen->segment);
    state = m_Context.StartReachingFurthest(unturned, stretch.last);
  }
  return fitted;
}

// Of the candidates not ruled out, the one whose end lets the next segment grow furthest (or land
// on the stretch's end), the earlier on a tie, that passes the exact check, and unless
// `allowShort` is long enough for the motion. One that strays is kept, shortened to where it
// holds, as a last resort. Empty when nothing holds.
std::optional<GrowingFit::ChosenEnd> GrowingFit::ChooseEnd(const FitState& state, const Growth& growth,
                                                           const Stretch& stretch, const std::vector<size_t>& ruledOut,
                                                           bool allowShort) const {
  struct Weighed {
    ChosenEnd chosen;
    ChainEnd end;
    NextReach next;
  };
  std::vector<Weighed> candidates;
  size_t ordinal = 0;
  for (const EndCandidate& candidate : m_Ends.Candidates(state, growth, stretch.first, stretch.last))
    if (std::find(ruledOut.begin(), ruledOut.end(), ++ordinal) == ruledOut.end())
      candidates.push_back({{candidate.segment, ordinal},
                            candidate.end,
                            m_Context.ReachFrom(StateAfter(candidate.segment), stretch.last, stretch.endHeading)});
  const auto further = [](const Weighed& a, const Weighed& b) { return a.next.FurtherThan(b.next); };
  std::stable_sort(candidates.begin(), candidates.end(), further);
  // The few best by the next segment's reach are weighed by the reach of the one after it too: a
  // segment that overshoots a little can leave the next one a bad start.
  const size_t weighed = std::min(candidates.size(), m_Context.Tuning().weighedTwoAhead);
  for (size_t i = 0; i < weighed; ++i)
    if (!candidates[i].next.lands)
      candidates[i].next.reachAfter =
          ReachAfterNext(StateAfter(candidates[i].chosen.segment), stretch.first, stretch.last);
  std::stable_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(weighed), further);
  std::optional<ChosenEnd> shortened;
  for (const Weighed& candidate : candidates) {
    const FittedSegment& segment = candidate.chosen.segment;
    // A segment of no length that answers for no point beyond the state's gets the fit nowhere
    // but turns its heading, and from there the same choice would follow forever.
    if (segment.lastPoint <= state.index && segment.length < kSamePoint) continue;
    if ((!allowShort && segment.length < m_Shortest) || segment.length < m_Context.ShortestStorable()) continue;
    const ChainCheck check = CheckChain({segment}, m_Context.Polyline().Points(), state.index, segment.lastPoint,
                                        m_Context.Options().tolerance, candidate.end);
    if (check.holds) return candidate.chosen;
    if (check.heldPoint > state.index && check.heldLength > 0.0 &&
        (!shortened || check.heldPoint > shortened->segment.lastPoint)) {
      shortened = candidate.chosen;
      shortened->segment.length = check.heldLength;
      shortened->segment.lastPoint = check.heldPoint;
    }
  }
  if (!allowShort && shortened && shortened->segment.length < m_Shortest) return std::nullopt;
  return shortened;
}

// How far the segment after the next can grow, when the next ends as a chosen end most often
// ends it: on its furthest point or where its heading matches the polyline's, with the line or
// the arc through that point, or where a fillet round the next turn begins.
size_t GrowingFit::ReachAfterNext(const FitState& next, size_t first, size_t last) const {
  const Growth growth = m_Context.GrowthFrom(next, last);
  const size_t limit = std::min(growth.reach, last - 1);
  if (growth.reach == last || limit <= next.index) return growth.reach;
  size_t furthest = growth.reach;
  const auto weigh = [&](const std::optional<FittedSegment>& segment) {
    if (segment) furthest = std::max(furthest, m_Context.GrowthFrom(StateAfter(*segment), last).reach);
  };
  const CurvatureSet& curvatures = growth.curvatures;
  const double reference =
      curvatures.Contains(0.0) ? 0.0 : curvatures.Nearest(CurvatureThrough(next, m_Context.Polyline().At(limit)));
  for (size_t end : {limit, m_Ends.PointOfBestTangentMatch(next, reference, first, limit, true)}) {
    const CurvatureSet left = end == limit ? curvatures : m_Context.GrowthFrom(next, end).curvatures;
    for (double curvature : m_Ends.CurvatureChoices(next, left, end, false))
      weigh(m_Ends.ArcEndingAt(next, curvature, end));
  }
  if (curvatures.Contains(0.0)) weigh(m_Ends.LineUpToFillet(next, limit, last));
  return furthest;
}

// The state lies within the tolerance of its point, so the line lies within it of the chord.
FittedSegment GrowingFit::LineToNextPoint(const FitState& state) const {
  const Point next = m_Context.Polyline().At(state.index + 1);
  return {state.at, HeadingOf(state.at, next), 0.0, Distance(state.at, next), state.index + 1};
}

}  // namespace geometry::fitting
