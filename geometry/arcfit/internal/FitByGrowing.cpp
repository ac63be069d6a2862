#include <algorithm>

#include "geometry/arcfit/PolylineFitter.h"

namespace geometry::fitting {

namespace {

// Points the next segment may head for, at this many scales (2, 8, 32, ... tolerances).
constexpr int kFurtherScales = 5;
// How many of a close's best candidates are weighed by the segment after the next too.
constexpr size_t kWeighedTwoAhead = 2;
// How many choices a stretch may undo at each point it gets stuck at.
constexpr int kRetries = 16;

}  // namespace

// One smooth stretch, from a corner, boundary or the path's start to the next: arcs grow from the
// stretch's start, each leaving with a heading within the join turn of the one the one before ends
// with, until one lands on the stretch's last point. False when given up behind the rival fit.
bool PolylineFitter::FitStretch(size_t first, size_t last, StretchStart start, std::optional<double> endHeading,
                                const std::vector<FittedSegment>* rival) {
  const size_t before = m_Fitted.size();
  // Where a greedy choice leads to a state from which nothing smooth and long enough holds, the
  // choice is undone and the next candidate taken, a bounded number of times for each point the
  // stretch gets stuck at; only then does the path take a short segment, or else a kink.
  struct Step {
    FitState from;
    std::vector<size_t> ruledOut;  // candidates of the close at `from` that led nowhere
    size_t taken;
    size_t fittedBefore;
  };
  std::vector<Step> steps;
  std::vector<size_t> ruledOut;
  FitState state{m_Points[first], start.heading, first};
  size_t furthest = first;
  int retries = 0;
  while (state.index < last) {
    if (state.index > furthest) {
      furthest = state.index;
      retries = 0;
    }
    const Growth growth = Grow(state, last);
    if (growth.reach == last) {
      if (const auto landing = Land(state, last, endHeading)) {
        for (const FittedSegment& segment : *landing) Append(segment);
        return true;
      }
    }
    if (rival && FallenBehind(m_Fitted.size() - before, *rival, state.index)) return false;
    std::optional<Closing> closing = Close(state, growth, first, last, endHeading, ruledOut, false);
    if (!closing && !steps.empty() && retries < kRetries) {
      ++retries;
      Step undone = std::move(steps.back());
      steps.pop_back();
      m_Fitted.resize(undone.fittedBefore);
      state = undone.from;
      ruledOut = std::move(undone.ruledOut);
      ruledOut.push_back(undone.taken);
      continue;
    }
    if (!closing) closing = Close(state, growth, first, last, endHeading, ruledOut, true);
    if (!closing) closing = Closing{Kink(state), 0};
    steps.push_back({state, std::move(ruledOut), closing->candidate, m_Fitted.size()});
    ruledOut.clear();
    Append(closing->segment);
    state = FreestStart(StateAfter(closing->segment), last, kJoinHeadingSteps);
  }
  return true;
}

// Where an arc that cannot grow further ends, and how: of the candidates not ruled out, the one
// whose end lets the next segment grow furthest (or land on the stretch's end), the earlier on a
// tie, that passes the exact check, and unless `allowShort` is long enough for the motion. One
// that strays is kept, shortened to where it holds, as a last resort. Empty when nothing holds.
std::optional<Closing> PolylineFitter::Close(const FitState& state, const Growth& growth, size_t first, size_t last,
                                             std::optional<double> endHeading, const std::vector<size_t>& ruledOut,
                                             bool allowShort) const {
  struct Candidate {
    Closing closing;
    ChainEnd end;
    Outlook outlook;
  };
  std::vector<Candidate> candidates;
  size_t ordinal = 0;
  ForEachCandidate(state, growth, first, last, [&](const FittedSegment& segment, ChainEnd end) {
    if (std::find(ruledOut.begin(), ruledOut.end(), ++ordinal) == ruledOut.end())
      candidates.push_back({{segment, ordinal}, end, LookAhead(StateAfter(segment), last, endHeading)});
  });
  const auto better = [](const Candidate& a, const Candidate& b) { return a.outlook.Beats(b.outlook); };
  std::stable_sort(candidates.begin(), candidates.end(), better);
  // The few best by the next segment's reach are weighed by the reach of the one after it too: a
  // segment that overshoots a little can leave the next one a bad start.
  const size_t weighed = std::min(candidates.size(), kWeighedTwoAhead);
  for (size_t i = 0; i < weighed; ++i)
    if (!candidates[i].outlook.lands)
      candidates[i].outlook.reachAfter = ReachAfterNext(StateAfter(candidates[i].closing.segment), first, last);
  std::stable_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(weighed), better);
  std::optional<Closing> shortened;
  for (const Candidate& candidate : candidates) {
    const FittedSegment& segment = candidate.closing.segment;
    if (!allowShort && segment.length < m_Options.shortestSegment) continue;
    const ChainCheck check =
        CheckChain({segment}, m_Points, state.index, segment.lastPoint, m_Options.tolerance, candidate.end);
    if (check.holds) return candidate.closing;
    if (check.heldPoint > state.index && check.heldLength > 0.0 &&
        (!shortened || check.heldPoint > shortened->segment.lastPoint)) {
      shortened = candidate.closing;
      shortened->segment.length = check.heldLength;
      shortened->segment.lastPoint = check.heldPoint;
    }
  }
  if (!allowShort && shortened && shortened->segment.length < m_Options.shortestSegment) return std::nullopt;
  return shortened;
}

