#include "geometry/drawing/ContourChaining.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <set>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "geometry/drawing/PointGrid.h"

namespace geometry {

namespace {

// mm: free ends closer than this are reported as a gap; farther ones are taken as meant apart.
constexpr double kGapReach = 1.0;
// Ends within three join tolerances of one point beyond this count are a knot no contour runs
// through; it also keeps the search for neighbours linear.
constexpr size_t kMostNearEnds = 64;
constexpr uint32_t kNone = UINT32_MAX;
// A branching names this many of the entities that meet there at most.
constexpr size_t kMostNamedEnds = 8;

std::string Position(Point p) { return fmt::format("({:.4f}, {:.4f})", p.x, p.y); }

std::string Millimetres(double value) { return fmt::format("{:.6g} mm", value); }

// Whether the comma-separated list has the item as one of its entries.
bool ListHolds(std::string_view list, std::string_view item) {
  for (size_t at = list.find(item); at != std::string_view::npos; at = list.find(item, at + 1)) {
    const size_t after = at + item.size();
    if ((at == 0 || list[at - 1] == ',') && (after == list.size() || list[after] == ',')) return true;
  }
  return false;
}

// One path of a contour, run forwards or backwards.
struct PathUse {
  uint32_t path;
  bool reversed;
};

// The ends of the open paths: 2k is where path k starts, 2k + 1 where it ends.
class Chainer {
 public:
  Chainer(std::vector<EntityPath> paths, double joinTolerance)
      : m_Paths(std::move(paths)), m_JoinTolerance(joinTolerance), m_Partner(2 * m_Paths.size(), kNone) {}

  Chaining Run() {
    if (!PairEnds()) return std::move(m_Result);
    std::vector<bool> used(m_Paths.size(), false);
    // Each contour takes a path at least: room for one a path, which is reserved but not touched
    // beyond the contours made, spares copying them all each time the list grows.
    m_Result.contours.reserve(m_Paths.size());
    for (uint32_t k = 0; k < m_Paths.size(); ++k)
      if (!used[k]) m_Result.contours.push_back(Assemble(ChainOf(k, used)));
    ReportGaps();
    return std::move(m_Result);
  }

 private:
  Point EndPoint(uint32_t end) const {
    const EntityPath& path = m_Paths[end / 2];
    return end % 2 == 0 ? path.pieces.front().start : path.pieces.back().end;
  }

  std::string Named(uint32_t path) const { return m_Paths[path].tag.kind + " " + m_Paths[path].tag.handle; }

  // Ends within the join tolerance of each other, directly or through others, form a joint. A
  // joint of two ends joins their paths; more make a branching.
  bool PairEnds() {
    std::vector<uint32_t> root(m_Partner.size());
    std::iota(root.begin(), root.end(), 0u);
    const auto find = [&root](uint32_t i) {
      while (root[i] != i) i = root[i] = root[root[i]];
      return i;
    };
    const auto open =
        std::count_if(m_Paths.begin(), m_Paths.end(), [](const EntityPath& path) { return !path.closed; });
    PointGrid grid(m_JoinTolerance, 2 * static_cast<size_t>(open));
    for (uint32_t end = 0; end < m_Partner.size(); ++end) {
      if (m_Paths[end / 2].closed) continue;
      const Point p = EndPoint(end);
      const bool sparse = grid.VisitNear(p, kMostNearEnds, [&](uint32_t other) {
        if (Distance(p, EndPoint(other)) < m_JoinTolerance) root[find(end)] = find(other);
      });
      if (!sparse) {
        m_Result.branchings.push_back("more than " + std::to_string(kMostNearEnds) + " entity ends crowd round " +
                                      Position(p) + ", " + Named(end / 2) + " among them");
        return false;
      }
      grid.Add(end, p);
    }
    std::unordered_map<uint32_t, std::vector<uint32_t>> joints;
    for (uint32_t end = 0; end < m_Partner.size(); ++end)
      if (!m_Paths[end / 2].closed) joints[find(end)].push_back(end);
    std::set<uint32_t> branchings;  // by the first end, for the drawing's order
    for (const auto& [joint, ends] : joints) {
      if (ends.size() == 2) {
        m_Partner[ends[0]] = ends[1];
        m_Partner[ends[1]] = ends[0];
      } else if (ends.size() > 2) {
        branchings.insert(ends.front());
      }
    }
    for (uint32_t first : branchings) ReportBranching(joints.at(find(first)));
    return m_Result.branchings.empty();
  }

  void ReportBranching(const std::vector<uint32_t>& ends) {
    std::string names;
    for (size_t i = 0; i < std::min(ends.size(), kMostNamedEnds); ++i)
      names += (i == 0 ? "" : ", ") + Named(ends[i] / 2);
    if (ends.size() > kMostNamedEnds) names += " and " + std::to_string(ends.size() - kMostNamedEnds) + " more";
    m_Result.branchings.push_back("branching at " + Position(EndPoint(ends.front())) + ": " + names + " meet there");
  }

