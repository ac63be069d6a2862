#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "geometry/core/PathWalk.h"
#include "geometry/core/Vector2.h"

// What a picture of a path shows at one scale, whatever draws it: the path as strokes of lines
// and arcs, and the marks that fit without covering others of their kind (corner rings) or any
// other mark but a ring (segment numbers, direction arrows, tangent headings). The picture's content is
// bounded by what can be seen, not by the number of segments: a run of segments each shorter
// than a pixel is one polyline with points a pixel apart, and of the segment numbers, direction
// arrows and tangent headings at most a few hundred each are placed, spread along the path.
// Every point is in the path's own coordinates, measured from its start.
namespace pictures {

using geometry::Bounds;
using geometry::PathSource;
using geometry::Point;
using geometry::WalkSummary;

// The square, in pixels, within which a renderer draws a mark round its point; a segment number
// is kDigitPixels wide a digit and kNumberPixels high. The start and end marks take kEndsPixels,
// and a corner ring fits inside them.
constexpr double kMarkPixels = 16.0;
constexpr double kDigitPixels = 8.0;
constexpr double kNumberPixels = 12.0;
constexpr double kEndsPixels = 24.0;

struct PictureOptions {
  double unitsPerPixel = 1.0;    // the scale: how much of the path's unit one pixel spans; above 0
  double cornerThreshold = 0.0;  // radians: a joint that turns by more is ringed
  bool tangentAxis = false;      // whether to show where the tangent axis heads
};

// One step of a stroke: straight to `to`, or, when `turn` is not 0, an arc of at most a quarter
// turn about `centre` (counterclockwise when `turn` is positive, radians).
struct StrokeStep {
  Point to;
  Point centre;
  double turn = 0.0;
};

// A piece of the path drawn as one line: one segment, or a run of segments each shorter than a
// pixel.
struct Stroke {
  size_t firstSegment = 0;  // the segments it draws, numbered from 0
  size_t lastSegment = 0;
  Point from;
  std::vector<StrokeStep> steps;
};

struct Mark {
  enum Kind { Corner, Direction, SegmentNumber, TangentHeading, kKinds };

  Kind kind = Corner;
  // The segment it belongs to, from 0: for a corner the one after the joint; the tangent heading
  // at the path's end has the number of segments.
  size_t segment = 0;
  Point at;  // the centre of the mark: the joint of a corner, a direction arrow's middle
  // Radians: the direction of travel for a direction arrow, where the tangent axis heads for a
  // tangent heading.
  double heading = 0.0;
};

struct PathDrawing {
  std::vector<Stroke> strokes;
  std::vector<Mark> marks;  // corners first, then the rest in the order of the path
  // Per kind of mark, how many were left out where they would have covered others.
  std::array<size_t, Mark::kKinds> leftOut{};
};

// The drawing of `path`, whose survey is `summary`. The start (0, 0) and the end
// (summary.end) are kept free of every mark but corners, for the renderer's start and end marks.
PathDrawing DrawPath(const PathSource& path, const WalkSummary& summary, const PictureOptions& options);

}  // namespace pictures
