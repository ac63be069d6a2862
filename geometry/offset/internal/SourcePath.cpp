#include "geometry/offset/internal/SourcePath.h"

#include <fmt/format.h>

#include <cmath>
#include <utility>

#include "geometry/core/Angles.h"
#include "geometry/core/Tolerances.h"

namespace geometry::offsetting {

namespace {

std::vector<Box> PieceBoxes(const SourcePath& source) {
  std::vector<Box> boxes;
  boxes.reserve(source.pieces.size());
  for (const SourcePiece& piece : source.pieces) boxes.push_back(piece.curve.Bounds());
  return boxes;
}

// The arc in equal parts of at most a quarter turn, each starting where the one before it ends.
void AddArcParts(const Curve& arc, size_t move, SourcePath& source) {
  const int parts = std::max(1, static_cast<int>(std::ceil(std::abs(arc.sweep) / kQuarterTurn - kHeadingNoise)));
  Point from = arc.start;
  for (int part = 1; part <= parts; ++part) {
    const double fraction = static_cast<double>(part) / parts;
    const Point to = part == parts ? arc.end : arc.At(fraction);
    source.Add(arc.Part(static_cast<double>(part - 1) / parts, fraction, from, to), move);
    from = to;
  }
}

}  // namespace

Result<SourcePath> SourcePathOf(const Contour& contour, bool closed) {
  SourcePath source;
  source.closed = closed;
  source.pieces.reserve(contour.moves.size() + 1);
  source.moves.reserve(contour.moves.size() + 1);
  for (size_t move = 0; move < contour.moves.size(); ++move) {
    const ContourSegment& segment = contour.moves[move].segment;
    if (std::abs(segment.sweep) > kFullTurn + kHeadingNoise)
      return Fault{contour.moves[move].line,
                   fmt::format("an arc of {:.6g} turns runs over itself: its offset would too",
                               std::abs(segment.sweep) / kFullTurn)};
    if (Length(segment) <= kSamePoint) continue;
    const Curve curve = Curve::Of(segment);
    if (curve.IsArc()) {
      AddArcParts(curve, move, source);
    } else {
      source.Add(curve, move);
    }
  }
  if (source.pieces.empty()) return Fault{contour.firstLine, "the contour has no length to offset"};
  const Point end = source.pieces.back().curve.end;
  const Point start = source.pieces.front().curve.start;
  if (closed && Distance(end, start) > kSamePoint) source.Add(Curve::Line(end, start), source.moves.back());
  return source;
}

SourceProximity::SourceProximity(const SourcePath& source) : m_Source(source), m_Index(PieceBoxes(source)) {}

std::vector<bool> SourceProximity::AnyNearer(const std::vector<Point>& points, double limit) const {
  std::vector<bool> nearer(points.size(), false);
  std::vector<Box> boxes;
  boxes.reserve(points.size());
  for (Point p : points) boxes.push_back({p, p});
  m_Index.Join(
      BoxIndex(std::move(boxes)),
      [limit](const Box& points, const Box& pieces) { return points.Nearer(pieces, limit); },
      [&](uint32_t point, uint32_t piece) {
        if (DistanceTo(m_Source.pieces[piece].curve, points[point]) >= limit) return false;
        nearer[point] = true;
        return true;
      });
  return nearer;
}

}  // namespace geometry::offsetting
