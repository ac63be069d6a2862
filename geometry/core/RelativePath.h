#pragma once

#include <functional>
#include <vector>

#include "geometry/core/Contour.h"
#include "geometry/core/ContourSegment.h"
#include "geometry/core/PathSegment.h"

// Every conversion between the segments of contours, placed where they lie (ContourSegment.h),
// and the relative segments a motion keeps (PathSegment.h).
namespace geometry {

// The segment relative to where it starts.
PathSegment RelativeOf(const ContourSegment& segment);
// The segment placed to start at `start`.
ContourSegment PlacedAt(const PathSegment& segment, Point start);

// How the motion that receives the segments keeps a length and an angle (radians): rounded to
// the controller's steps. Values are kept as they are by default.
struct Rounding {
  std::function<double(double)> length = [](double value) { return value; };
  std::function<double(double)> angle = [](double value) { return value; };
};

struct ImportedSegment {
  PathSegment segment;
  double feed = 0.0;  // mm/min from this segment on; 0: none new
  int line = 0;       // of the move it comes from
};

// The contour as segments relative to each other, rounded as the motion keeps them. Each segment
// runs from where the rounded segments before it end to its move's end as written, so rounding
// does not add up along the path: a line heads straight there, an arc passes through both points
// with its centre on their perpendicular bisector, nearest to the written centre; a full circle
// (its end written on its start) keeps its written radius and turn from wherever it starts. A
// line that rounds to nothing is left out, its new speed passing on.
std::vector<ImportedSegment> ToRelativePath(const Contour& contour, const Rounding& rounding);
// The same segments one at a time, in constant memory, until `take` returns false.
void ForEachRelativeSegment(const Contour& contour, const Rounding& rounding,
                            const std::function<bool(const ImportedSegment&)>& take);
// One written segment as ToRelativePath keeps it where the rounded path before it ends at `from`.
PathSegment RoundedFrom(const ContourSegment& written, Point from, const Rounding& rounding);

}  // namespace geometry
