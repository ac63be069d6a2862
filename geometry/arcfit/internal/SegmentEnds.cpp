#include "SegmentEnds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/core/Angles.h"

namespace geometry::fitting {

// For each candidate end point: arcs with the curvatures left that end on it (the line, the arc
// through it, and for the first two ends the middle one); for the first two ends also the first
// arcs of biarcs that land on it with the polyline's headings there, and the fillet onto the chord
// after it. Then, for the furthest end, segments that end where the next one can start well: a
// line where the fillet round the turn at its end begins, an arc where its tangent heads for a
// point further on.
std::vector<EndCandidate> SegmentEnds::Candidates(const FitState& state, const Growth& growth, size_t first,
                                                  size_t last) const {
  std::vector<EndCandidate> candidates;
  const size_t limit = std::min(growth.reach, last - 1);
  if (limit <= state.index) {
    if (const auto fillet = FilletOnto(state, state.index)) candidates.push_back({*fillet, ChainEnd::AlongNextChord});
    return candidates;
  }
  const std::vector<double> limitChoices = CurvatureChoices(state, growth.curvatures, limit, true);
  const std::vector<size_t> ends = CandidateEnds(state, growth, first, limit);
  for (size_t e = 0; e < ends.size(); ++e) {
    const size_t end = ends[e];
    const bool leading = e < 2;
    const std::vector<double> choices =
        end == limit ? limitChoices
                     : CurvatureChoices(state, m_Context.GrowthFrom(state, end).curvatures, end, leading);
    for (double curvature : choices)
      if (const auto arc = ArcEndingAt(state, curvature, end); arc && !IsNearlyStraight(*arc, choices))
        candidates.push_back({*arc, ChainEnd::OnLastPoint});
    if (!leading) continue;
    for (double heading : PassingHeadingsAt(end, first, last))
      if (const auto pair = Biarc(state.at, state.heading, m_Context.Polyline().At(end), heading);
          pair && m_Context.Storable(pair->first)) {
        FittedSegment arc = pair->first;
        arc.lastPoint = LastPointBeforeEnd(arc, state.index, last);
        candidates.push_back({arc, ChainEnd::AlongNextChord});
      }
    if (const auto fillet = FilletOnto(state, end)) candidates.push_back({*fillet, ChainEnd::AlongNextChord});
  }
  if (limitChoices.front() == 0.0)
    for (size_t vertex : {limit, limit - 1})
      if (const auto line = LineUpToFillet(state, vertex, last))
        candidates.push_back({*line, ChainEnd::AlongNextChord});
  const std::vector<size_t> further = PointsFurtherOn(limit, last);
  for (double curvature : limitChoices)
    if (curvature != 0.0)
      for (size_t index : further)
        if (const auto arc = ArcUntilTangentHeadsFor(state, curvature, m_Context.Polyline().At(index), last);
            arc && !IsNearlyStraight(*arc, limitChoices))
          candidates.push_back({*arc, ChainEnd::AlongNextChord});
  return candidates;
}

std::vector<double> SegmentEnds::CurvatureChoices(const FitState& state, const CurvatureSet& curvatures, size_t end,
                                                  bool withMiddle) const {
  const double through = CurvatureThrough(state, m_Context.Polyline().At(end));
  std::vector<double> choices = {curvatures.Nearest(through)};
  if (withMiddle) choices.push_back(curvatures.MiddleNear(through));
  if (curvatures.Contains(0.0)) choices.insert(choices.begin(), 0.0);
  choices.erase(std::unique(choices.begin(), choices.end()), choices.end());
  return choices;
}

// Points after `index` at 2, 8, 32, ... tolerances from it, within the stretch.
std::vector<size_t> SegmentEnds::PointsFurtherOn(size_t index, size_t last) const {
  const PolylineAnalysis& polyline = m_Context.Polyline();
  std::vector<size_t> further;
  size_t next = index + 1;
  double distance = 2.0 * m_Context.Options().tolerance;
  for (int scale = 0; scale < m_Context.Tuning().furtherScales; ++scale, distance *= 4.0) {
    while (next < last && Distance(polyline.At(index), polyline.At(next)) < distance) ++next;
    if (further.empty() || further.back() != next) further.push_back(next);
  }
  return further;
}

// The arc from the state with `curvature` up to where its tangent runs through `target`.
std::optional<FittedSegment> SegmentEnds::ArcUntilTangentHeadsFor(const FitState& state, double curvature, Point target,
                                                                  size_t last) const {
  FittedSegment arc{state.at, state.heading, curvature, 0.0, state.index};
  const double radius = 1.0 / std::abs(curvature);
  const double side = curvature > 0.0 ? 1.0 : -1.0;
  const Point centre = arc.Centre();
  const double distance = Distance(centre, target);
  if (distance <= radius) return std::nullopt;
  // Of the two tangent points, the one the arc reaches heading towards the target.
  const double tangentAngle = HeadingOf(centre, target) - side * std::acos(radius / distance);
  const double startAngle = state.heading - side * kQuarterTurn;
  arc.length = CounterclockwiseTurnOrNone(side * (tangentAngle - startAngle)) * radius;
  if (!(arc.length > 0.0) || !m_Context.Storable(arc)) return std::nullopt;
  arc.lastPoint = LastPointBeforeEnd(arc, state.index, last);
  return arc;
}

// As large a fillet as keeps within the tolerance of the turn's vertex, and short enough to fit
// the line and the chord.
std::optional<FittedSegment> SegmentEnds::LineUpToFillet(const FitState& state, size_t index, size_t last) const {
  const PolylineAnalysis& polyline = m_Context.Polyline();
  if (index <= state.index || index >= last) return std::nullopt;
  const Point a = polyline.At(index);
  const Point d = Direction(HeadingOf(a, polyline.At(index + 1)));
  const Point forward = Direction(state.heading);
  const double half = std::abs(NormalizedAngle(HeadingOf(a, polyline.At(index + 1)) - state.heading)) / 2.0;
  if (half == 0.0 || half >= std::numbers::pi / 4.0) return std::nullopt;
  // Where the line meets the chord's line: the turn's vertex.
  const double toVertex = Cross(a - state.at, d) / Cross(forward, d);
  const Point vertex = state.at + toVertex * forward;
  const double largest = m_Context.GrowthTolerance() / (1.0 / std::cos(half) - 1.0) * std::tan(half);
  const double tangent = std::min({largest, toVertex / 2.0, Distance(vertex, polyline.At(index + 1)) / 2.0});
  if (!(tangent > 0.0)) return std::nullopt;
  FittedSegment line{state.at, state.heading, 0.0, toVertex - tangent, state.index};
  line.lastPoint = LastPointBeforeEnd(line, state.index, last);
  return line;
}

// The last point, from `from` on and before the stretch's last, that lies before the segment's
// end: on the start's side of the radius (or, on a line, of the square) through the end.
size_t SegmentEnds::LastPointBeforeEnd(const FittedSegment& segment, size_t from, size_t last) const {
  const Point end = segment.End();
  const Point across = segment.curvature == 0.0 ? Direction(segment.heading)
                                                : (segment.curvature > 0.0 ? 1.0 : -1.0) * (end - segment.Centre());
  const auto before = [&](Point p) {
    return segment.curvature == 0.0 ? Dot(p - end, across) <= 0.0 : Cross(across, p - end) <= 0.0;
  };
  size_t index = from;
  while (index + 1 < last && before(m_Context.Polyline().At(index + 1))) ++index;
  return index;
}

// The headings the path may pass a point with: along the chord after it, along the one before it
// (where a curve meets a straight, one of them is the straight's) and between the points a
// tolerance away on either side.
std::vector<double> SegmentEnds::PassingHeadingsAt(size_t index, size_t first, size_t last) const {
  const PolylineAnalysis& polyline = m_Context.Polyline();
  const Point p = polyline.At(index);
  std::vector<double> headings = {HeadingOf(p, polyline.At(index + 1))};
  if (index > first) headings.push_back(HeadingOf(polyline.At(index - 1), p));
  headings.push_back(HeadingOf(polyline.At(std::max(polyline.Behind(index), first)),
                               polyline.At(std::min(polyline.Ahead(index), last))));
  return headings;
}

// The furthest point the arc can answer for, the one where the arc's heading best matches the
// polyline's (where a curve runs into a straight, say), the one before the furthest, and where
// the line from the start would best end.
std::vector<size_t> SegmentEnds::CandidateEnds(const FitState& state, const Growth& growth, size_t first,
                                               size_t limit) const {
  std::vector<size_t> ends;
  if (limit <= state.index) return ends;
  const double through = CurvatureThrough(state, m_Context.Polyline().At(limit));
  const double curvature = growth.curvatures.Contains(0.0) ? 0.0 : growth.curvatures.Nearest(through);
  // Where a straight runs into a curve, the line ends where the straight does.
  const size_t lineReach = std::min(growth.lineReach, limit);
  const size_t lineEnd =
      growth.lineReach < limit ? PointOfBestTangentMatch(state, 0.0, first, lineReach, false) : limit;
  for (size_t end :
       {limit, PointOfBestTangentMatch(state, curvature, first, limit, true), limit - 1,
        PointOfBestTangentMatch(state, curvature, first, limit, false), lineEnd,
        LastPointOfTangentMatch(state, curvature, first, limit), LastPointOfTangentMatch(state, 0.0, first, lineReach)})
    if (end > state.index && std::find(ends.begin(), ends.end(), end) == ends.end()) ends.push_back(end);
  return ends;
}

// The polyline's heading at a point is taken between the points a tolerance away on either side.
size_t SegmentEnds::PointOfBestTangentMatch(const FitState& state, double curvature, size_t first, size_t limit,
                                            bool laterHalf) const {
  const PolylineAnalysis& polyline = m_Context.Polyline();
  const FittedSegment arc{state.at, state.heading, curvature, 0.0};
  size_t best = limit;
  double smallest = std::numbers::pi;
  for (size_t i = laterHalf ? std::max(state.index + 1, (state.index + limit + 1) / 2) : state.index + 1; i <= limit;
       ++i) {
    const double arcHeading = arc.HeadingAt(AlongArc(arc, polyline.At(i)));
    const double polylineHeading = HeadingOf(polyline.At(std::max(polyline.Behind(i), first)),
                                             polyline.At(std::min(polyline.Ahead(i), limit + 1)));
    const double mismatch = TurnBetween(arcHeading, polylineHeading);
    if (mismatch <= smallest) {
      smallest = mismatch;
      best = i;
    }
  }
  return best;
}

// Where the band is wide, a segment can run on past the point where the polyline's curvature
// changes, and the next then starts off the curve and needs a fillet to join it smoothly: the
// segment may end on the last point whose heading it still matches within the join turn.
size_t SegmentEnds::LastPointOfTangentMatch(const FitState& state, double curvature, size_t first, size_t limit) const {
  const PolylineAnalysis& polyline = m_Context.Polyline();
  const FittedSegment arc{state.at, state.heading, curvature, 0.0};
  const double joinTurn = m_Context.Options().joinTurn;
  size_t last = state.index;
  for (size_t i = state.index + 1; i <= limit; ++i) {
    const double arcHeading = arc.HeadingAt(AlongArc(arc, polyline.At(i)));
    const double polylineHeading = HeadingOf(polyline.At(std::max(polyline.Behind(i), first)),
                                             polyline.At(std::min(polyline.Ahead(i), limit + 1)));
    if (TurnBetween(arcHeading, polylineHeading) <= joinTurn) last = i;
  }
  return last;
}

std::optional<FittedSegment> SegmentEnds::ArcEndingAt(const FitState& state, double curvature, size_t index) const {
  FittedSegment arc{state.at, state.heading, curvature, 0.0, index};
  arc.length = AlongArc(arc, m_Context.Polyline().At(index));
  if (!(arc.length > 0.0)) return std::nullopt;
  return arc;
}

// The arc that turns onto the chord after points[index] and ends running along its line: a
// fillet for a smooth turn between long chords, for a state on the side of the line it turns to.
std::optional<FittedSegment> SegmentEnds::FilletOnto(const FitState& state, size_t index) const {
  const Point a = m_Context.Polyline().At(index);
  const Point b = m_Context.Polyline().At(index + 1);
  const double turn = NormalizedAngle(HeadingOf(a, b) - state.heading);
  if (turn == 0.0 || std::abs(turn) > 2.0 * m_Context.Tuning().maxHalfTurn) return std::nullopt;
  const double side = turn > 0.0 ? 1.0 : -1.0;
  const Point d = Direction(HeadingOf(a, b));
  const double startBeside = side * Cross(d, state.at - a);
  const double versine = 1.0 - std::cos(turn);
  const double radius = startBeside / versine;
  if (!(radius > 0.0)) return std::nullopt;
  FittedSegment fillet{state.at, state.heading, side / radius, std::abs(turn) * radius, index};
  const double along = Dot(fillet.End() - a, d);
  if (!m_Context.Storable(fillet) || along < 0.0 || along > Distance(a, b)) return std::nullopt;
  return fillet;
}

// An arc that barely turns where a line would do as well: a straight run stays a line.
bool SegmentEnds::IsNearlyStraight(const FittedSegment& arc, const std::vector<double>& choices) const {
  return arc.curvature != 0.0 && std::abs(arc.curvature * arc.length) < m_Context.Tuning().nearlyStraightTurn &&
         std::find(choices.begin(), choices.end(), 0.0) != choices.end();
}

}  // namespace geometry::fitting
