#pragma once

#include <string>
#include <vector>

#include "geometry/core/Contour.h"
#include "geometry/core/ContourSegment.h"
#include "geometry/drawing/DrawingPaths.h"

// Entity paths joined end to end into contours. Ends closer than the join tolerance meet; a path
// runs backwards where that joins it. A closed path (circle, whole ellipse, closed polyline) is a
// contour of its own, from its first point in its own direction. An open chain starts at the free
// end from which the earliest of its paths in the drawing runs its own direction; a chain that
// closes starts where that path starts. Contours come in the order of their earliest path.
namespace geometry {

struct DrawingContour {
  std::vector<ContourSegment> pieces;
  std::vector<std::string> entities;  // "ARC 2F", in running order
  std::vector<size_t> firstPieces;    // of each entity
  std::string layers;                 // the layers of its entities, comma-separated
  bool closed = false;

  Point Start() const { return pieces.front().start; }
  Point End() const { return pieces.back().end; }
  double Length() const;
};

// The contour as the imports' contour model has it, each piece starting where the one before
// ends and a closed one ending on its start; each move's line is the number of the entity it
// comes from, counted on from `entitiesBefore`.
Contour ToContour(const DrawingContour& contour, int entitiesBefore);

struct Chaining {
  std::vector<DrawingContour> contours;
  // Three or more ends meeting at one point: which way a contour runs on is not known there.
  std::vector<std::string> branchings;
  // Free ends of contours that lie close together (under 1 mm) but not within the join tolerance.
  std::vector<std::string> gaps;
};

// Contours only when there is no branching; they take the paths' pieces.
Chaining ChainPaths(std::vector<EntityPath> paths, double joinTolerance);

}  // namespace geometry
