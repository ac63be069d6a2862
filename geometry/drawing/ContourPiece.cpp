#include "geometry/drawing/ContourPiece.h"

#include <cmath>

namespace geometry {

namespace {

Point Polar(double radius, double angle) { return {radius * std::cos(angle), radius * std::sin(angle)}; }

}  // namespace

ContourPiece ContourPiece::Arc(Point centre, double radius, double startAngle, double sweep) {
  return {PathSegment::Kind::Circular,
          centre + Polar(radius, startAngle),
          centre + Polar(radius, startAngle + sweep),
          centre,
          radius,
          sweep};
}

// The centre lies on the chord's perpendicular bisector, cot(sweep / 2) half chords to the left
// of the chord: left for a counterclockwise arc under half a turn, right for a longer one.
ContourPiece ContourPiece::ArcThrough(Point start, Point end, double sweep) {
  const Point chord = end - start;
  const double length = std::hypot(chord.x, chord.y);
  const Point left{-chord.y, chord.x};
  const Point centre = 0.5 * (start + end) + (0.5 / std::tan(sweep / 2.0)) * left;
  return {PathSegment::Kind::Circular, start, end, centre, length / (2.0 * std::abs(std::sin(sweep / 2.0))), sweep};
}

double Length(const ContourPiece& piece) {
  if (piece.kind == PathSegment::Kind::Linear)
    return std::hypot(piece.end.x - piece.start.x, piece.end.y - piece.start.y);
  return piece.radius * std::abs(piece.sweep);
}

ContourPiece Reversed(const ContourPiece& piece) {
  ContourPiece reversed = piece;
  reversed.start = piece.end;
  reversed.end = piece.start;
  reversed.sweep = -piece.sweep;
  return reversed;
}

ContourPiece Transformed(const ContourPiece& piece, const PlaneTransform& transform) {
  ContourPiece moved = piece;
  moved.start = transform.Apply(piece.start);
  moved.end = transform.Apply(piece.end);
  if (piece.kind == PathSegment::Kind::Circular) {
    moved.centre = transform.Apply(piece.centre);
    moved.radius = piece.radius * transform.Scale();
    if (transform.Mirrors()) moved.sweep = -piece.sweep;
  }
  return moved;
}

PathSegment ToSegment(const ContourPiece& piece) {
  if (piece.kind == PathSegment::Kind::Linear)
    return PathSegment::Line(piece.end.x - piece.start.x, piece.end.y - piece.start.y);
  return PathSegment::Arc(piece.radius, std::atan2(piece.start.y - piece.centre.y, piece.start.x - piece.centre.x),
                          piece.sweep);
}

}  // namespace geometry