// The candidates, most preferred first. For each candidate end point: arcs with the curvatures
// left that end on it (the line, the arc through it, and for the first two ends the middle one);
// for the first two ends also the first arcs of biarcs that land on it with the polyline's
// headings there, and the fillet onto the chord after it. Then, for the furthest end, segments
// that end where the next one can start well: a line where the fillet round the turn at its end
// begins, an arc where its tangent heads for a point further on.
template <typename Visit>
void PolylineFitter::ForEachCandidate(const FitState& state, const Growth& growth, size_t first, size_t last,
                                      Visit visit) const {
  const size_t limit = std::min(growth.reach, last - 1);
  if (limit <= state.index) {
    if (const auto fillet = FilletOnto(state, state.index)) visit(*fillet, ChainEnd::AlongNextChord);
    return;
  }
  const std::vector<double> limitChoices = CurvatureChoices(state, growth.curvatures, limit, true);
  const std::vector<size_t> ends = CandidateEnds(state, growth, first, limit);
  for (size_t e = 0; e < ends.size(); ++e) {
    const size_t end = ends[e];
    const bool leading = e < 2;
    const std::vector<double> choices =
        end == limit ? limitChoices : CurvatureChoices(state, Grow(state, end).curvatures, end, leading);
    for (double curvature : choices)
      if (const auto arc = ArcEndingAt(state, curvature, end); arc && !LineInDisguise(*arc, choices))
        visit(*arc, ChainEnd::OnLastPoint);
    if (!leading) continue;
    for (double heading : HeadingsAt(end, first, last))
      if (const auto pair = Biarc(state.at, state.heading, m_Points[end], heading); pair && Keepable(pair->first)) {
        FittedSegment arc = pair->first;
        arc.lastPoint = LastPointBefore(arc, state.index, last);
        visit(arc, ChainEnd::AlongNextChord);
      }
    if (const auto fillet = FilletOnto(state, end)) visit(*fillet, ChainEnd::AlongNextChord);
  }
  if (limitChoices.front() == 0.0)
    for (size_t vertex : {limit, limit - 1})
      if (const auto line = LineToFillet(state, vertex, last)) visit(*line, ChainEnd::AlongNextChord);
  const std::vector<size_t> further = PointsFurtherOn(limit, last);
  for (double curvature : limitChoices)
    if (curvature != 0.0)
      for (size_t index : further)
        if (const auto arc = ArcTowards(state, curvature, m_Points[index], last); arc && !LineInDisguise(*arc, limitChoices))
          visit(*arc, ChainEnd::AlongNextChord);
}

// The line if it is left, the arc through the point, and the middle of the curvatures near it.
std::vector<double> PolylineFitter::CurvatureChoices(const FitState& state, const CurvatureSet& curvatures,
                                                     size_t end, bool withMiddle) const {
  const double through = CurvatureThrough(state, m_Points[end]);
  std::vector<double> choices = {curvatures.Nearest(through)};
  if (withMiddle) choices.push_back(curvatures.MiddleNear(through));
  if (curvatures.Contains(0.0)) choices.insert(choices.begin(), 0.0);
  choices.erase(std::unique(choices.begin(), choices.end()), choices.end());
  return choices;
}

// Points after `index` at 2, 8, 32, ... tolerances from it, within the stretch.
std::vector<size_t> PolylineFitter::PointsFurtherOn(size_t index, size_t last) const {
  std::vector<size_t> further;
  size_t next = index + 1;
  double distance = 2.0 * m_Options.tolerance;
  for (int scale = 0; scale < kFurtherScales; ++scale, distance *= 4.0) {
    while (next < last && Distance(m_Points[index], m_Points[next]) < distance) ++next;
    if (further.empty() || further.back() != next) further.push_back(next);
  }
  return further;
}

