#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/Result.h"
#include "geometry/core/ContourSegment.h"
#include "geometry/drawing/Drawing.h"

// Each entity of a drawing as lines and arcs in millimetres, placed where the drawing shows it:
// units converted, blocks placed by their inserts, entities facing down seen from above, bulges
// made arcs, ellipses and splines (and arcs an insert stretches) approximated by lines and arcs.
namespace geometry {

struct DrawingOptions {
  double tolerance = 0.01;          // mm: how far an approximated curve may stray from the drawing, both ways
  double joinTolerance = 0.001;     // mm: ends closer than this meet; shorter pieces are left out
  std::vector<std::string> layers;  // the layers to take, in any case; empty: all
  // Points along ellipses and splines, all told: the arc fitter takes about two microseconds a
  // point, so they are fitted within a second or so.
  size_t mostCurvePoints = 500'000;
};

// One entity's pieces, end to end in the entity's own direction.
struct EntityPath {
  EntityTag tag;  // the handle leads through the inserts that placed it: "3A/2F" is 2F placed by 3A
  std::vector<ContourSegment> pieces;
  bool closed = false;  // a circle, a whole ellipse, a closed polyline: a contour of its own
};

struct PlacedDrawing {
  std::vector<EntityPath> paths;
  LengthUnit unit;  // the unit the drawing was read in
};

// The paths of the entities on the chosen layers, in the order of the drawing (an insert's in
// its place). Notes say what was read in a way to know of; a fault stops the reading. A layer
// chosen that the drawing does not have is a fault that lists the layers it has.
Result<PlacedDrawing> PathsOfDrawing(const Drawing& drawing, const DrawingOptions& options);

}  // namespace geometry
