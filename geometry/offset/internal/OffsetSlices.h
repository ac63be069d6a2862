#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "geometry/offset/internal/PlaceCells.h"
#include "geometry/offset/internal/RawOffset.h"
#include "geometry/offset/internal/SourcePath.h"

// The raw offset in slices: cut wherever it may stop being at the distance from the source, so
// that each slice is at the distance throughout or nowhere, and kept where it is.
namespace geometry::offsetting {

// A place on the raw offset: how far along which element, and the point there.
struct RawPlace {
  size_t element = 0;
  double fraction = 0.0;
  Point at;
};

// The raw offset cut in slices, each starting where the one before it ends, so that each end is
// stored once: slice k runs from end k to end k + 1.
class Slices {
 public:
  explicit Slices(std::vector<RawPlace> ends)
      : m_Ends(std::move(ends)), m_Kept(m_Ends.empty() ? 0 : m_Ends.size() - 1, false) {}

  size_t size() const { return m_Kept.size(); }
  const RawPlace& End(size_t end) const { return m_Ends[end]; }
  const RawPlace& From(size_t slice) const { return m_Ends[slice]; }
  const RawPlace& To(size_t slice) const { return m_Ends[slice + 1]; }
  bool Kept(size_t slice) const { return m_Kept[slice]; }
  void Keep(size_t slice, bool kept) { m_Kept[slice] = kept; }

  // Calls part(element, from, to, fromPoint, toPoint) for each element's part the slice runs
  // through, in order.
  template <typename Part>
  void ForEachPart(const RawOffset& raw, size_t slice, Part part) const {
    const RawPlace& end = To(slice);
    size_t element = From(slice).element;
    double from = From(slice).fraction;
    Point fromPoint = From(slice).at;
    for (; element < end.element; ++element, from = 0.0) {
      part(element, from, 1.0, fromPoint, raw.elements[element].curve.end);
      fromPoint = raw.elements[element + 1].curve.start;
    }
    if (end.fraction > from) part(element, from, end.fraction, fromPoint, end.at);
  }

 private:
  std::vector<RawPlace> m_Ends;
  std::vector<bool> m_Kept;
};

// Where the slices kept start and end, in cells of twice the reach: each end of a kept slice once,
// numbered by its place among the ends. Slices left out after these are laid out stay in them, so
// a search passes on only the slices still kept.
class KeptSliceEnds {
 public:
  KeptSliceEnds(const Slices& slices, double reach);

  // Calls visit(slice) for each kept slice that starts within the reach of `p`.
  template <typename Visit>
  void VisitStartingNear(Point p, Visit visit) const {
    m_Ends.VisitNear(p, PointOf(), [&](size_t end) {
      if (end < m_Slices.size() && m_Slices.Kept(end)) visit(end);
    });
  }
  // Calls visit(slice) for each kept slice that ends within the reach of `p`.
  template <typename Visit>
  void VisitEndingNear(Point p, Visit visit) const {
    m_Ends.VisitNear(p, PointOf(), [&](size_t end) {
      if (end > 0 && m_Slices.Kept(end - 1)) visit(end - 1);
    });
  }

 private:
  struct PointOfEnd {
    const Slices& slices;
    Point operator()(uint32_t end) const { return slices.End(end).at; }
  };
  PointOfEnd PointOf() const { return {m_Slices}; }

  const Slices& m_Slices;
  PlaceCells m_Ends;
};

// The raw offset in order along it, cut where it crosses or touches itself or a far curve (found
// within `reach`), where its bridges start and end, and at its ends.
Slices SliceRawOffset(const RawOffset& raw, const FarCurves& far, double reach);

// Keeps each slice whose ends and middle lie no nearer to the source than `clearance`. A kept
// slice that leads from or to a bridge and there meets no other kept slice within `reach` is left
// out too: it is clear of the source only by less than the noise of its arithmetic. Returns where
// the slices kept before those were left out start and end.
KeptSliceEnds KeepSlicesClear(Slices& slices, const RawOffset& raw, const SourceProximity& source, double clearance,
                              double reach);

}  // namespace geometry::offsetting
