#include "geometry/drawing/PathOverlaps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <optional>
#include <utility>

#include "geometry/core/Angles.h"
#include "geometry/drawing/BoxNesting.h"
#include "geometry/drawing/PointGrid.h"

namespace geometry {

namespace {

// Pieces filed near a point beyond this count are a crowd whose overlaps are not looked for: it
// keeps the search linear.
constexpr size_t kMostNearPieces = 256;
// This many overlaps are named one by one; the rest are counted.
constexpr size_t kMostNamed = 8;

std::string Named(const EntityPath& path) { return path.tag.kind + " " + path.tag.handle; }

// The stretch of angles an arc covers, counterclockwise from `from`.
struct Angles {
  double from;
  double span;
};

Angles AnglesOf(const ContourSegment& arc) {
  const double start = AngleOf(arc.start - arc.centre);
  if (std::abs(arc.sweep) >= kFullTurn) return {start, kFullTurn};
  return arc.sweep > 0.0 ? Angles{start, arc.sweep} : Angles{start + arc.sweep, -arc.sweep};
}

// Whether piece a lies on piece b, within the tolerance.
bool LiesOn(const ContourSegment& a, const ContourSegment& b, double tolerance) {
  if (a.kind != b.kind) return false;
  if (a.kind == PathSegment::Kind::Linear)
    return DistanceToSegment(a.start, b.start, b.end) <= tolerance &&
           DistanceToSegment(a.end, b.start, b.end) <= tolerance;
  const double radius = b.Radius();
  if (Distance(a.centre, b.centre) > tolerance || std::abs(a.Radius() - radius) > tolerance) return false;
  const Angles on = AnglesOf(a);
  const Angles under = AnglesOf(b);
  const double slack = tolerance / radius;
  if (under.span >= kFullTurn) return true;
  double offset = CounterclockwiseTurn(on.from - under.from);
  if (offset > kFullTurn - slack) offset -= kFullTurn;
  return offset >= -slack && offset + on.span <= under.span + slack;
}

// Points a share of the way along a piece.
class Along {
 public:
  explicit Along(const ContourSegment& piece)
      : m_Piece(piece),
        m_Arc(piece.kind == PathSegment::Kind::Circular),
        m_Radius(m_Arc ? piece.Radius() : 0.0),
        m_From(m_Arc ? AngleOf(piece.start - piece.centre) : 0.0) {}

  Point At(double share) const {
    if (!m_Arc) return m_Piece.start + share * (m_Piece.end - m_Piece.start);
    return m_Piece.centre + Polar(m_Radius, m_From + share * m_Piece.sweep);
  }

 private:
  const ContourSegment& m_Piece;
  bool m_Arc;
  double m_Radius;
  double m_From;
};

// What a path can lie on is found fast by two boxes: one round the ends of its pieces, which lie
// within two tolerances of what it lies on, and one round all its pieces (an arc's whole circle).
void TakeBoxes(const EntityPath& path, AxisBox& ends, AxisBox& whole) {
  for (const ContourSegment& piece : path.pieces) {
    ends.Take(piece.start);
    ends.Take(piece.end);
    whole.Take(piece.start);
    whole.Take(piece.end);
    if (piece.kind == PathSegment::Kind::Circular) {
      const double radius = piece.Radius();
      whole.Take(piece.centre - Point{radius, radius});
      whole.Take(piece.centre + Point{radius, radius});
    }
  }
}

class OverlapFinder {
 public:
  OverlapFinder(std::vector<EntityPath>& paths, double joinTolerance) : m_Paths(paths), m_Tolerance(joinTolerance) {}

  std::vector<std::string> Run() {
    m_Ends.resize(m_Paths.size());
    m_Wholes.resize(m_Paths.size());
    for (size_t k = 0; k < m_Paths.size(); ++k) TakeBoxes(m_Paths[k], m_Ends[k], m_Wholes[k]);
    // Only a path whose ends another's box holds can lie on it: most drawings have few or none.
    const std::vector<bool> held = HeldBoxes(m_Ends, m_Wholes, kBoxMargin * m_Tolerance);
    if (std::find(held.begin(), held.end(), true) == held.end()) return {};
    FilePieces();
    std::vector<bool> out(m_Paths.size(), false);
    size_t leftOut = 0;
    for (uint32_t a = 0; a < m_Paths.size(); ++a) {
      if (!held[a]) continue;
      const uint32_t under = PathUnder(a, out);
      if (under == kNone) continue;
      out[a] = true;
      if (++leftOut <= kMostNamed) m_Notes.push_back(Told(a, under));
    }
    if (leftOut > kMostNamed)
      m_Notes.push_back("and " + std::to_string(leftOut - kMostNamed) + " more entities that lie on others left out");
    size_t kept = 0;
    for (size_t k = 0; k < m_Paths.size(); ++k) {
      if (out[k]) continue;
      if (kept != k) m_Paths[kept] = std::move(m_Paths[k]);
      ++kept;
    }
    m_Paths.resize(kept);
    return std::move(m_Notes);
  }