// The arc from the state with `curvature` up to where its tangent runs through `target`.
std::optional<FittedSegment> PolylineFitter::ArcTowards(const FitState& state, double curvature, Point target,
                                                        size_t last) const {
  const double radius = 1.0 / std::abs(curvature);
  const double side = curvature > 0.0 ? 1.0 : -1.0;
  const Point centre = state.at + (1.0 / curvature) * Point{-std::sin(state.heading), std::cos(state.heading)};
  const double distance = Distance(centre, target);
  if (distance <= radius) return std::nullopt;
  // Of the two tangent points, the one the arc reaches heading towards the target.
  const double tangentAngle = HeadingOf(centre, target) - side * std::acos(radius / distance);
  const double startAngle = state.heading - side * std::numbers::pi / 2.0;
  double turn = std::remainder(side * (tangentAngle - startAngle), 2.0 * std::numbers::pi);
  if (turn < 0.0) turn += 2.0 * std::numbers::pi;
  FittedSegment arc{state.at, state.heading, curvature, turn * radius, state.index};
  if (!(arc.length > 0.0) || !Keepable(arc)) return std::nullopt;
  arc.lastPoint = LastPointBefore(arc, state.index, last);
  return arc;
}

// The line from the state up to where the fillet begins that turns from it onto the chord after
// points[index]: as large as keeps the fillet within the tolerance of the turn's vertex, and
// short enough to fit the line and the chord.
std::optional<FittedSegment> PolylineFitter::LineToFillet(const FitState& state, size_t index, size_t last) const {
  if (index <= state.index || index >= last) return std::nullopt;
  const Point a = m_Points[index];
  const Point d = Direction(HeadingOf(a, m_Points[index + 1]));
  const Point forward = Direction(state.heading);
  const double half = std::abs(NormalizedAngle(HeadingOf(a, m_Points[index + 1]) - state.heading)) / 2.0;
  if (half == 0.0 || half >= std::numbers::pi / 4.0) return std::nullopt;
  // Where the line meets the chord's line: the turn's vertex.
  const double toVertex = Cross(a - state.at, d) / Cross(forward, d);
  const Point vertex = state.at + toVertex * forward;
  const double largest = m_GrowthTolerance / (1.0 / std::cos(half) - 1.0) * std::tan(half);
  const double tangent = std::min({largest, toVertex / 2.0, Distance(vertex, m_Points[index + 1]) / 2.0});
  if (!(tangent > 0.0)) return std::nullopt;
  FittedSegment line{state.at, state.heading, 0.0, toVertex - tangent, state.index};
  line.lastPoint = LastPointBefore(line, state.index, last);
  return line;
}

// The last point, from `from` on and before the stretch's last, that lies before the segment's
// end: on the start's side of the radius (or, on a line, of the square) through the end.
size_t PolylineFitter::LastPointBefore(const FittedSegment& segment, size_t from, size_t last) const {
  const Point end = segment.End();
  const Point across = segment.curvature == 0.0 ? Direction(segment.heading)
                                                : (segment.curvature > 0.0 ? 1.0 : -1.0) *
                                                      (end - (segment.start + (1.0 / segment.curvature) *
                                                                                  Point{-std::sin(segment.heading),
                                                                                        std::cos(segment.heading)}));
  const auto before = [&](Point p) {
    return segment.curvature == 0.0 ? Dot(p - end, across) <= 0.0 : Cross(across, p - end) <= 0.0;
  };
  size_t index = from;
  while (index + 1 < last && before(m_Points[index + 1])) ++index;
  return index;
}

// The headings the path may pass a point with: along the chord after it, along the one before it
// (where a curve meets a straight, one of them is the straight's) and between the points a
// tolerance away on either side.
std::vector<double> PolylineFitter::HeadingsAt(size_t index, size_t first, size_t last) const {
  const Point p = m_Points[index];
  std::vector<double> headings = {HeadingOf(p, m_Points[index + 1])};
  if (index > first) headings.push_back(HeadingOf(m_Points[index - 1], p));
  headings.push_back(HeadingOf(m_Points[std::max(m_Behind[index], first)], m_Points[std::min(m_Ahead[index], last)]));
  return headings;
}

// The furthest point the arc can answer for, the one where the arc's heading best matches the
// polyline's (where a curve runs into a straight, say), the one before the furthest, and where
// the line from the start would best end.
std::vector<size_t> PolylineFitter::CandidateEnds(const FitState& state, const Growth& growth, size_t first,
                                                  size_t limit) const {
  std::vector<size_t> ends;
  if (limit <= state.index) return ends;
  const double through = CurvatureThrough(state, m_Points[limit]);
  const double curvature = growth.curvatures.Contains(0.0) ? 0.0 : growth.curvatures.Nearest(through);
  // Where a straight runs into a curve, the line ends where the straight does.
  const size_t lineEnd = growth.lineReach < limit ? BestTangentMatch(state, 0.0, first, growth.lineReach, false) : limit;
  for (size_t end : {limit, BestTangentMatch(state, curvature, first, limit, true), limit - 1,
                     BestTangentMatch(state, curvature, first, limit, false), lineEnd})
    if (end > state.index && std::find(ends.begin(), ends.end(), end) == ends.end()) ends.push_back(end);
  return ends;
}

