#pragma once

#include <cstddef>
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

struct Slice {
  RawPlace from;
  RawPlace to;
  bool kept = false;
};

// Calls part(element, from, to, fromPoint, toPoint) for each element's part the slice runs
// through, in order.
template <typename Part>
void ForEachPart(const RawOffset& raw, const Slice& slice, Part part) {
  size_t element = slice.from.element;
  double from = slice.from.fraction;
  Point fromPoint = slice.from.at;
  for (; element < slice.to.element; ++element, from = 0.0) {
    part(element, from, 1.0, fromPoint, raw.elements[element].curve.end);
    fromPoint = raw.elements[element + 1].curve.start;
  }
  if (slice.to.fraction > from) part(element, from, slice.to.fraction, fromPoint, slice.to.at);
}

// Where the slices kept start and end, each numbered by its slice, in cells of twice the reach.
// Slices left out after these are laid out stay in them, so a search asks whether each is kept.
struct KeptSliceEnds {
  PlaceCells starts;
  PlaceCells ends;
};

// The raw offset in order along it, cut where it crosses or touches itself or a far curve (found
// within `reach`), where its bridges start and end, and at its ends.
std::vector<Slice> SliceRawOffset(const RawOffset& raw, const std::vector<FarCurve>& far, double reach);

// Keeps each slice whose ends and middle lie no nearer to the source than `clearance`. A kept
// slice that leads from or to a bridge and there meets no other kept slice within `reach` is left
// out too: it is clear of the source only by less than the noise of its arithmetic. Returns where
// the slices kept before those were left out start and end.
KeptSliceEnds KeepSlicesClear(std::vector<Slice>& slices, const RawOffset& raw, const SourceProximity& source,
                              double clearance, double reach);

}  // namespace geometry::offsetting
