#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "geometry/core/PathSegment.h"
#include "geometry/drawing/PlaneTransform.h"

// The entities of a two-dimensional CAD drawing as its file gives them, in the drawing's own
// units and frames: plain data, filled by a file reader (geometry/dxf/) or by hand in tests.
// DrawingImport.h turns them into contours.
namespace geometry {

// Which entity a piece of geometry comes from, for messages.
struct EntityTag {
  std::string kind;    // LINE, ARC, ...
  std::string handle;  // the drawing's handle (hexadecimal), or #N, the entity's place in the file
  std::string layer;
};

struct DrawingLine {
  Point start;
  Point end;
};

// Counterclockwise from the start angle to the end angle (radians); equal angles: a full turn.
struct DrawingArc {
  Point centre;
  double radius = 0.0;
  double startAngle = 0.0;
  double endAngle = 0.0;
};

// Runs counterclockwise from angle 0.
struct DrawingCircle {
  Point centre;
  double radius = 0.0;
};

// A bulge is the tangent of a quarter of the angle the segment to the next vertex turns through:
// 0 a line, positive counterclockwise, 1 a half circle.
struct PolylineVertex {
  Point point;
  double bulge = 0.0;
};

struct DrawingPolyline {
  std::vector<PolylineVertex> vertices;
  bool closed = false;  // the last vertex leads back to the first, with its own bulge
};

// centre + majorAxis cos t + ratio (majorAxis turned a quarter counterclockwise) sin t, for t from
// the start to the end parameter, counterclockwise; equal parameters: the whole ellipse.
struct DrawingEllipse {
  Point centre;
  Point majorAxis;  // from the centre to the end of the major axis
  double ratio = 1.0;
  double startParameter = 0.0;
  double endParameter = 0.0;
};

// A non-uniform rational B-spline by its control points, knots and weights (empty: all 1); or,
// without control points, the cubic through its fit points, leaving the first and reaching the
// last along the tangents where it gives them.
struct DrawingSpline {
  int degree = 3;
  std::vector<double> knots;
  std::vector<Point> controlPoints;
  std::vector<double> weights;
  std::vector<Point> fitPoints;
  std::optional<Point> startTangent;
  std::optional<Point> endTangent;
  bool closed = false;  // by fit points: the curve runs on through the first point again
};

// A block placed in the drawing: its base point lands on the position, scaled, then turned.
// Columns and rows repeat it at the spacings, measured along its turned axes.
struct DrawingInsert {
  std::string block;
  Point position;
  double scaleX = 1.0;
  double scaleY = 1.0;
  double rotation = 0.0;  // radians, counterclockwise
  int columns = 1;
  int rows = 1;
  double columnSpacing = 0.0;
  double rowSpacing = 0.0;
};

// The pieces of a path, each from where the one before it ends.
struct PathLineTo {
  Point end;
};

// Along an ellipse, centre + u cos t + v sin t for t from `from` to `to`, either way; u and v are
// conjugate half diameters: perpendicular and of one length, a circle. It ends on `end`, which
// the file gives.
struct PathArcTo {
  Point centre;
  Point u;
  Point v;
  double from = 0.0;
  double to = 0.0;
  Point end;
};

// A Bezier curve: its control points after the one where the path is, the last its end.
struct PathCurveTo {
  std::vector<Point> controls;
};

using PathPiece = std::variant<PathLineTo, PathArcTo, PathCurveTo>;

// A run of pieces from `start`, in coordinates of its own that `placement` maps into the
// drawing's: a subpath of a vector drawing, or one of its shapes. A closed one runs back to its
// start.
struct DrawingPath {
  Point start;
  std::vector<PathPiece> pieces;
  bool closed = false;
  PlaneTransform placement;
};

using EntityShape = std::variant<DrawingLine, DrawingArc, DrawingCircle, DrawingPolyline, DrawingEllipse, DrawingSpline,
                                 DrawingInsert, DrawingPath>;

struct DrawingEntity {
  EntityTag tag;
  // The entity's plane faces down (its normal is -Z): seen from above, its own X axis points
  // the other way, and what it calls counterclockwise runs clockwise.
  bool facesDown = false;
  EntityShape shape;
};

struct DrawingBlock {
  Point base;
  std::vector<DrawingEntity> entities;
};

// How long a unit of the drawing is: "in", 25.4. A unit of 0 mm is none.
struct LengthUnit {
  std::string name;
  double millimetres = 0.0;
};

// A layer of the drawing by the name its table gives it, and the entities of the model space on it.
struct DrawingLayer {
  std::string name;
  size_t entities = 0;
};

struct Drawing {
  LengthUnit unit;        // as the file gives it; none when it gives none
  std::string unitFault;  // why the unit the file names cannot be read, or ""
  std::vector<DrawingLayer> layers;
  std::vector<DrawingEntity> entities;  // of the model space
  std::map<std::string, DrawingBlock> blocks;
  std::map<std::string, int> skipped;  // kinds of the model space that make no contour, with their count
  // What makes a contour, as the drawing's format names it: for the fault of a drawing without any.
  std::string contourKinds = "line, arc, circle, polyline, ellipse or spline";
};

}  // namespace geometry
