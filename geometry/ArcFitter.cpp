#include "geometry/ArcFitter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/ArcGrowth.h"
#include "geometry/CurvatureSet.h"
#include "geometry/FitDeviation.h"

namespace geometry {

namespace {

// Growth aims this share of the tolerance inside it, so that the exact check that follows rarely
// has to shorten an arc.
constexpr double kGrowthMargin = 0.01;
// rad: arcs turn by at most 270 degrees, so that the points they stand for lie in order along
// them, from up to a quarter turn behind the start (noise) on.
constexpr double kMaxHalfTurn = 135.0 * std::numbers::pi / 180.0;
// In tolerances: no arc of a smooth stretch needs a smaller radius (the fillet that rounds a turn
// of 90 degrees within the tolerance has a radius of 2.4 tolerances).
constexpr double kSmallestRadius = 0.01;
// mm: points closer than this to the one before are one point.
constexpr double kRepeatDistance = 1e-9;
// rad: where an arc that lands on a stretch's end would barely turn, the line that replaces it may
// turn this much at its start.
constexpr double kStraightenedTurn = 0.05 * std::numbers::pi / 180.0;
// rad: what the arithmetic leaves of a heading a single arc is meant to land with.
constexpr double kHeadingNoise = 1e-9;
// Points the next segment may head for, at this many scales (2, 8, 32, ... tolerances).
constexpr int kFurtherScales = 5;
// How many of a close's best candidates are weighed by the segment after the next too.
constexpr size_t kWeighedTwoAhead = 2;
// How many choices a stretch may undo at each point it gets stuck at.
constexpr int kRetries = 16;
// Inside a stretch each segment tries start headings this many steps either side of the end
// heading of the one before, up to the join turn.
constexpr int kJoinHeadingSteps = 2;
// A stretch after a corner tries start headings from circles through points at this many
// doubling multiples of the tolerance away.
constexpr int kHeadingScales = 8;

double Dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
double Cross(Point a, Point b) { return a.x * b.y - a.y * b.x; }
double Distance(Point a, Point b) { return std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y)); }
double HeadingOf(Point from, Point to) { return std::atan2(to.y - from.y, to.x - from.x); }
Point Direction(double heading) { return {std::cos(heading), std::sin(heading)}; }
double TurnBetween(double from, double to) { return std::abs(NormalizedAngle(to - from)); }
// How far the direction turns from a->b to b->c, 0 to pi.
double TurnAt(Point a, Point b, Point c) { return std::abs(std::atan2(Cross(b - a, c - b), Dot(b - a, c - b))); }

// The heading at `start` of the circle through start, a and b (of the line to b when they are
// in line).
double TangentOfCircle(Point start, Point a, Point b) {
  const Point u = a - start;
  const Point v = b - start;
  const double determinant = Cross(u, v);
  if (std::abs(determinant) <= 1e-12 * std::hypot(u.x, u.y) * std::hypot(v.x, v.y)) return HeadingOf(start, b);
  // The centre c, seen from start, solves 2 c.u = |u|^2 and 2 c.v = |v|^2; the tangent is
  // square to it, pointing towards a.
  const Point centre{(Dot(u, u) * v.y - Dot(v, v) * u.y) / (2.0 * determinant),
                     (Dot(v, v) * u.x - Dot(u, u) * v.x) / (2.0 * determinant)};
  const Point tangent = Dot(Point{-centre.y, centre.x}, u) >= 0.0 ? Point{-centre.y, centre.x} : Point{centre.y, -centre.x};
  return std::atan2(tangent.y, tangent.x);
}

// Where the fitted path has got to: its end, its heading there, and the last point of the
// polyline it has answered for.
struct FitState {
  Point at;
  double heading;
  size_t index;
};

FitState StateAfter(const FittedSegment& segment) { return {segment.End(), segment.EndHeading(), segment.lastPoint}; }

// The curvature of the arc from the state through p.
double CurvatureThrough(const FitState& state, Point p) {
  const Point forward = Direction(state.heading);
  const Point offset = p - state.at;
  return 2.0 * Cross(forward, offset) / Dot(offset, offset);
}

struct Growth {
  size_t reach;      // the last point the arc can answer for
  size_t lineReach;  // and a line from the same start
  CurvatureSet curvatures;
};

// What a segment's end offers the next one: how far that can grow, and whether it then lands on
// the stretch's end, which beats any reach.
struct Outlook {
  size_t reach = 0;
  bool lands = false;
  size_t reachAfter = 0;  // of the segment after the next, where it is looked at; else the reach

