#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/offset/internal/Curve.h"
#include "geometry/offset/internal/SourcePath.h"

// The raw offset: each piece of the source moved sideways by the distance, joined to the next into
// one path that the slicing then cuts where it comes too close to the source.
namespace geometry::offsetting {

enum class Role : uint8_t {
  Parallel,  // a piece's parallel: a line, or a concentric arc
  Joint,     // an arc about a corner of the source, where the parallels leave a gap
  Bridge,    // a chord where nothing at the distance joins two parallels; never part of the offset
};

// Kept small: a raw offset has up to two elements for each piece of the source.
struct RawElement {
  Curve curve;
  uint32_t piece = 0;  // the piece it is drawn from, or for a corner the next one, whose move it carries
  Role role = Role::Parallel;
  bool atCorner = false;  // drawn about the source vertex where `piece` starts, not along the piece

  // The source vertices it is drawn from: arcs about them touch it only at its ends.
  std::array<size_t, 2> Vertices(const SourcePath& source) const {
    return {piece, atCorner ? piece : source.Vertex(piece + 1)};
  }
};

struct RawOffset {
  std::vector<RawElement> elements;   // each starts where the one before it ends
  bool closed = false;                // the last ends where the first starts
  std::vector<uint32_t> corners;      // the vertices where the source turns
  std::vector<size_t> vanishedMoves;  // arcs whose radius the offset takes to nothing, in order, each once
};

// `distance` is positive to the left of the source's travel. Where two parallels cross near a
// corner of the source each ends at the crossing nearest to it; where they pass each other
// without crossing a bridge joins them.
RawOffset BuildRawOffset(const SourcePath& source, double distance, double reach);

// The curves besides the raw offset that bound the points within the distance of the source: the
// parallels on its other side, and the parts of the circles of the distance about its vertices
// that are nearer to no other part of it: about a corner, the arc on the far side where that opens
// a gap (on the near side it is the raw offset's own), and about an open end, the half beyond it.
// Only their owners are stored, each curve worked out again when asked for: stored, they would
// take as much room as the raw offset.
class FarCurves {
 public:
  FarCurves(const SourcePath& source, const RawOffset& raw, double distance);

  size_t size() const { return m_Owners.size(); }
  Curve CurveOf(size_t far) const;
  // Whether the far curve can meet the element only where the element ends: the arcs about the
  // vertices it is drawn from touch it there, its piece's other parallel runs beside it.
  bool TouchesOnlyAtEnds(const RawElement& element, size_t far) const;

 private:
  bool AboutVertex(size_t far) const { return far >= m_Parallels; }

  const SourcePath& m_Source;
  double m_Distance;
  std::vector<uint32_t> m_Owners;  // the pieces of the parallels, then the vertices of the arcs
  size_t m_Parallels = 0;
};

}  // namespace geometry::offsetting
