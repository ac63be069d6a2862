#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/Result.h"
#include "geometry/core/Contour.h"
#include "geometry/offset/internal/BoxIndex.h"
#include "geometry/offset/internal/Curve.h"

namespace geometry::offsetting {

// A piece of the contour to offset: a line, or an arc of at most a quarter turn, so that the
// chord of an arc stays on its side of the centre.
struct SourcePiece {
  Curve curve;
};

// The move of the contour that each piece comes from. Apart from the pieces, so that the passes
// over their curves read no more than the curves, and so that the moves outlive the pieces.
using PieceMoves = std::vector<uint32_t>;

// The contour as pieces, each starting where the one before it ends. Its vertices are numbered
// along it: vertex k is where piece k starts, vertex n where the last of n pieces ends, which is
// vertex 0 again on a closed contour.
struct SourcePath {
  std::vector<SourcePiece> pieces;
  PieceMoves moves;  // of each piece
  Box bounds;        // round all the pieces, taken while each is at hand
  bool closed = false;

  void Add(const Curve& curve, size_t move) {
    const Box box = curve.Bounds();
    bounds = pieces.empty() ? box : bounds.With(box);
    pieces.push_back({curve});
    moves.push_back(static_cast<uint32_t>(move));
  }

  size_t Vertex(size_t k) const { return closed && k == pieces.size() ? 0 : k; }
  Point VertexPoint(size_t k) const { return k < pieces.size() ? pieces[k].curve.start : pieces.back().curve.end; }
};

// The contour's moves as pieces: moves too short to have a direction are left out (1e-9 mm), and a
// closed contour that ends short of its start is closed by a line. An arc of more than a full turn
// runs over itself and is refused with its line.
Result<SourcePath> SourcePathOf(const Contour& contour, bool closed);

// How near the source comes to points: the exact distance to its pieces, found through an index
// of their boxes joined with a tree of the points.
class SourceProximity {
 public:
  explicit SourceProximity(const SourcePath& source);

  // Of each point, whether some piece of the source comes nearer to it than `limit`. The points
  // are packed into one tree, so they are best a batch (BoxIndex::kBatch) that follows a path.
  std::vector<bool> AnyNearer(const std::vector<Point>& points, double limit) const;

 private:
  const SourcePath& m_Source;
  BoxIndex m_Index;
};

}  // namespace geometry::offsetting
