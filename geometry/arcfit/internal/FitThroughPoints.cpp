#include <algorithm>
#include <limits>

#include "geometry/arcfit/PolylineFitter.h"

namespace geometry::fitting {

namespace {

// What share of its width either edge of a band of start headings is kept clear of: the band is
// only right to first order.
constexpr double kBandMargin = 0.1;
// A segment through points that turns from the one before by this share of the join turn or more
// is pinned to its edge: the one before ended where the polyline no longer heads its way.
constexpr double kPinnedShare = 0.95;

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
  const Point scaled = 2.0 * Cross(u, v) * u - Point{Dot(u, u) * v.y - Dot(v, v) * u.y, Dot(v, v) * u.x - Dot(u, u) * v.x};
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

// The stretch as segments that each end on a point of the polyline, as far on as holds, leaving
// with a heading by the rule: any after a corner or at the path's start, where the heading is free,
// and elsewhere within the join turn. False where no such segment holds, or when given up behind
// the rival fit.
bool PolylineFitter::FitStretchThroughPoints(size_t first, size_t last, StretchStart start,
                                             std::optional<double> endHeading, StartHeadings rule,
                                             const std::vector<FittedSegment>* rival) {
  const size_t before = m_Fitted.size();
  FitState state{m_Points[first], start.heading, first};
  size_t span = 1;
  while (state.index < last) {
    const bool turnFree = state.index > first;
    // Without a heading to reach it with, the stretch's last point is a point like any other;
    // with one, the stretch ends with a landing.
    if (const auto landing = endHeading ? LandFreely(state, last, endHeading, turnFree) : std::nullopt) {
      for (const FittedSegment& segment : *landing) Append(segment);
      return true;
    }
    const double turn = turnFree ? m_Options.joinTurn : (start.given ? 0.0 : std::numbers::pi);
    const size_t limit = endHeading ? last - 1 : last;
    if (rival && FallenBehind(m_Fitted.size() - before, *rival, state.index)) return false;
    std::optional<FittedSegment> segment = FurthestThroughPoint(state, span, limit, turn, rule);
    if (!segment) return false;
    segment = LeavingTheNextMore(state, *segment, limit, turn, rule);
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

// The furthest point up to `limit` that a band of start headings reaches from the state. The last
// answer is remembered: the stretch asks again for the state it takes.
size_t PolylineFitter::FurthestInBand(const FitState& state, size_t span, size_t limit, double turn,
                                      StartHeadings rule) const {
  const BandSearch search{state.at.x, state.at.y, state.heading, state.index, span, limit, turn, rule};
  if (m_LastBandSearch && m_LastBandSearch->first == search) return m_LastBandSearch->second;
  const size_t reach = FurthestHolding(state.index, span, limit,
                                       [&](size_t end) { return HeadingInBand(state, end, turn, rule).has_value(); });
  m_LastBandSearch.emplace(search, reach);
  return reach;
}

// The segment through the furthest point up to `limit` that one holds to. The band of start
// headings finds that point cheaply, and the exact check confirms it; where it does not, the
// exact check searches alone.
std::optional<FittedSegment> PolylineFitter::FurthestThroughPoint(const FitState& state, size_t span, size_t limit,
                                                                  double turn, StartHeadings rule) const {
  if (limit <= state.index) return std::nullopt;
  if (const size_t banded = FurthestInBand(state, span, limit, turn, rule); banded > state.index)
    if (auto segment = ThroughPoint(state, banded, turn, rule)) return segment;
  std::optional<FittedSegment> furthest;
  FurthestHolding(state.index, span, limit, [&](size_t end) {
    std::optional<FittedSegment> segment = ThroughPoint(state, end, turn, rule);
    if (segment) furthest = std::move(segment);
    return furthest && furthest->lastPoint == end;
  });
  return furthest;
}

// Where a curve meets a straight, or its curvature changes, the furthest segment may run past the
// meeting point and leave the next one a start it cannot turn from in time. Where the next segment
// would reach less than half as far as this one, or must turn by the whole join turn at its start,
// the segment ends earlier if the next one reaches further from there.
FittedSegment PolylineFitter::LeavingTheNextMore(const FitState& state, const FittedSegment& furthest, size_t limit,
                                                 double turn, StartHeadings rule) const {
  if (furthest.lastPoint >= limit || furthest.lastPoint <= state.index + 1) return furthest;
  const size_t span = furthest.lastPoint - state.index;
  const auto nextReach = [&](const FittedSegment& segment) {
    return FurthestInBand(StateAfter(segment), span, limit, m_Options.joinTurn, rule);
  };
  size_t reach = nextReach(furthest);
  if (!LeavesABadStart(state, furthest, reach, rule)) return furthest;
  // Points back at doubling steps, then those between the halves either side of the best, weighed
  // by the band alone; only the one taken is held to the exact check.
  size_t bestBack = 0;
  const auto weigh = [&](size_t back) {
    const std::optional<FittedSegment> shorter = SegmentInBand(state, furthest.lastPoint - back, turn, rule);
    if (!shorter) return;
    // Most steps back do not beat the best so far, which one band tells.
    if (reach >= limit || !HeadingInBand(StateAfter(*shorter), reach + 1, m_Options.joinTurn, rule)) return;
    if (const size_t shorterReach = nextReach(*shorter); shorterReach > reach) {
      reach = shorterReach;
      bestBack = back;
    }
  };
  for (size_t back = 1; 2 * back <= span; back *= 2) weigh(back);
  const size_t found = bestBack;
  const size_t step = std::max<size_t>(found / 4, 1);
  for (size_t back = found / 2 + 1; found > 1 && back < std::min(2 * found, span / 2 + 1); back += step)
    if (back != found) weigh(back);
  if (bestBack == 0) return furthest;
  return ThroughPoint(state, furthest.lastPoint - bestBack, turn, rule).value_or(furthest);
}

// Whether the next segment, which reaches points[reach] from the end of this one, reaches less than
// half as far as this one or must turn by (nearly) the whole join turn at its start.
bool PolylineFitter::LeavesABadStart(const FitState& state, const FittedSegment& segment, size_t reach,
                                     StartHeadings rule) const {
  const FitState next = StateAfter(segment);
  const std::optional<double> heading = HeadingInBand(next, reach, m_Options.joinTurn, rule);
  const bool pinned = !heading || TurnBetween(*heading, next.heading) >= kPinnedShare * m_Options.joinTurn;
  return pinned || 2.0 * Distance(next.at, m_Points[reach]) < Distance(state.at, next.at);
}

// The segment from the state that ends on points[end], if it holds, with a start heading by the
// rule that turns from the state's by `turn` (rad) at most.
std::optional<FittedSegment> PolylineFitter::ThroughPoint(const FitState& state, size_t end, double turn,
                                                          StartHeadings rule) const {
  std::optional<FittedSegment> segment = SegmentInBand(state, end, turn, rule);
  if (!segment || !CheckChain({*segment}, m_Points, state.index, end, m_Options.tolerance, ChainEnd::OnLastPoint).holds)
    return std::nullopt;
  return segment;
}

// The segment from the state that ends on points[end] with a start heading by the rule, as the
// band sees it, before the exact check.
std::optional<FittedSegment> PolylineFitter::SegmentInBand(const FitState& state, size_t end, double turn,
                                                           StartHeadings rule) const {
  const std::optional<double> heading = HeadingInBand(state, end, turn, rule);
  if (!heading) return std::nullopt;
  // A line that replaces an arc that barely turns may turn a little more at its start.
  const auto chain = LandingChain({state.at, *heading, state.index}, m_Points[end], std::nullopt);
  if (!chain || chain->front().length < m_Options.shortestSegment ||
      TurnBetween(chain->front().heading, state.heading) > turn + kStraightenedTurn)
    return std::nullopt;
  FittedSegment segment = chain->front();
  segment.lastPoint = end;
  return segment;
}

// The heading of the circle through the state, the point halfway to points[end] and that point,
// as near as the turn from the state's heading allows.
double PolylineFitter::HeadingOfCircle(const FitState& state, size_t end, double turn) const {
  if (end <= state.index + 1) return state.heading;
  const double circle = TangentOfCircle(state.at, m_Points[(state.index + end + 1) / 2], m_Points[end]);
  return state.heading + std::clamp(NormalizedAngle(circle - state.heading), -turn, turn);
}

// The start heading of the arc from the state to points[end] that every point between allows,
// within the turn from the state's heading, if any. Each point allows the band of arcs between
// those through it moved its tolerance either way across them, which is right to first order; the
// exact check follows. By the band, the heading nearest the state's that keeps clear of the
// band's edges; by the circle, the circle's heading if every point allows it (to the full
// tolerance, as the exact check would).
std::optional<double> PolylineFitter::HeadingInBand(const FitState& state, size_t end, double turn,
                                                    StartHeadings rule) const {
  const Point start = state.at;
  const Point target = m_Points[end];
  const Point chord = target - start;
  if (Dot(chord, chord) == 0.0) return std::nullopt;
  const double chordHeading = std::atan2(chord.y, chord.x);
  const double own = NormalizedAngle(state.heading - chordHeading);
  double low = std::tan(std::max(-kMaxHalfTurn, own - turn) / 2.0);
  double high = std::tan(std::min(kMaxHalfTurn, own + turn) / 2.0);
  if (rule == StartHeadings::OfCircle) {
    const double circle = NormalizedAngle(HeadingOfCircle(state, end, turn) - chordHeading);
    if (std::abs(circle) > kMaxHalfTurn) return std::nullopt;
    low = high = std::tan(circle / 2.0);
  }
  for (size_t i = state.index + 1; i < end && low <= high; ++i) {
    const Point p = m_Points[i];
    const double tolerance = rule == StartHeadings::InBand ? m_PointTolerance[i] : m_Options.tolerance;
    const Point fromStart = p - start;
    const Point fromEnd = p - target;
    if (Dot(fromStart, fromStart) <= tolerance * tolerance || Dot(fromEnd, fromEnd) <= tolerance * tolerance) continue;
    const Point away = tolerance * RadialThrough(start, target, p);
    const double outside = HalfTurnTangentThrough(start, target, p + away);
    const double inside = HalfTurnTangentThrough(start, target, p - away);
    low = std::max(low, std::min(outside, inside));
    high = std::min(high, std::max(outside, inside));
  }
  if (!(low <= high)) return std::nullopt;
  const double margin = (high - low) * kBandMargin;
  return chordHeading + 2.0 * std::atan(std::clamp(std::tan(own / 2.0), low + margin, high - margin));
}

}  // namespace geometry::fitting
