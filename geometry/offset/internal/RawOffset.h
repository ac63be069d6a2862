#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "geometry/offset/internal/Curve.h"
#include "geometry/offset/internal/SourcePath.h"

// The raw offset: each piece of the source moved sideways by the distance, joined to the next into
// one path that the slicing then cuts where it comes too close to the source.
namespace geometry::offsetting {

enum class Role {
  Parallel,  // a piece's parallel: a line, or a concentric arc
  Joint,     // an arc about a corner of the source, where the parallels leave a gap
  Bridge,    // a chord where nothing at the distance joins two parallels; never part of the offset
};

struct RawElement {
  Curve curve;
  Role role = Role::Parallel;
  size_t move = 0;   // whose line and feed it carries: its piece's, or for a corner the next piece's
  size_t piece = 0;  // the piece it is drawn from, or for a corner the next one
  // The source vertices it is drawn from: arcs about them touch it only at its ends.
  std::array<size_t, 2> vertices{};
};

struct RawOffset {
  std::vector<RawElement> elements;   // each starts where the one before it ends
  bool closed = false;                // the last ends where the first starts
  std::vector<size_t> corners;        // the vertices where the source turns
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
struct FarCurve {
  Curve curve;
  bool aboutVertex = false;
  size_t owner = 0;  // the piece a parallel is drawn from; the vertex an arc is drawn about
};

std::vector<FarCurve> FarCurvesOf(const SourcePath& source, const RawOffset& raw, double distance);

}  // namespace geometry::offsetting
