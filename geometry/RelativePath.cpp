#include "geometry/RelativePath.h"

#include "geometry/SegmentGeometry.h"

namespace geometry {

namespace {

PathSegment RoundedSegment(const GcodeMove& move, Point reached, const Rounding& rounding) {
  if (move.kind == PathSegment::Kind::Circular)
    return PathSegment::Arc(rounding.length(move.radius), rounding.angle(move.initialAngle),
                            rounding.angle(move.angleIncrement));
  const Point increment = move.target - reached;
  return PathSegment::Line(rounding.length(increment.x), rounding.length(increment.y));
}

bool IsEmptyLine(const PathSegment& segment) {
  return segment.kind == PathSegment::Kind::Linear && segment.increment.x == 0.0 && segment.increment.y == 0.0;
}

}  // namespace

std::vector<ImportedSegment> ToRelativePath(const GcodePath& path, const Rounding& rounding) {
  std::vector<ImportedSegment> segments;
  segments.reserve(path.moves.size());
  Point reached = path.start;
  double feed = 0.0;
  for (const GcodeMove& move : path.moves) {
    if (move.feed != 0.0) feed = move.feed;
    const PathSegment segment = RoundedSegment(move, reached, rounding);
    if (IsEmptyLine(segment)) continue;
    segments.push_back({segment, feed, move.line});
    feed = 0.0;
    reached = reached + Displacement(segment);
  }
  return segments;
}

}  // namespace geometry
