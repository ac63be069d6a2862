#include "geometry/core/PathWalk.h"

#include <algorithm>
#include <cmath>

#include "geometry/core/SegmentGeometry.h"
#include "geometry/core/Tolerances.h"

namespace geometry {

namespace {

void Include(Bounds& bounds, Point p) {
  bounds.min = {std::min(bounds.min.x, p.x), std::min(bounds.min.y, p.y)};
  bounds.max = {std::max(bounds.max.x, p.x), std::max(bounds.max.y, p.y)};
}

// An arc reaches furthest along an axis where its radius points along that axis: at the
// multiples of a quarter turn that its sweep passes, whose directions are exact.
void IncludeArcExtremes(Bounds& bounds, Point start, const PathSegment& arc) {
  static constexpr Point kQuarterTurns[4] = {{1.0, 0.0}, {0.0, 1.0}, {-1.0, 0.0}, {0.0, -1.0}};
  const Point centre = start + ArcCentre(arc);
  const double from = std::min(arc.initialAngle, arc.initialAngle + arc.angleIncrement);
  const double to = std::max(arc.initialAngle, arc.initialAngle + arc.angleIncrement);
  const double first = std::ceil(from / kQuarterTurn);
  for (int k = 0; k < 4 && (first + k) * kQuarterTurn <= to; ++k) {
    const long turn = static_cast<long>(std::fmod(first + k, 4.0) + 4.0) % 4;
    Include(bounds, centre + arc.radius * kQuarterTurns[turn]);
  }
}

}  // namespace

WalkedSegment PathWalker::Next(const PathSegment& segment) {
  WalkedSegment walked;
  walked.start = m_Summary.end;
  walked.end = m_Summary.end + Displacement(segment);
  walked.length = Length(segment);
  m_Summary.totalLength += walked.length;
  walked.cumulativeLength = m_Summary.totalLength;
  walked.headingIn = HeadingAlong(segment, 0.0);
  // A line heads one way throughout.
  walked.headingOut = segment.kind == PathSegment::Kind::Linear ? walked.headingIn : HeadingAlong(segment, 1.0);
  if (m_Summary.segmentCount > 0) walked.cornerAngle = TurnBetween(m_HeadingOut, walked.headingIn);
  Include(m_Summary.bounds, walked.end);
  if (segment.kind == PathSegment::Kind::Circular) IncludeArcExtremes(m_Summary.bounds, walked.start, segment);
  m_Summary.end = walked.end;
  m_HeadingOut = walked.headingOut;
  ++m_Summary.segmentCount;
  return walked;
}

PathSource SourceOf(const std::vector<PathSegment>& path) {
  return [&path](const SegmentVisitor& visit) {
    for (const PathSegment& segment : path) visit(segment);
  };
}

WalkSummary Survey(const PathSource& path) {
  PathWalker walker;
  path([&walker](const PathSegment& segment) { walker.Next(segment); });
  return walker.Summary();
}

PathWalk Walk(const std::vector<PathSegment>& path) {
  PathWalker walker;
  PathWalk walk;
  walk.segments.reserve(path.size());
  for (const PathSegment& segment : path) walk.segments.push_back(walker.Next(segment));
  static_cast<WalkSummary&>(walk) = walker.Summary();
  return walk;
}

bool Closes(const WalkSummary& walk) { return Norm(walk.end) <= kSummingNoise * std::max(1.0, walk.totalLength); }

}  // namespace geometry