  // The paths joined to path k, in running order. Walking back from k's start reaches either a
  // free end, where the chain starts, or k again: then the chain closes and starts at k.
  std::vector<PathUse> ChainOf(uint32_t k, std::vector<bool>& used) const {
    used[k] = true;
    if (m_Paths[k].closed) return {{k, false}};
    std::vector<PathUse> before;
    for (uint32_t end = m_Partner[2 * k]; end != kNone; end = m_Partner[end ^ 1]) {
      if (end / 2 == k) {
        before.clear();
        break;
      }
      before.push_back({end / 2, end % 2 == 0});  // it ends where the chain goes on
      used[end / 2] = true;
    }
    std::vector<PathUse> chain(before.rbegin(), before.rend());
    chain.push_back({k, false});
    for (uint32_t end = m_Partner[2 * k + 1]; end != kNone && end / 2 != k; end = m_Partner[end ^ 1]) {
      chain.push_back({end / 2, end % 2 == 1});  // it starts where the chain arrives
      used[end / 2] = true;
    }
    return chain;
  }

  // Takes the pieces of the chain's paths, which no other chain holds.
  DrawingContour Assemble(const std::vector<PathUse>& chain) {
    DrawingContour contour;
    for (const PathUse& use : chain) {
      EntityPath& path = m_Paths[use.path];
      contour.firstPieces.push_back(contour.pieces.size());
      if (use.reversed) {
        for (auto piece = path.pieces.rbegin(); piece != path.pieces.rend(); ++piece)
          contour.pieces.push_back(Reversed(*piece));
      } else if (contour.pieces.empty()) {
        contour.pieces = std::move(path.pieces);
      } else {
        contour.pieces.insert(contour.pieces.end(), path.pieces.begin(), path.pieces.end());
      }
      contour.entities.push_back(Named(use.path));
      if (!ListHolds(contour.layers, path.tag.layer)) {
        if (!contour.layers.empty()) contour.layers += ',';
        contour.layers += path.tag.layer;
      }
    }
    const PathUse& first = chain.front();
    contour.closed = m_Paths[first.path].closed || m_Partner[2 * first.path + (first.reversed ? 1 : 0)] != kNone;
    return contour;
  }

  // The free ends: the start (2c) and the end (2c + 1) of each open contour c. Each is paired
  // with the nearest other free end within reach, and each pair told once.
  void ReportGaps() {
    const std::vector<DrawingContour>& contours = m_Result.contours;
    const auto at = [&](uint32_t end) { return end % 2 == 0 ? contours[end / 2].Start() : contours[end / 2].End(); };
    PointGrid grid(kGapReach);
    for (uint32_t c = 0; c < contours.size(); ++c) {
      if (contours[c].closed) continue;
      grid.Add(2 * c, contours[c].Start());
      grid.Add(2 * c + 1, contours[c].End());
    }
    std::set<std::pair<uint32_t, uint32_t>> pairs;
    for (uint32_t end = 0; end < 2 * contours.size(); ++end) {
      if (contours[end / 2].closed) continue;
      uint32_t nearest = kNone;
      double distance = kGapReach;
      grid.VisitNear(at(end), kMostNearEnds, [&](uint32_t other) {
        if (other != end && Distance(at(end), at(other)) < distance) {
          nearest = other;
          distance = Distance(at(end), at(other));
        }
      });
      if (nearest != kNone) pairs.insert(std::minmax(end, nearest));
    }
    for (const auto& [a, b] : pairs) m_Result.gaps.push_back(GapText(a, b, Distance(at(a), at(b))));
  }

  std::string GapText(uint32_t a, uint32_t b, double distance) const {
    const auto side = [&](uint32_t end) {
      const DrawingContour& contour = m_Result.contours[end / 2];
      return "contour " + std::to_string(end / 2 + 1) + (end % 2 == 0 ? " starts (" : " ends (") +
             (end % 2 == 0 ? contour.entities.front() : contour.entities.back()) + ")";
    };
    const Point p = a % 2 == 0 ? m_Result.contours[a / 2].Start() : m_Result.contours[a / 2].End();
    return "a gap of " + Millimetres(distance) + " at " + Position(p) + ", above the join tolerance: " + side(a) +
           " there, " + side(b) + " across it";
  }

  std::vector<EntityPath> m_Paths;
  const double m_JoinTolerance;
  std::vector<uint32_t> m_Partner;  // the end each end is joined to, or kNone
  Chaining m_Result;
};

}  // namespace

double DrawingContour::Length() const {
  double length = 0.0;
  for (const ContourSegment& piece : pieces) length += geometry::Length(piece);
  return length;
}

Contour ToContour(const DrawingContour& contour, int entitiesBefore) {
  Contour converted{0, contour.Start(), true, {}};
  for (size_t entity = 0; entity < contour.firstPieces.size(); ++entity) {
    const size_t end =
        entity + 1 < contour.firstPieces.size() ? contour.firstPieces[entity + 1] : contour.pieces.size();
    for (size_t i = contour.firstPieces[entity]; i < end; ++i) {
      ContourSegment segment = contour.pieces[i];
      // Pieces that meet within the join tolerance are joined exactly.
      if (!converted.moves.empty()) segment.start = converted.moves.back().segment.end;
      converted.moves.push_back({segment, 0.0, entitiesBefore + static_cast<int>(entity) + 1});
    }
  }
  // A closed contour ends on its start, not beside it within the join tolerance.
  if (contour.closed) converted.moves.back().segment.end = converted.start;
  return converted;
}

Chaining ChainPaths(std::vector<EntityPath> paths, double joinTolerance) {
  return Chainer(std::move(paths), joinTolerance).Run();
}

}  // namespace geometry