  bool Beats(const Outlook& other) const {
    if (lands != other.lands) return lands;
    return !lands && (reachAfter != other.reachAfter ? reachAfter > other.reachAfter : reach > other.reach);
  }
};

// How a close ends the growing arc: its segment, and which of the close's candidates, counted
// from 1, that was.
struct Closing {
  FittedSegment segment;
  size_t candidate;
};

class PolylineFitter {
 public:
  PolylineFitter(const std::vector<Point>& points, const ArcFitOptions& options);
  std::vector<FittedSegment> Fit();

 private:
  void KeepDistinct(const std::vector<Point>& points);
  void FindNeighbours();
  bool IsCorner(size_t index) const;
  std::vector<size_t> StretchEnds() const;

  void FitStretchBothWays(size_t first, size_t last, std::optional<double> startHeading,
                          std::optional<double> endHeading);
  void FitStretch(size_t first, size_t last, std::optional<double> startHeading, std::optional<double> endHeading);
  bool FitStretchThroughPoints(size_t first, size_t last, std::optional<double> startHeading,
                               std::optional<double> endHeading);
  std::optional<FittedSegment> FurthestThroughPoint(const FitState& state, size_t span, size_t last,
                                                    double turn) const;
  std::optional<FittedSegment> ThroughPoint(const FitState& state, size_t end, double turn) const;
  std::optional<std::vector<FittedSegment>> LandFreely(const FitState& state, size_t last,
                                                       std::optional<double> endHeading, bool turnFree) const;
  double StartHeading(size_t first, size_t last, std::optional<double> endHeading) const;
  FitState FreestStart(const FitState& state, size_t last, int steps) const;
  double LongestLineHeading(size_t first, size_t last) const;
  Growth Grow(const FitState& state, size_t last) const;
  std::optional<std::vector<FittedSegment>> Land(const FitState& state, size_t last,
                                                 std::optional<double> endHeading) const;
  std::optional<std::vector<FittedSegment>> LandingChain(const FitState& state, Point target,
                                                         std::optional<double> endHeading) const;
  std::optional<Closing> Close(const FitState& state, const Growth& growth, size_t first, size_t last,
                               std::optional<double> endHeading, const std::vector<size_t>& ruledOut,
                               bool allowShort) const;
  template <typename Visit>
  void ForEachCandidate(const FitState& state, const Growth& growth, size_t first, size_t last, Visit visit) const;
  std::vector<double> CurvatureChoices(const FitState& state, const CurvatureSet& curvatures, size_t end,
                                       bool withMiddle) const;
  std::vector<double> HeadingsAt(size_t index, size_t first, size_t last) const;
  std::vector<size_t> PointsFurtherOn(size_t index, size_t last) const;
  std::optional<FittedSegment> ArcTowards(const FitState& state, double curvature, Point target, size_t last) const;
  std::optional<FittedSegment> LineToFillet(const FitState& state, size_t index, size_t last) const;
  size_t LastPointBefore(const FittedSegment& segment, size_t from, size_t last) const;
  std::vector<size_t> CandidateEnds(const FitState& state, const Growth& growth, size_t first, size_t limit) const;
  size_t BestTangentMatch(const FitState& state, double curvature, size_t first, size_t limit, bool laterHalf) const;
  std::optional<FittedSegment> ArcEndingAt(const FitState& state, double curvature, size_t index) const;
  std::optional<FittedSegment> FilletOnto(const FitState& state, size_t index) const;
  Outlook LookAhead(const FitState& state, size_t last, std::optional<double> endHeading) const;
  size_t ReachAfterNext(const FitState& next, size_t first, size_t last) const;
  bool LineInDisguise(const FittedSegment& arc, const std::vector<double>& choices) const;
  FittedSegment Kink(const FitState& state) const;
  bool Keepable(const FittedSegment& segment) const;
  void Append(const FittedSegment& segment);

  ArcFitOptions m_Options;
  std::vector<Point> m_Points;
  std::vector<size_t> m_Source;    // each kept point's index among the caller's points
  std::vector<size_t> m_KeptOf;    // each of the caller's points' kept point
  std::vector<double> m_Turn;      // at each point, between the chords either side
  std::vector<size_t> m_Behind;    // the nearest point before, at least a tolerance away
  std::vector<size_t> m_Ahead;     // and after
  std::vector<double> m_PointTolerance;
  double m_GrowthTolerance;
  double m_MinCurvature;
  double m_MaxCurvature;
  CurvatureSet m_Storable;
  std::vector<FittedSegment> m_Fitted;
  double m_Heading = 0.0;  // where the fitted path heads at its end
};

