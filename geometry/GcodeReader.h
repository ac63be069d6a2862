#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "geometry/PathSegment.h"

// Reads the planar contour of a G-code program: G0 to G3 in the XY plane (G17), absolute and
// incremental positions (G90, G91), inches and millimetres (G20, G21), arcs by I/J centre offsets
// or by R (negative for the arc over half a turn), full circles by I/J, and F as the speed along
// the path. Everything comes out in millimetres and radians.
namespace geometry {

struct GcodeOptions {
  double joinTolerance = 0.001;  // mm: closer points are one point; also how far an arc's end may miss its circle
  bool strict = false;           // refuse unknown words instead of skipping them
};

// One move of the contour, in the program's own frame.
struct GcodeMove {
  PathSegment::Kind kind = PathSegment::Kind::Linear;
  Point target;         // where the program says the move ends
  double radius = 0.0;  // circular moves, as SegmentGeometry.h defines them
  double initialAngle = 0.0;
  double angleIncrement = 0.0;
  double feed = 0.0;  // mm/min from this move on; 0: none new
  int line = 0;
};

struct GcodePath {
  Point start;  // where the first G1, G2 or G3 starts; rapid moves before it only lead there
  Point end;    // the program's last position
  std::vector<GcodeMove> moves;
  std::vector<std::string> notes;  // "line N: ..." for each comment and word skipped
};

struct GcodeError {
  int line = 0;
  std::string message;
};

// False with the first fault and its line; `path` then holds what was read before it.
bool ReadGcode(std::string_view text, const GcodeOptions& options, GcodePath& path, GcodeError& error);

}  // namespace geometry
