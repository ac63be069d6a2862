#include "geometry/PathWalk.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/SegmentGeometry.h"

namespace geometry {

namespace {

void Include(Bounds& bounds, Point p) {
  bounds.min = {std::min(bounds.min.x, p.x), std::min(bounds.min.y, p.y)};
  bounds.max = {std::max(bounds.max.x, p.x), std::max(bounds.max.y, p.y)};
}

// An arc reaches furthest along an axis where its radius points along that axis: at the
// multiples of a quarter turn that its sweep passes.
void IncludeArcExtremes(Bounds& bounds, Point start, const PathSegment& arc) {
  const double quarter = std::numbers::pi / 2.0;
  const Point centre = start + ArcCentre(arc);
  const double from = std::min(arc.initialAngle, arc.initialAngle + arc.angleIncrement);
  const double to = std::max(arc.initialAngle, arc.initialAngle + arc.angleIncrement);
  const double first = std::ceil(from / quarter);
  for (int k = 0; k < 4 && (first + k) * quarter <= to; ++k) {
    const double angle = (first + k) * quarter;
    Include(bounds, centre + Point{arc.radius * std::cos(angle), arc.radius * std::sin(angle)});
  }
}

}  // namespace

PathWalk Walk(const std::vector<PathSegment>& path) {
  PathWalk walk;
  walk.segments.reserve(path.size());
  for (const PathSegment& segment : path) {
    WalkedSegment walked;
    walked.start = walk.end;
    walked.end = walk.end + Displacement(segment);
    walked.length = Length(segment);
    walk.totalLength += walked.length;
    walked.cumulativeLength = walk.totalLength;
    walked.headingIn = HeadingAlong(segment, 0.0);
    walked.headingOut = HeadingAlong(segment, 1.0);
    if (!walk.segments.empty())
      walked.cornerAngle = std::abs(NormalizedAngle(walked.headingIn - walk.segments.back().headingOut));
    Include(walk.bounds, walked.end);
    if (segment.kind == PathSegment::Kind::Circular) IncludeArcExtremes(walk.bounds, walked.start, segment);
    walk.end = walked.end;
    walk.segments.push_back(walked);
  }
  return walk;
}

bool Closes(const PathWalk& walk) {
  return std::hypot(walk.end.x, walk.end.y) <= 1e-9 * std::max(1.0, walk.totalLength);
}

}  // namespace geometry