PolylineFitter::PolylineFitter(const std::vector<Point>& points, const ArcFitOptions& options)
    : m_Options(options),
      m_GrowthTolerance(options.tolerance * (1.0 - kGrowthMargin)),
      m_MinCurvature(1.0 / options.maxRadius),
      m_MaxCurvature(1.0 / std::max(options.minRadius, kSmallestRadius * options.tolerance)),
      m_Storable(m_MinCurvature, m_MaxCurvature) {
  KeepDistinct(points);
  m_Turn.assign(m_Points.size(), 0.0);
  for (size_t i = 1; i + 1 < m_Points.size(); ++i) m_Turn[i] = TurnAt(m_Points[i - 1], m_Points[i], m_Points[i + 1]);
  // Beside a vertex the fitted path may pass outside it by its tolerance there; the path's points
  // in the wedge beyond both chords then lie up to 1 / cos(turn / 2) times that from the vertex.
  m_PointTolerance.resize(m_Points.size());
  for (size_t i = 0; i < m_Points.size(); ++i)
    m_PointTolerance[i] = m_GrowthTolerance * std::cos(std::min(m_Turn[i], options.cornerAngle) / 2.0);
  FindNeighbours();
}

void PolylineFitter::KeepDistinct(const std::vector<Point>& points) {
  m_KeptOf.resize(points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    if (m_Points.empty() || Distance(m_Points.back(), points[i]) >= kRepeatDistance) {
      m_Points.push_back(points[i]);
      m_Source.push_back(i);
    } else if (i + 1 == points.size()) {
      m_Points.back() = points[i];  // the path ends exactly on the last point
    }
    m_Source.back() = i;  // the last of a group of repeats stands for it
    m_KeptOf[i] = m_Points.size() - 1;
  }
}

void PolylineFitter::FindNeighbours() {
  const size_t count = m_Points.size();
  const double scale = m_Options.tolerance;
  m_Behind.resize(count);
  m_Ahead.resize(count);
  size_t behind = 0;
  size_t ahead = 0;
  for (size_t i = 0; i < count; ++i) {
    while (behind + 1 < i && Distance(m_Points[behind + 1], m_Points[i]) >= scale) ++behind;
    ahead = std::max(ahead, std::min(i + 1, count - 1));
    while (ahead + 1 < count && Distance(m_Points[ahead], m_Points[i]) < scale) ++ahead;
    m_Behind[i] = behind;
    m_Ahead[i] = ahead;
  }
}

// A corner turns by more than the corner angle between its own chords, and still by more between
// the directions to the nearest points a tolerance away once the turn is allowed that moving
// these points by half the tolerance across could make: a kink of noise below the tolerance is no
// corner.
bool PolylineFitter::IsCorner(size_t index) const {
  if (m_Turn[index] <= m_Options.cornerAngle) return false;
  const Point p = m_Points[index];
  const Point behind = m_Points[m_Behind[index]];
  const Point ahead = m_Points[m_Ahead[index]];
  const double noise = m_Options.tolerance / Distance(behind, p) + m_Options.tolerance / Distance(p, ahead);
  return TurnAt(behind, p, ahead) - noise > m_Options.cornerAngle;
}

std::vector<size_t> PolylineFitter::StretchEnds() const {
  std::vector<bool> end(m_Points.size(), false);
  end.front() = end.back() = true;
  for (size_t i = 1; i + 1 < m_Points.size(); ++i) end[i] = IsCorner(i);
  for (size_t boundary : m_Options.boundaries)
    if (boundary < m_KeptOf.size()) end[m_KeptOf[boundary]] = true;
  std::vector<size_t> ends;
  for (size_t i = 0; i < end.size(); ++i)
    if (end[i]) ends.push_back(i);
  return ends;
}

std::vector<FittedSegment> PolylineFitter::Fit() {
  if (m_Points.size() < 2) return {};
  const std::vector<size_t> ends = StretchEnds();
  for (size_t i = 0; i + 1 < ends.size(); ++i) {
    const size_t first = ends[i];
    const size_t last = ends[i + 1];
    // A boundary that is no corner is passed without a kink.
    std::optional<double> startHeading = m_Options.startHeading;
    if (i > 0) startHeading = IsCorner(first) ? std::nullopt : std::optional(m_Heading);
    FitStretchBothWays(first, last, startHeading, last + 1 == m_Points.size() ? m_Options.endHeading : std::nullopt);
  }
  for (FittedSegment& segment : m_Fitted) segment.lastPoint = m_Source[segment.lastPoint];
  return std::move(m_Fitted);
}

