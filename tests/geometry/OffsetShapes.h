#pragma once

#include <vector>

#include "geometry/core/Contour.h"

// Contours to offset, built from their corners and edges: each move on its own line, 1 for the
// first, so that a test can tell where a move of the offset comes from.
namespace offsetshapes {

using geometry::Contour;
using geometry::Point;

// An edge to a corner: a straight one, or an arc through `sweep` radians (positive to the left).
struct Edge {
  Point to;
  double sweep = 0.0;
};

// From `start` along the edges.
Contour Path(Point start, const std::vector<Edge>& edges);
// Through the points in order, back to the first when `closed`.
Contour Polygon(const std::vector<Point>& points, bool closed = true);
// `width` by `height` from `corner`, counterclockwise from the middle of its bottom edge, with
// quarter circles of `radius` in its corners (none for 0).
Contour RoundedRectangle(Point corner, double width, double height, double radius);
// A full circle, from its rightmost point, counterclockwise.
Contour Circle(Point centre, double radius);
// A slot between two half circles of `width` whose centres lie `length` apart along X from
// `centre`, counterclockwise.
Contour Slot(Point centre, double length, double width);
// A closed ring of `count` segments round a circle, counterclockwise, its corners `chord` mm
// apart: by turns a line, an arc that bows out through `bow` radians, a line and an arc that bows
// in as much.
Contour BowedRing(int count, double chord, double bow);
// The same contour run the other way.
Contour Reversed(const Contour& contour);

}  // namespace offsetshapes