// Of the points the arc answers for, the one where its heading differs least from the
// polyline's there (taken between the points a tolerance away on either side).
size_t PolylineFitter::BestTangentMatch(const FitState& state, double curvature, size_t first, size_t limit, bool laterHalf) const {
  const FittedSegment arc{state.at, state.heading, curvature, 0.0};
  size_t best = limit;
  double smallest = std::numbers::pi;
  for (size_t i = laterHalf ? std::max(state.index + 1, (state.index + limit + 1) / 2) : state.index + 1; i <= limit; ++i) {
    const double arcHeading = arc.HeadingAt(AlongArc(arc, m_Points[i]));
    const double polylineHeading = HeadingOf(m_Points[std::max(m_Behind[i], first)], m_Points[std::min(m_Ahead[i], limit + 1)]);
    const double mismatch = TurnBetween(arcHeading, polylineHeading);
    if (mismatch <= smallest) {
      smallest = mismatch;
      best = i;
    }
  }
  return best;
}

std::optional<FittedSegment> PolylineFitter::ArcEndingAt(const FitState& state, double curvature,
                                                         size_t index) const {
  FittedSegment arc{state.at, state.heading, curvature, 0.0, index};
  arc.length = AlongArc(arc, m_Points[index]);
  if (!(arc.length > 0.0)) return std::nullopt;
  return arc;
}

// The arc that turns onto the chord after points[index] and ends running along its line: a
// fillet for a smooth turn between long chords, for a state on the side of the line it turns to.
std::optional<FittedSegment> PolylineFitter::FilletOnto(const FitState& state, size_t index) const {
  const Point a = m_Points[index];
  const Point b = m_Points[index + 1];
  const double turn = NormalizedAngle(HeadingOf(a, b) - state.heading);
  if (turn == 0.0 || std::abs(turn) > 2.0 * kMaxHalfTurn) return std::nullopt;
  const double side = turn > 0.0 ? 1.0 : -1.0;
  const Point d = Direction(HeadingOf(a, b));
  const double startBeside = side * Cross(d, state.at - a);
  const double versine = 1.0 - std::cos(turn);
  const double radius = startBeside / versine;
  if (!(radius > 0.0)) return std::nullopt;
  FittedSegment fillet{state.at, state.heading, side / radius, std::abs(turn) * radius, index};
  const double along = Dot(fillet.End() - a, d);
  if (!Keepable(fillet) || along < 0.0 || along > Distance(a, b)) return std::nullopt;
  return fillet;
}

// An arc that barely turns where a line would do as well: a straight run stays a line.
bool PolylineFitter::LineInDisguise(const FittedSegment& arc, const std::vector<double>& choices) const {
  return arc.curvature != 0.0 && std::abs(arc.curvature * arc.length) < kStraightenedTurn * 20.0 &&
         std::find(choices.begin(), choices.end(), 0.0) != choices.end();
}

// How far the segment after the next can grow, when the next ends as a close would most often
// end it: on its furthest point or where its heading matches the polyline's, with the line or
// the arc through that point, or where a fillet round the next turn begins.
size_t PolylineFitter::ReachAfterNext(const FitState& next, size_t first, size_t last) const {
  const Growth growth = Grow(next, last);
  const size_t limit = std::min(growth.reach, last - 1);
  if (growth.reach == last || limit <= next.index) return growth.reach;
  size_t furthest = growth.reach;
  const auto weigh = [&](const std::optional<FittedSegment>& segment) {
    if (segment) furthest = std::max(furthest, Grow(StateAfter(*segment), last).reach);
  };
  const CurvatureSet& curvatures = growth.curvatures;
  const double reference = curvatures.Contains(0.0) ? 0.0 : curvatures.Nearest(CurvatureThrough(next, m_Points[limit]));
  for (size_t end : {limit, BestTangentMatch(next, reference, first, limit, true)}) {
    const CurvatureSet left = end == limit ? curvatures : Grow(next, end).curvatures;
    for (double curvature : CurvatureChoices(next, left, end, false)) weigh(ArcEndingAt(next, curvature, end));
  }
  if (curvatures.Contains(0.0)) weigh(LineToFillet(next, limit, last));
  return furthest;
}

}  // namespace geometry::fitting