// A stretch is fitted two ways, and the one with fewer segments kept: by growing segments (the
// first) and through the polyline's points. Where the curvature changes steadily, as along a
// spiral or an ellipse, segments through points a curve's chord apart meet nearly tangent by
// themselves, and a fit of such segments needs fewer than one of segments grown each as far as
// it can, which leaves the next a worse start.
void PolylineFitter::FitStretchBothWays(size_t first, size_t last, std::optional<double> startHeading,
                                        std::optional<double> endHeading) {
  const size_t before = m_Fitted.size();
  const double heading = m_Heading;
  FitStretch(first, last, startHeading, endHeading);
  const std::vector<FittedSegment> grown(m_Fitted.begin() + static_cast<std::ptrdiff_t>(before), m_Fitted.end());
  const double grownHeading = m_Heading;
  m_Fitted.resize(before);
  m_Heading = heading;
  if (FitStretchThroughPoints(first, last, startHeading, endHeading) && m_Fitted.size() - before < grown.size())
    return;
  m_Fitted.resize(before);
  m_Fitted.insert(m_Fitted.end(), grown.begin(), grown.end());
  m_Heading = grownHeading;
}

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

// One smooth stretch, from a corner, boundary or the path's start to the next: arcs grow from the
// stretch's start, each leaving with a heading within the join turn of the one the one before ends
// with, until one lands on the stretch's last point.
void PolylineFitter::FitStretch(size_t first, size_t last, std::optional<double> startHeading,
                                std::optional<double> endHeading) {
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
  FitState state{m_Points[first], startHeading ? *startHeading : StartHeading(first, last, endHeading), first};
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
        return;
      }
    }
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
}

// The state with the heading, within the join turn of its own, whose arc grows furthest: its own
// on a tie, so that a segment that fits as well without a kink has none.
FitState PolylineFitter::FreestStart(const FitState& state, size_t last, int steps) const {
  if (m_Options.joinTurn <= 0.0) return state;
  FitState freest = state;
  size_t furthest = Grow(state, last).reach;
  for (int step = -steps; step <= steps; ++step) {
    if (step == 0) continue;
    const FitState tried{state.at, state.heading + m_Options.joinTurn * step / steps, state.index};
    const size_t reach = Grow(tried, last).reach;
    if (reach > furthest) {
      freest = tried;
      furthest = reach;
    }
  }
  return freest;
}

// After a corner the heading is free: of the headings of the first chord, of circles through the
// first point and two more at doubling distances, and of the longest line from the first point,
// the one whose arc lands on the stretch's end, or else grows furthest.
double PolylineFitter::StartHeading(size_t first, size_t last, std::optional<double> endHeading) const {
  const Point start = m_Points[first];
  std::vector<double> headings = {HeadingOf(start, m_Points[first + 1]), LongestLineHeading(first, last)};
  size_t near = first + 1;
  size_t far = first + 1;
  for (int scale = 0; scale < kHeadingScales; ++scale) {
    const double distance = std::ldexp(m_Options.tolerance, scale);
    while (near < last && Distance(start, m_Points[near]) < distance) ++near;
    far = std::max(far, near + 1);
    while (far < last && Distance(start, m_Points[far]) < 2.0 * distance) ++far;
    if (far > last) break;
    headings.push_back(TangentOfCircle(start, m_Points[near], m_Points[far]));
  }
  double best = headings.front();
  Outlook bestOutlook;
  for (double heading : headings) {
    const Outlook outlook = LookAhead({start, heading, first}, last, endHeading);
    if (outlook.Beats(bestOutlook)) {
      best = heading;
      bestOutlook = outlook;
    }
  }
  return best;
}

// The middle of the headings whose line from the first point passes every point up to the
// furthest it can within the tolerance.
double PolylineFitter::LongestLineHeading(size_t first, size_t last) const {
  const Point start = m_Points[first];
  const double base = HeadingOf(start, m_Points[first + 1]);
  double low = -std::numbers::pi / 2.0;
  double high = std::numbers::pi / 2.0;
  for (size_t i = first + 1; i <= last; ++i) {
    const double distance = Distance(start, m_Points[i]);
    if (distance <= m_GrowthTolerance) continue;
    const double direction = NormalizedAngle(HeadingOf(start, m_Points[i]) - base);
    const double halfWidth = std::asin(m_GrowthTolerance / distance);
    const double newLow = std::max(low, direction - halfWidth);
    const double newHigh = std::min(high, direction + halfWidth);
    if (newLow > newHigh) break;
    low = newLow;
    high = newHigh;
  }
  return base + (low + high) / 2.0;
}

