#pragma once

#include <cmath>

#include "geometry/core/ContourSegment.h"
#include "geometry/core/Tolerances.h"

namespace geometry {

// An affine map of the plane: p -> A p + offset, with A = [[xx, xy], [yx, yy]]. It places block
// contents in the drawing, mirrors entities whose plane faces down, and scales drawing units to
// millimetres.
struct PlaneTransform {
  double xx = 1.0, xy = 0.0;
  double yx = 0.0, yy = 1.0;
  Point offset;

  Point Apply(Point p) const { return Linear(p) + offset; }
  // A line, or an arc under a transform that keeps circles (KeepsCircles).
  ContourSegment Apply(const ContourSegment& segment) const {
    return {segment.kind, Apply(segment.start), Apply(segment.end),
            segment.kind == PathSegment::Kind::Circular ? Apply(segment.centre) : segment.centre,
            Mirrors() ? -segment.sweep : segment.sweep};
  }
  // A direction or a difference of points: the offset does not apply.
  Point Linear(Point v) const { return {xx * v.x + xy * v.y, yx * v.x + yy * v.y}; }

  // First this transform, then `outer`.
  PlaneTransform Then(const PlaneTransform& outer) const {
    return {outer.xx * xx + outer.xy * yx, outer.xx * xy + outer.xy * yy, outer.yx * xx + outer.yy * yx,
            outer.yx * xy + outer.yy * yy, outer.Apply(offset)};
  }

  double Determinant() const { return xx * yy - xy * yx; }
  // Negative determinant: the transform mirrors, and counterclockwise becomes clockwise.
  bool Mirrors() const { return Determinant() < 0.0; }

  // Whether circles stay circles: the columns of A are perpendicular and of one length, up to
  // the noise of the arithmetic that built them.
  bool KeepsCircles() const {
    const double column1 = xx * xx + yx * yx;
    const double column2 = xy * xy + yy * yy;
    const double noise = kRoundingNoise * (column1 + column2);
    return std::abs(xx * xy + yx * yy) <= noise && std::abs(column1 - column2) <= noise;
  }
  // How much a transform that keeps circles scales lengths.
  double Scale() const { return std::sqrt(std::abs(Determinant())); }

  static PlaneTransform Translation(Point by) { return {1.0, 0.0, 0.0, 1.0, by}; }
  static PlaneTransform Scaling(double x, double y) { return {x, 0.0, 0.0, y, {}}; }
  static PlaneTransform Rotation(double radians) {
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    return {c, -s, s, c, {}};
  }
};

}  // namespace geometry
