#pragma once

#include <vector>

#include "geometry/core/ContourSegment.h"

// A contour read from an outside format: a run of connected lines and arcs that one motion can
// drive, in millimetres and radians. Points are absolute within the contour's own frame, which
// is the source's coordinates where the contour starts; a motion keeps only its relative steps.
namespace geometry {

// A segment of the contour, with what the source says beside it.
struct ContourMove {
  ContourSegment segment;
  double feed = 0.0;  // mm/min from this move on; 0: none new
  int line = 0;       // where the source gives the move
};

struct Contour {
  int firstLine = 0;
  Point start;
  // Whether `start` is a position the source names; a program that cuts incrementally from
  // wherever the machine stands does not name one.
  bool startKnown = true;
  // Each starts exactly where the one before it ends, the first at `start`.
  std::vector<ContourMove> moves;
};

// The length of the path the moves run, as written.
double ContourLength(const Contour& contour);

}  // namespace geometry