Growth PolylineFitter::Grow(const FitState& state, size_t last) const {
  ArcGrowth arc(state.at, state.heading, m_Storable, kMaxHalfTurn, m_Options.tolerance);
  size_t reach = state.index;
  size_t lineReach = state.index;
  while (reach < last && arc.Add(m_Points[reach], m_Points[reach + 1], m_PointTolerance[reach + 1])) {
    ++reach;
    if (lineReach + 1 == reach && arc.Curvatures().Contains(0.0)) lineReach = reach;
  }
  return {reach, lineReach, arc.Curvatures()};
}

bool PolylineFitter::Keepable(const FittedSegment& segment) const {
  const double curvature = std::abs(segment.curvature);
  return curvature <= m_MaxCurvature && (curvature == 0.0 || curvature >= m_MinCurvature) &&
         curvature * segment.length <= 2.0 * kMaxHalfTurn;
}

// The segments that end exactly on `target`: the arc through it, or, when the heading there is
// given and the arc does not reach it with that heading, a biarc.
std::optional<std::vector<FittedSegment>> PolylineFitter::LandingChain(const FitState& state, Point target,
                                                                       std::optional<double> endHeading) const {
  std::optional<FittedSegment> arc = SegmentThrough(state.at, state.heading, target);
  if (!arc) return std::nullopt;
  if (!endHeading || TurnBetween(arc->EndHeading(), *endHeading) <= kHeadingNoise) {
    // A straight run stays a line: an arc that would barely turn, or be too flat to keep, gives way
    // to the line to the same point.
    if (!endHeading && TurnBetween(state.heading, HeadingOf(state.at, target)) <= kStraightenedTurn)
      arc = FittedSegment{state.at, HeadingOf(state.at, target), 0.0, Distance(state.at, target)};
    if (!Keepable(*arc)) return std::nullopt;
    return std::vector{*arc};
  }
  const auto pair = Biarc(state.at, state.heading, target, *endHeading);
  if (!pair || !Keepable(pair->first) || !Keepable(pair->second)) return std::nullopt;
  return std::vector{pair->first, pair->second};
}

std::optional<std::vector<FittedSegment>> PolylineFitter::Land(const FitState& state, size_t last,
                                                               std::optional<double> endHeading) const {
  std::optional<std::vector<FittedSegment>> chain = LandingChain(state, m_Points[last], endHeading);
  if (!chain) return std::nullopt;
  const ChainCheck check = CheckChain(*chain, m_Points, state.index, last, m_Options.tolerance, ChainEnd::OnLastPoint);
  if (!check.holds) return std::nullopt;
  // The first of a pair answers for the points whose nearest position lies on it.
  for (FittedSegment& segment : *chain) segment.lastPoint = last;
  if (chain->size() == 2) {
    const FittedSegment& first = chain->front();
    size_t covered = state.index;
    while (covered + 1 < last && Project(first, m_Points[covered + 1]).along < first.length) ++covered;
    chain->front().lastPoint = covered;
  }
  return chain;
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

// How far the next segment can grow from the state, and whether it lands.
Outlook PolylineFitter::LookAhead(const FitState& state, size_t last, std::optional<double> endHeading) const {
  const Growth growth = Grow(state, last);
  return {growth.reach, growth.reach == last && Land(state, last, endHeading).has_value(), growth.reach};
}

// When nothing smooth holds: a line straight to the next point, with a kink where it starts. The
// state lies within the tolerance of its point, so the line lies within it of the chord.
FittedSegment PolylineFitter::Kink(const FitState& state) const {
  const Point next = m_Points[state.index + 1];
  return {state.at, HeadingOf(state.at, next), 0.0, Distance(state.at, next), state.index + 1};
}

void PolylineFitter::Append(const FittedSegment& segment) {
  if (segment.length > 0.0) m_Fitted.push_back(segment);
  m_Heading = segment.EndHeading();
}

}  // namespace

std::vector<FittedSegment> FitArcs(const std::vector<Point>& points, const ArcFitOptions& options) {
  return PolylineFitter(points, options).Fit();
}

}  // namespace geometry
