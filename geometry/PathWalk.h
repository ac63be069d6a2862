#pragma once

#include <vector>

#include "geometry/PathSegment.h"

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

struct Bounds {
  Point min;
  Point max;
};

struct PathWalk {
  std::vector<WalkedSegment> segments;
  Point end;  // the closing gap: where the path ends, seen from its start
  double totalLength = 0.0;
  Bounds bounds;  // of everything the path passes, arcs' extremes included
};

PathWalk Walk(const std::vector<PathSegment>& path);

// Whether the path ends where it started, up to the floating-point noise of adding its segments.
bool Closes(const PathWalk& walk);

}  // namespace geometry
