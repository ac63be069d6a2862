#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "geometry/core/PathSegment.h"

namespace geometry {

// Where one segment runs within the whole path, all points measured from the path's start.
struct WalkedSegment {
  Point start;
  Point end;
  double length = 0.0;
  double cumulativeLength = 0.0;  // from the path's start to this segment's end
  double headingIn = 0.0;         // direction of travel where the segment starts, radians
  double headingOut = 0.0;        // and where it ends
  double cornerAngle = 0.0;       // the turn at the joint before the segment, 0 to pi; 0 for the first
};

// A joint that turns by more than the threshold (radians) is a corner where the path stops.
inline bool IsCorner(const WalkedSegment& walked, double threshold) { return walked.cornerAngle > threshold; }

// The threshold the commands and the preview take unless told another.
constexpr double kDefaultCornerDegrees = 10.0;

struct Bounds {
  Point min;
  Point max;
};

// What a walk has found so far.
struct WalkSummary {
  Point end;  // the closing gap: where the path ends, seen from its start
  double totalLength = 0.0;
  Bounds bounds;  // of everything the path passes, arcs' extremes included
  size_t segmentCount = 0;
};

// Walks a path one segment at a time, keeping only where it has got to: a path of any length
// is walked in constant memory.
class PathWalker {
 public:
  // Where `segment`, the next one of the path, runs.
  WalkedSegment Next(const PathSegment& segment);
  const WalkSummary& Summary() const { return m_Summary; }

 private:
  WalkSummary m_Summary;
  double m_HeadingOut = 0.0;  // of the segment before the next one
};

// A path that can be gone through from its start as often as needed: each call visits every
// segment in order. The path's segments need not all be in memory at once.
using SegmentVisitor = std::function<void(const PathSegment&)>;
using PathSource = std::function<void(const SegmentVisitor&)>;

// The segments of a vector, which must outlive the source.
PathSource SourceOf(const std::vector<PathSegment>& path);

// The whole path's summary, in one walk.
WalkSummary Survey(const PathSource& path);

// A whole walk, every segment kept.
struct PathWalk : WalkSummary {
  std::vector<WalkedSegment> segments;
};

PathWalk Walk(const std::vector<PathSegment>& path);

// Whether the path ends where it started, up to the floating-point noise of adding its segments.
bool Closes(const WalkSummary& walk);

}  // namespace geometry