 private:
  static constexpr uint32_t kNone = UINT32_MAX;
  // Tolerances round a path's box within which the ends of a path on it lie: two, and room for
  // the rounding of the boxes.
  static constexpr double kBoxMargin = 4.0;

  // Wide enough that a point within the tolerance of a piece lies in a cell next to one the piece
  // is filed in (four tolerances), and that the pieces, filed every half cell along, are filed
  // five times each on the whole (half the mean length of a piece).
  static double CellWidth(const std::vector<EntityPath>& paths, double tolerance) {
    double length = 0.0;
    size_t pieces = 0;
    for (const EntityPath& path : paths) {
      for (const ContourSegment& piece : path.pieces) length += Length(piece);
      pieces += path.pieces.size();
    }
    return std::max(4.0 * tolerance, pieces == 0 ? 0.0 : length / static_cast<double>(pieces) / 2.0);
  }

  // Each piece at points along it half a cell apart at most.
  void FilePieces() {
    m_Grid.emplace(CellWidth(m_Paths, m_Tolerance));
    const double step = m_Grid->Reach() / 2.0;
    m_Pieces.reserve(
        std::accumulate(m_Paths.begin(), m_Paths.end(), size_t{0},
                        [](size_t pieces, const EntityPath& path) { return pieces + path.pieces.size(); }));
    for (uint32_t k = 0; k < m_Paths.size(); ++k) {
      for (const ContourSegment& piece : m_Paths[k].pieces) {
        const uint32_t index = static_cast<uint32_t>(m_Pieces.size());
        m_Pieces.push_back({k, &piece});
        const size_t steps = static_cast<size_t>(std::ceil(Length(piece) / step));
        const Along along(piece);
        Point filed = piece.start;
        m_Grid->Add(index, filed);
        for (size_t i = 1; i <= steps; ++i) {
          const Point p = along.At(static_cast<double>(i) / static_cast<double>(steps));
          if (m_Grid->SameCell(p, filed)) continue;
          m_Grid->Add(index, p);
          filed = p;
        }
      }
    }
  }

  // The path that path a lies on, or kNone. Of two that coincide, the earlier stays.
  uint32_t PathUnder(uint32_t a, const std::vector<bool>& out) {
    std::vector<uint32_t>& candidates = m_Candidates;
    candidates.clear();
    const bool sparse = m_Grid->VisitNear(m_Paths[a].pieces.front().start, kMostNearPieces, [&](uint32_t piece) {
      const uint32_t path = m_Pieces[piece].path;
      if (path != a && !out[path] && std::find(candidates.begin(), candidates.end(), path) == candidates.end())
        candidates.push_back(path);
    });
    if (!sparse) return kNone;
    std::sort(candidates.begin(), candidates.end());
    for (const uint32_t b : candidates)
      if (PathLiesOn(a, b) && !(b > a && PathLiesOn(b, a))) return b;
    return kNone;
  }

  bool PathLiesOn(uint32_t a, uint32_t b) const {
    if (!m_Wholes[b].Holds(m_Ends[a], kBoxMargin * m_Tolerance)) return false;
    return std::all_of(m_Paths[a].pieces.begin(), m_Paths[a].pieces.end(), [&](const ContourSegment& piece) {
      bool found = false;
      m_Grid->VisitNear(piece.start, kMostNearPieces, [&](uint32_t other) {
        found = found || (m_Pieces[other].path == b && LiesOn(piece, *m_Pieces[other].piece, m_Tolerance));
      });
      return found;
    });
  }

  std::string Told(uint32_t a, uint32_t under) const {
    const bool same = PathLiesOn(under, a);
    return Named(m_Paths[a]) + (same ? " coincides with " : " lies on ") + Named(m_Paths[under]) + ": left out";
  }

  struct FiledPiece {
    uint32_t path;
    const ContourSegment* piece;
  };

  std::vector<EntityPath>& m_Paths;
  const double m_Tolerance;
  std::optional<PointGrid> m_Grid;  // filed only where some path may lie on another
  std::vector<FiledPiece> m_Pieces;
  std::vector<AxisBox> m_Ends, m_Wholes;  // of each path
  std::vector<uint32_t> m_Candidates;     // the paths PathUnder looks at
  std::vector<std::string> m_Notes;
};

}  // namespace

std::vector<std::string> LeaveOutOverlaps(std::vector<EntityPath>& paths, double joinTolerance) {
  return OverlapFinder(paths, joinTolerance).Run();
}

}  // namespace geometry
