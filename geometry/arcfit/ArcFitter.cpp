#include "geometry/arcfit/ArcFitter.h"

#include <algorithm>

#include "geometry/arcfit/ArcGrowth.h"
#include "geometry/arcfit/PolylineFitter.h"

namespace geometry {

namespace fitting {

namespace {

// Growth aims this share of the tolerance inside it, so that the exact check that follows rarely
// has to shorten an arc.
constexpr double kGrowthMargin = 0.01;
// In tolerances: no arc of a smooth stretch needs a smaller radius (the fillet that rounds a turn
// of 90 degrees within the tolerance has a radius of 2.4 tolerances).
constexpr double kSmallestRadius = 0.01;
// How many segments more than a twentieth of its rival's a fit may lie behind before it is given up.
constexpr size_t kBehindBy = 8;
// How many growths are remembered before the memory starts afresh.
constexpr size_t kRememberedGrowths = 4096;
// A stretch after a corner tries start headings from circles through points at this many
// doubling multiples of the tolerance away.
constexpr int kHeadingScales = 8;

}  // namespace

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
    if (m_Points.empty() || Distance(m_Points.back(), points[i]) >= kSamePoint) {
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
    FitStretchEveryWay(first, last, startHeading, last + 1 == m_Points.size() ? m_Options.endHeading : std::nullopt);
  }
  for (FittedSegment& segment : m_Fitted) segment.lastPoint = m_Source[segment.lastPoint];
  return std::move(m_Fitted);
}

// A stretch is fitted three ways, and the one with fewest segments kept (the earlier on a tie):
// through the polyline's points with start headings from the band that every point allows, or
// from the circle through the point halfway, and by growing segments. Where the curvature changes
// steadily, as along a spiral or an ellipse, segments through points a curve's chord apart meet
// nearly tangent by themselves, and need fewer than segments grown each as far as they can,
// which leaves the next a worse start. Elsewhere growing finds ends that points do not offer.
// The later fits cost more, so each is given up once it falls well behind the best so far.
void PolylineFitter::FitStretchEveryWay(size_t first, size_t last, std::optional<double> startHeading,
                                        std::optional<double> endHeading) {
  const size_t before = m_Fitted.size();
  const double heading = m_Heading;
  std::optional<std::vector<FittedSegment>> best;
  double bestHeading = heading;
  const auto weigh = [&](bool fitted) {
    if (fitted && (!best || m_Fitted.size() - before < best->size())) {
      best.emplace(m_Fitted.begin() + static_cast<std::ptrdiff_t>(before), m_Fitted.end());
      bestHeading = m_Heading;
    }
    m_Fitted.resize(before);
    m_Heading = heading;
  };
  const StretchStart start{startHeading ? *startHeading : StartHeading(first, last, endHeading),
                           startHeading.has_value()};
  weigh(FitStretchThroughPoints(first, last, start, endHeading, StartHeadings::InBand, nullptr));
  weigh(FitStretchThroughPoints(first, last, start, endHeading, StartHeadings::OfCircle, best ? &*best : nullptr));
  // Unless a fit through points holds, growing goes on to the end, with kinks where nothing holds.
  weigh(FitStretch(first, last, start, endHeading, best ? &*best : nullptr));
  m_Fitted.insert(m_Fitted.end(), best->begin(), best->end());
  m_Heading = bestHeading;
}

// Whether a fit that has taken `count` segments to reach points[index] lies so far behind the
// rival fit that it will not catch up: by more than a twentieth of the rival's segments up to
// there and a few more.
bool PolylineFitter::FallenBehind(size_t count, const std::vector<FittedSegment>& rival, size_t index) {
  const auto reaching = std::lower_bound(rival.begin(), rival.end(), index,
                                         [](const FittedSegment& segment, size_t point) { return segment.lastPoint < point; });
  const size_t rivalCount = static_cast<size_t>(reaching - rival.begin()) + 1;
  return count > rivalCount + rivalCount / 20 + kBehindBy;
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
  double low = -kQuarterTurn;
  double high = kQuarterTurn;
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
  const GrowthKey key{state.at.x, state.at.y, state.heading, state.index, last};
  if (const auto known = m_Growths.find(key); known != m_Growths.end()) return known->second;
  // The states asked about lie close together along the polyline, so a full memory is simply
  // started afresh.
  if (m_Growths.size() >= kRememberedGrowths) m_Growths.clear();
  return m_Growths.emplace(key, GrowFresh(state, last)).first->second;
}

Growth PolylineFitter::GrowFresh(const FitState& state, size_t last) const {
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

}  // namespace fitting

std::vector<FittedSegment> FitArcs(const std::vector<Point>& points, const ArcFitOptions& options) {
  return fitting::PolylineFitter(points, options).Fit();
}

}  // namespace geometry
