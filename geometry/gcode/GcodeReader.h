#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"
#include "geometry/core/Contour.h"

// Reads the contours of a G-code program as CAM post-processors write it: cuts by G1 to G3 in
// the XY plane, separated by rapids and moves in Z, with the program's frame followed through
// G90/G91, G20/G21, G92, G52, G54 to G59, G53 and G28/G30. docs/geometry.md lists every word and
// what the reader does with it. Everything comes out in millimetres and radians.
namespace geometry {

struct GcodeOptions {
  double joinTolerance = 0.001;  // mm: a cut that ends closer to its start is left out
  // mm: how far an arc's end may be off the circle its start and centre give (I/J), or its chord
  // longer than its diameter (R); 0: what the file's written precision explains, at most 0.013.
  double arcTolerance = 0.0;
  bool strict = false;      // refuse unknown words instead of skipping them
  bool flatten = false;     // a cut that also moves in Z loses its Z instead of being refused
  bool blockDelete = true;  // skip the lines that start with '/'; false: run them
  // mm: the tool's radius that G41 and G42 keep the tool's centre from the written path; 0: none,
  // so that they are refused. `toolRadii`, where it has any, gives the radius of each D number.
  double toolRadius = 0.0;
  std::map<int, double> toolRadii;
};

// A stretch of a contour cut under G41 or G42: its moves [first, end). The first is the entry
// move, on which the tool reaches the compensated path; the move at `end`, where the contour has
// one, the exit, on which it leaves it again after G40.
struct GcodeCompensation {
  size_t contour = 0;
  size_t first = 0;
  size_t end = 0;
  double left = 0.0;  // mm: the tool's centre to the left of the written path (G41), negative to the right (G42)
  int line = 0;       // of the G41 or G42
};

struct GcodeProgram {
  std::vector<Contour> contours;
  // For each contour, the work coordinate system and the offset (G52, G92) in force where it
  // starts, as "G55, G52 offset X 100.0000 Y 0.0000"; empty for none.
  std::vector<std::string> offsets;
  double arcTolerance = 0.0;                   // mm: the one the arcs were checked with
  std::vector<GcodeCompensation> compensated;  // in the order of the program
};

// The program, or its first fault with its line. Either way the notes made up to there: "line N:
// ..." for each kind of word skipped, and other remarks.
Result<GcodeProgram> ReadGcode(std::string_view text, const GcodeOptions& options);

// The arc tolerance of a file whose finest written digit is worth `unit` mm (0: a file that
// writes no decimals): what rounding start, end and centre to that digit can put between an
// arc's end radius and its start radius, never less than 0.002 mm and never more than 0.013 mm
// (half a thousandth of an inch, about where controls refuse an arc), so that a file written
// with few digits does not pass arcs a control would refuse.
double ArcToleranceForPrecision(double unit);

}  // namespace geometry
