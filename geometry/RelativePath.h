#pragma once

#include <functional>
#include <vector>

#include "geometry/GcodeReader.h"
#include "geometry/PathSegment.h"

namespace geometry {

// How the motion that receives the segments keeps a length and an angle (radians): rounded to
// the controller's steps. Values are kept as they are by default.
struct Rounding {
  std::function<double(double)> length = [](double value) { return value; };
  std::function<double(double)> angle = [](double value) { return value; };
};

struct ImportedSegment {
  PathSegment segment;
  double feed = 0.0;  // mm/min from this segment on; 0: none new
  int line = 0;       // of the G-code move it comes from
};

// The moves as segments relative to each other, rounded as the motion keeps them. Each linear
// segment heads for its move's end as the program gives it, from where the rounded segments
// before it end, so rounding does not add up along the path; an arc keeps its own rounded radius
// and angles. A linear segment that rounds to nothing is left out, its new speed passing on.
std::vector<ImportedSegment> ToRelativePath(const GcodePath& path, const Rounding& rounding);

}  // namespace geometry
