#include "FitDeviation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "geometry/core/Angles.h"

namespace geometry::fitting {

namespace {

// The point a segment reaches is a function of the distance along it; these are the distances
// in (from, to) at which an arc's heading is `heading` modulo a full turn.
template <typename Visit>
void AtHeading(const FittedSegment& arc, double heading, double from, double to, Visit visit) {
  const double rate = std::abs(arc.curvature);
  const double sign = arc.curvature > 0.0 ? 1.0 : -1.0;
  const double turn = CounterclockwiseTurnOrNone(sign * (heading - arc.HeadingAt(from)));
  for (double along = from + turn / rate; along < to; along += kFullTurn / rate) visit(along);
}

// Whether the arc's stretch from `from` to `to`, whose ends lie within `tolerance` of the chord
// a-b, keeps within it throughout. No point of the stretch lies further from the chord than its
// ends do plus the stretch's sagitta, k l^2 / 8, which settles most short stretches at once; else
// the distance can only peak where the arc runs parallel to the chord, or where its radius points
// at an end of the chord.
bool ArcStretchWithin(const FittedSegment& arc, double from, double to, Point a, Point b, double atEnds,
                      double tolerance) {
  const double length = to - from;
  if (atEnds + std::abs(arc.curvature) * length * length / 8.0 <= tolerance) return true;
  const Point centre = arc.Centre();
  const double chordHeading = HeadingOf(a, b);
  const double towardsA = HeadingOf(centre, a);
  const double towardsB = HeadingOf(centre, b);
  const std::array<double, 6> headings = {chordHeading,
                                          chordHeading + std::numbers::pi,
                                          towardsA + kQuarterTurn,
                                          towardsA - kQuarterTurn,
                                          towardsB + kQuarterTurn,
                                          towardsB - kQuarterTurn};
  bool within = true;
  for (double heading : headings)
    AtHeading(arc, heading, from, to,
              [&](double along) { within = within && DistanceToSegment(arc.At(along), a, b) <= tolerance; });
  return within;
}

// p seen from the segment's start: along its heading and to its left.
Point Local(const FittedSegment& segment, Point p) {
  const Point forward = Direction(segment.heading);
  const Point offset = p - segment.start;
  return {Dot(offset, forward), Cross(forward, offset)};
}

// The turn from the start to the radius through a point (u, v) seen from the start, over the
// curvature, half a turn either way: exact as the curvature goes to 0, where it becomes the
// distance along the line.
double AlongCircle(double k, Point local) {
  return k == 0.0 ? local.x : std::atan2(local.x * std::abs(k), 1.0 - local.y * k) / std::abs(k);
}

}  // namespace

double AlongArc(const FittedSegment& segment, Point p) {
  const double k = std::abs(segment.curvature);
  const double along = AlongCircle(segment.curvature, Local(segment, p));
  return k != 0.0 && along * k < -kQuarterTurn ? along + kFullTurn / k : along;
}

Projection Project(const FittedSegment& segment, Point p) {
  const Point local = Local(segment, p);
  const double u = local.x;
  const double v = local.y;
  const double k = segment.curvature;
  double along = AlongCircle(k, local);
  // An arc of more than half a turn reaches points behind its start from the far side.
  if (along < 0.0 && along + kFullTurn / std::abs(k) <= segment.length) along += kFullTurn / std::abs(k);
  if (along >= 0.0 && along <= segment.length) {
    // p's distance to the whole circle |k (u^2 + v^2) - 2v| / (1 + |1 - k (v, -u)|), exact as k
    // goes to 0, where it becomes the distance across the line.
    const double across = std::abs(k * (u * u + v * v) - 2.0 * v) / (1.0 + Norm({k * u, 1.0 - k * v}));
    return {across, along};
  }
  const double toStart = Norm(p - segment.start);
  const double toEnd = Norm(p - segment.End());
  return toStart <= toEnd ? Projection{toStart, 0.0} : Projection{toEnd, segment.length};
}

bool StretchWithin(const FittedSegment& segment, double from, double to, Point a, Point b, double tolerance) {
  const double atEnds = std::max(DistanceToSegment(segment.At(from), a, b), DistanceToSegment(segment.At(to), a, b));
  if (atEnds > tolerance) return false;
  // A line is farthest from a chord at an end.
  return segment.curvature == 0.0 || to <= from || ArcStretchWithin(segment, from, to, a, b, atEnds, tolerance);
}

namespace {

// A position on a chain: which segment, and how far along it.
struct ChainPosition {
  size_t segment = 0;
  double along = 0.0;

  bool operator<(const ChainPosition& other) const {
    return segment != other.segment ? segment < other.segment : along < other.along;
  }
};

struct ChainProjection {
  double distance;
  ChainPosition position;
};

ChainProjection ProjectOnChain(const std::vector<FittedSegment>& chain, Point p) {
  ChainProjection nearest{std::numeric_limits<double>::infinity(), {}};
  for (size_t i = 0; i < chain.size(); ++i) {
    const Projection projection = Project(chain[i], p);
    if (projection.distance < nearest.distance) nearest = {projection.distance, {i, projection.along}};
  }
  return nearest;
}

// Whether the chain between two positions keeps within the tolerance of the chord a-b.
bool ChainStretchWithin(const std::vector<FittedSegment>& chain, ChainPosition from, ChainPosition to, Point a, Point b,
                        double tolerance) {
  for (size_t i = from.segment; i <= to.segment; ++i) {
    const double start = i == from.segment ? from.along : 0.0;
    const double end = i == to.segment ? to.along : chain[i].length;
    if (!StretchWithin(chain[i], start, end, a, b, tolerance)) return false;
  }
  return true;
}

double LengthUpTo(const std::vector<FittedSegment>& chain, ChainPosition position) {
  double length = position.along;
  for (size_t i = 0; i < position.segment; ++i) length += chain[i].length;
  return length;
}

}  // namespace

ChainCheck CheckChain(const std::vector<FittedSegment>& chain, const std::vector<Point>& points, size_t first,
                      size_t last, double tolerance, ChainEnd chainEnd) {
  const ChainPosition end{chain.size() - 1, chain.back().length};
  const bool endsOnLast = chainEnd == ChainEnd::OnLastPoint;
  ChainPosition reached;
  for (size_t i = first + 1; i <= last; ++i) {
    const ChainProjection projection = ProjectOnChain(chain, points[i]);
    // Noise can put a point's nearest position behind the one before; the stretches still cover
    // the chain once, in order.
    const ChainPosition next = i == last && endsOnLast ? end : std::max(reached, projection.position);
    if (projection.distance > tolerance ||
        !ChainStretchWithin(chain, reached, next, points[i - 1], points[i], tolerance))
      return {false, i - 1, LengthUpTo(chain, reached)};
    reached = next;
  }
  if (!endsOnLast && !ChainStretchWithin(chain, reached, end, points[last], points[last + 1], tolerance))
    return {false, last, LengthUpTo(chain, reached)};
  return {true, last, LengthUpTo(chain, end)};
}

}  // namespace geometry::fitting
