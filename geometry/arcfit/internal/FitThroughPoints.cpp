#include "FitThroughPoints.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "FitDeviation.h"
#include "geometry/core/Angles.h"

namespace geometry::fitting {

namespace {

// The arcs from a start to an end form a family, one for each start heading, that sweeps the
// plane: each point lies on exactly one. They are told apart here by the tangent of half their
// half turn (the angle between the start heading and the chord), which grows as the arc bulges
// further to the chord's left. By the inscribed angle, the half turn of the arc through p is what
// the angle the chord subtends at p leaves of a half circle.
double HalfTurnTangentThrough(Point start, Point end, Point p) {
  const Point a = start - p;
  const Point b = end - p;
  const double cross = Cross(a, b);
  // Zero only on the chord's line beyond its ends, where the arc would turn a full half circle.
  const double gap = std::sqrt(Dot(a, a) * Dot(b, b)) - Dot(a, b);
  return gap > 0.0 ? cross / gap : std::copysign(std::numeric_limits<double>::infinity(), cross);
}

// The unit direction at p away from the centre of the circle through start, p and end (square to
// the chord where they are in line): p's offset from the circumcentre, times twice the
// determinant that would divide it.
Point RadialThrough(Point start, Point end, Point p) {
  const Point u = p - start;
  const Point v = end - start;
  const Point scaled =
      2.0 * Cross(u, v) * u - Point{Dot(u, u) * v.y - Dot(v, v) * u.y, Dot(v, v) * u.x - Dot(u, u) * v.x};
  return (1.0 / std::sqrt(Dot(scaled, scaled))) * scaled;
}

// The furthest point from `from` up to `limit` that `holds` says yes to, taking it to say yes up to
// some point and no beyond: searched upwards from the span of the segment before, with a step
// that doubles, then by halving between the furthest point that holds and the nearest beyond it
// that does not. `from` where none holds.
template <typename Holds>
size_t FurthestHolding(size_t from, size_t span, size_t limit, Holds holds) {
  size_t held = from;
  size_t failed = limit + 1;
  const auto probe = [&](size_t end) {
    (holds(end) ? held : failed) = end;
    return held == end;
  };
  if (probe(std::min(from + span, limit))) {
    size_t step = std::max<size_t>(span / 4, 1);
    while (held < limit && probe(std::min(held + step, limit))) step *= 2;
  }
  while (held + 1 < failed) probe(held + (failed - held) / 2);
  return held;
}

}  // namespace

// Each segment leaves with a heading by the rule: any after a corner or at the path's start, where
// the heading is free, and elsewhere within the join turn.
std::optional<FittedStretch> ThroughPointsFit::Fit(const Stretch& stretch, const std::vector<FittedSegment>* rival,
                                                   std::optional<size_t> firstBack) const {
  FittedStretch fitted;
  FitState state{m_Context.Polyline().At(stretch.first), stretch.startHeading, stretch.first};
  size_t span = 1;
  while (state.index < stretch.last) {
    const bool turnFree = state.index > stretch.first;
    // Without a heading to reach it with, the stretch's last point is a point like any other;
    // with one, the stretch ends with a landing.
    if (const auto landing = stretch.endHeading
                                 ? LandingWithinJoinTurn(state, stretch.last, stretch.endHeading, turnFree)
                                 : std::nullopt) {
      if (firstBack && fitted.segments.empty()) return std::nullopt;
      for (const FittedSegment& segment : *landing) fitted.Append(segment);
      return fitted;
    }
    const double turn = turnFree ? m_Context.JoinTurnAt(state) : (stretch.startGiven ? 0.0 : std::numbers::pi);
    const size_t limit = stretch.endHeading ? stretch.last - 1 : stretch.last;
    if (rival && m_Context.TooFarBehind(fitted.segments.size(), *rival, state.index)) return std::nullopt;
    std::optional<FittedSegment> segment = SegmentToFurthestPoint(state, span, limit, turn);
    if (!segment) return std::nullopt;
    const size_t furthest = segment->lastPoint;
    if (firstBack && fitted.segments.empty()) {
      if (2 * *firstBack > furthest - state.index) return std::nullopt;
      segment = CheckedSegmentTo(state, OnPoint(furthest - *firstBack), turn);
      if (!segment) return std::nullopt;
    } else {
      segment = EndedWhereTheNextReachesFurthest(state, *segment, limit, turn);
    }
    if (segment->lastPoint == furthest) segment = RunOnAlongTheNextChord(state, *segment, limit, turn);
    span = segment->lastPoint - state.index;
    fitted.Append(*segment);
    state = StateAfter(*segment);
  }
  return fitted;
}

// The landing from the state, or where the heading may turn, from the start near it that grows
// furthest.
std::optional<std::vector<FittedSegment>> ThroughPointsFit::LandingWithinJoinTurn(const FitState& state, size_t last,
                                                                                  std::optional<double> endHeading,
                                                                                  bool turnFree) const {
  if (m_Context.GrowthFrom(state, last).reach < last) return std::nullopt;
  if (auto landing = m_Context.Landing(state, last, endHeading)) return landing;
  return turnFree ? m_Context.Landing(m_Context.StartReachingFurthest(state, last), last, endHeading) : std::nullopt;
}

// The furthest point up to `limit` that a band of start headings reaches from the state.
size_t ThroughPointsFit::FurthestPointInBand(const FitState& state, size_t span, size_t limit, double turn) const {
  const BandSearch search{state.at.x, state.at.y, state.heading, state.index, span, limit, turn};
  if (m_LastBandSearch && m_LastBandSearch->first == search) return m_LastBandSearch->second;
  const size_t reach = FurthestHolding(
      state.index, span, limit, [&](size_t end) { return StartHeadingInBand(state, OnPoint(end), turn).has_value(); });
  m_LastBandSearch.emplace(search, reach);
  return reach;
}

// The segment through the furthest point up to `limit` that one holds to. The band of start
// headings finds that point cheaply, and the exact check confirms it; where it does not, the
// exact check searches alone.
std::optional<FittedSegment> ThroughPointsFit::SegmentToFurthestPoint(const FitState& state, size_t span, size_t limit,
                                                                      double turn) const {
  if (limit <= state.index) return std::nullopt;
  if (const size_t banded = FurthestPointInBand(state, span, limit, turn); banded > state.index)
    if (auto segment = CheckedSegmentTo(state, OnPoint(banded), turn)) return segment;
  std::optional<FittedSegment> furthest;
  FurthestHolding(state.index, span, limit, [&](size_t end) {
    std::optional<FittedSegment> segment = CheckedSegmentTo(state, OnPoint(end), turn);
    if (segment) furthest = std::move(segment);
    return furthest && furthest->lastPoint == end;
  });
  return furthest;
}

// Where a curve meets a straight, or its curvature changes, the furthest segment may run past the
// meeting point and leave the next one a start it cannot turn from in time. Where the next segment
// would reach less than half as far as this one, or must turn by the whole join turn at its start,
// the segment ends earlier if the segments after it reach further from there: the next, or where
// two are weighed, the one after it first (through the furthest point the next reaches), then the
// next.
FittedSegment ThroughPointsFit::EndedWhereTheNextReachesFurthest(const FitState& state, const FittedSegment& furthest,
                                                                 size_t limit, double turn) const {
  if (furthest.lastPoint >= limit || furthest.lastPoint <= state.index + 1) return furthest;
  const size_t span = furthest.lastPoint - state.index;
  const auto nextReach = [&](const FittedSegment& segment) {
    const FitState next = StateAfter(segment);
    return FurthestPointInBand(next, span, limit, m_Context.JoinTurnAt(next));
  };
  // The reach of the segment after the next, which ends on points[reach]; past the limit where the
  // next reaches it.
  const auto reachAfter = [&](const FittedSegment& segment, size_t reach) {
    if (m_Weighed == WeighedAhead::Next) return reach;
    if (reach >= limit) return limit + 1;
    const FitState next = StateAfter(segment);
    const std::optional<FittedSegment> following = BandSegmentTo(next, OnPoint(reach), m_Context.JoinTurnAt(next));
    return following ? nextReach(*following) : reach;
  };
  size_t reach = nextReach(furthest);
  if (!NextIsShortOrPinned(state, furthest, reach)) return furthest;
  size_t after = reachAfter(furthest, reach);
  // Points back at doubling steps, then those between the halves either side of the best, weighed
  // by the band alone; only the one taken is held to the exact check.
  size_t bestBack = 0;
  const auto weigh = [&](size_t back) {
    const std::optional<FittedSegment> shorter = BandSegmentTo(state, OnPoint(furthest.lastPoint - back), turn);
    if (!shorter) return;
    // Most steps back do not let the next beat the best so far, which one band tells.
    const FitState next = StateAfter(*shorter);
    if (m_Weighed == WeighedAhead::Next &&
        (reach >= limit || !StartHeadingInBand(next, OnPoint(reach + 1), m_Context.JoinTurnAt(next))))
      return;
    const size_t shorterReach = nextReach(*shorter);
    const size_t shorterAfter = reachAfter(*shorter, shorterReach);
    if (shorterAfter > after || (shorterAfter == after && shorterReach > reach)) {
      reach = shorterReach;
      after = shorterAfter;
      bestBack = back;
    }
  };
  for (size_t back = 1; 2 * back <= span; back *= 2) weigh(back);
  const size_t found = bestBack;
  const size_t step = std::max<size_t>(found / 4, 1);
  for (size_t back = found / 2 + 1; found > 1 && back < std::min(2 * found, span / 2 + 1); back += step)
    if (back != found) weigh(back);
  if (bestBack == 0) return furthest;
  return CheckedSegmentTo(state, OnPoint(furthest.lastPoint - bestBack), turn).value_or(furthest);
}

// How finely the share of the chord after the furthest point that a segment may run on along is
// searched: by halving this many times.
constexpr int kRunOnHalvings = 3;
// A segment through more chords than this gains too little by running on along one more (a
// thirtieth of its length at most) to pay for the search.
constexpr size_t kRunOnMostChords = 32;

// Where the points lie a long chord apart, a segment through the furthest point it can reach may
// run on along the chord after that point, which leaves the next segment less to cover: the
// furthest share of the chord, by halving, up to which the segment holds.
FittedSegment ThroughPointsFit::RunOnAlongTheNextChord(const FitState& state, const FittedSegment& segment,
                                                       size_t limit, double turn) const {
  const size_t end = segment.lastPoint;
  if (end >= limit || end <= state.index || end - state.index > kRunOnMostChords) return segment;
  const PolylineAnalysis& polyline = m_Context.Polyline();
  const Point from = polyline.At(end);
  const Point to = polyline.At(end + 1);
  if (Distance(from, to) <= 2.0 * m_Context.Options().tolerance) return segment;
  // Points traced along a curve lie on it and their chords inside it: the segment ends on the
  // circle through the point before, the point and the next, so that ending between points does
  // not pull the path in; where that circle strays from the chord by more than the tolerance
  // (points further apart than the curve allows), on the chord.
  const std::optional<FittedSegment> curve = SegmentThrough(from, TangentOfCircle(from, to, polyline.At(end - 1)), to);
  const auto runOnTo = [&](double share) {
    std::optional<FittedSegment> runOn;
    if (curve) runOn = CheckedSegmentTo(state, {curve->At(share * curve->length), end, ChainEnd::AlongNextChord}, turn);
    if (!runOn) runOn = CheckedSegmentTo(state, {from + share * (to - from), end, ChainEnd::AlongNextChord}, turn);
    return runOn;
  };
  std::optional<FittedSegment> furthest;
  double held = 0.0;
  double failed = 1.0;
  for (int halving = 0; halving < kRunOnHalvings; ++halving) {
    const double share = (held + failed) / 2.0;
    if (auto runOn = runOnTo(share)) {
      furthest = std::move(runOn);
      held = share;
    } else {
      failed = share;
    }
  }
  if (!furthest) return segment;
  // Running on can leave the next segment a worse start, off the curve or heading away from it.
  const auto nextReach = [&](const FittedSegment& taken) {
    const FitState next = StateAfter(taken);
    return FurthestPointInBand(next, end - state.index, limit, m_Context.JoinTurnAt(next));
  };
  return nextReach(*furthest) >= nextReach(segment) ? *furthest : segment;
}

// Whether the next segment, which reaches points[reach] from the end of this one, reaches less than
// half as far as this one or must turn by (nearly) the whole join turn at its start.
bool ThroughPointsFit::NextIsShortOrPinned(const FitState& state, const FittedSegment& segment, size_t reach) const {
  const FitState next = StateAfter(segment);
  const double joinTurn = m_Context.JoinTurnAt(next);
  const std::optional<double> heading = StartHeadingInBand(next, OnPoint(reach), joinTurn);
  const bool pinned = !heading || TurnBetween(*heading, next.heading) >= m_Context.Tuning().pinnedShare * joinTurn;
  return pinned || 2.0 * Distance(next.at, m_Context.Polyline().At(reach)) < Distance(state.at, next.at);
}

// The segment from the state that ends on the target, if it holds, with a start heading by the
// rule that turns from the state's by `turn` (rad) at most.
std::optional<FittedSegment> ThroughPointsFit::CheckedSegmentTo(const FitState& state, const Target& target,
                                                                double turn) const {
  std::optional<FittedSegment> segment = BandSegmentTo(state, target, turn);
  if (!segment || !CheckChain({*segment}, m_Context.Polyline().Points(), state.index, target.lastPoint,
                              m_Context.Options().tolerance, target.end)
                       .holds)
    return std::nullopt;
  return segment;
}

// The segment from the state that ends on the target with a start heading by the rule, as the
// band sees it, before the exact check.
std::optional<FittedSegment> ThroughPointsFit::BandSegmentTo(const FitState& state, const Target& target,
                                                             double turn) const {
  const std::optional<double> heading = StartHeadingInBand(state, target, turn);
  if (!heading) return std::nullopt;
  // A line that replaces an arc that barely turns may turn a little more at its start.
  const auto chain =
      m_Context.SegmentsEndingOn({state.at, *heading, state.index, state.behind}, target.at, std::nullopt);
  if (!chain || chain->front().length < m_Shortest ||
      TurnBetween(chain->front().heading, state.heading) >
          m_Context.JoinTurnFor(chain->front(), turn) + m_Context.Tuning().straightenedTurn)
    return std::nullopt;
  FittedSegment segment = chain->front();
  segment.lastPoint = target.lastPoint;
  return segment;
}

// The heading of the circle through the state, the point halfway to the target and the target,
// as near as the turn from the state's heading allows.
double ThroughPointsFit::CircleHeadingWithinTurn(const FitState& state, const Target& target, double turn) const {
  if (target.lastPoint <= state.index + 1) return state.heading;
  const PolylineAnalysis& polyline = m_Context.Polyline();
  const double circle = TangentOfCircle(state.at, polyline.At((state.index + target.lastPoint + 1) / 2), target.at);
  return state.heading + std::clamp(NormalizedAngle(circle - state.heading), -turn, turn);
}

// The start heading of the arc from the state to the target that every point between allows,
// within the turn from the state's heading, if any. Each point allows the band of arcs between
// those through it moved its tolerance either way across them, which is right to first order; the
// exact check follows. By the band, the heading nearest the state's that keeps clear of the
// band's edges; by the circle, the circle's heading if every point allows it (to the full
// tolerance, as the exact check would).
std::optional<double> ThroughPointsFit::StartHeadingInBand(const FitState& state, const Target& target,
                                                           double turn) const {
  const PolylineAnalysis& polyline = m_Context.Polyline();
  const double maxHalfTurn = m_Context.Tuning().maxHalfTurn;
  const Point start = state.at;
  const Point chord = target.at - start;
  if (Dot(chord, chord) == 0.0) return std::nullopt;
  const double chordHeading = AngleOf(chord);
  const double own = NormalizedAngle(state.heading - chordHeading);
  double low = std::tan(std::max(-maxHalfTurn, own - turn) / 2.0);
  double high = std::tan(std::min(maxHalfTurn, own + turn) / 2.0);
  if (m_Rule == StartHeadings::OfCircle) {
    const double circle = NormalizedAngle(CircleHeadingWithinTurn(state, target, turn) - chordHeading);
    if (std::abs(circle) > maxHalfTurn) return std::nullopt;
    low = high = std::tan(circle / 2.0);
  }
  const size_t inside = target.end == ChainEnd::OnLastPoint ? target.lastPoint : target.lastPoint + 1;
  // Where the arc passes outside the points, it bulges from the polyline's chords between them by
  // their sagitta on it more, which the exact check holds against the tolerance too.
  const double curvature = 2.0 * std::abs(std::sin(own)) / std::sqrt(Dot(chord, chord));
  for (size_t i = state.index + 1; i < inside && low <= high; ++i) {
    const Point p = polyline.At(i);
    const double tolerance =
        m_Rule == StartHeadings::InBand ? polyline.PointTolerance(i) : m_Context.Options().tolerance;
    const Point fromStart = p - start;
    const Point fromEnd = p - target.at;
    if (Dot(fromStart, fromStart) <= tolerance * tolerance || Dot(fromEnd, fromEnd) <= tolerance * tolerance) continue;
    const double bulge = std::min(curvature * polyline.LongerChordSquared(i) / 8.0, tolerance / 2.0);
    // Away from the centre of the arc (which bulges to the side its heading leaves the chord on).
    Point outwards = RadialThrough(start, target.at, p);
    if ((Cross(chord, outwards) > 0.0) != (own > 0.0)) outwards = -outwards;
    const double outside = HalfTurnTangentThrough(start, target.at, p + (tolerance - bulge) * outwards);
    const double within = HalfTurnTangentThrough(start, target.at, p - tolerance * outwards);
    low = std::max(low, std::min(outside, within));
    high = std::min(high, std::max(outside, within));
  }
  if (!(low <= high)) return std::nullopt;
  const double margin = (high - low) * m_Context.Tuning().bandMargin;
  return chordHeading + 2.0 * std::atan(std::clamp(std::tan(own / 2.0), low + margin, high - margin));
}

}  // namespace geometry::fitting
