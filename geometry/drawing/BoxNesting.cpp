#include "geometry/drawing/BoxNesting.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "geometry/drawing/PointGrid.h"

namespace geometry {

namespace {

// Outer boxes looked at round one inner box before it is taken as held: a crowd costs no more
// than a look.
constexpr size_t kMostLooked = 64;
// mm: the cells stay wide enough that the farthest point of a drawing has a cell of its own.
constexpr double kNarrowestCell = 1e-6;

bool IsEmpty(const AxisBox& box) { return !(box.low.x <= box.high.x && box.low.y <= box.high.y); }

AxisBox Grown(const AxisBox& box, double margin) {
  return {box.low - Point{margin, margin}, box.high + Point{margin, margin}};
}

// In doubles: a large box covers more cells than an integer counts.
double CellsCovered(const AxisBox& box, double width) {
  return (std::floor(box.high.x / width) - std::floor(box.low.x / width) + 1.0) *
         (std::floor(box.high.y / width) - std::floor(box.low.y / width) + 1.0);
}

struct Cells {
  double width;
  double covered;  // by the boxes, all told
};

// As wide as the boxes are on the whole, doubled until they cover a few cells each on the whole,
// so that filing them stays linear; a box far larger than the others covers many cells, and the
// many small ones a cell each.
Cells CellsFor(const std::vector<AxisBox>& boxes, double margin) {
  double extent = 0.0;
  size_t count = 0;
  for (const AxisBox& box : boxes) {
    if (IsEmpty(box)) continue;
    extent += std::max(box.high.x - box.low.x, box.high.y - box.low.y) + 2.0 * margin;
    ++count;
  }
  double width = std::max(extent / static_cast<double>(count), kNarrowestCell);
  const double most = 4.0 * static_cast<double>(count) + 64.0;
  for (;;) {
    double covered = 0.0;
    for (const AxisBox& box : boxes)
      if (!IsEmpty(box)) covered += CellsCovered(Grown(box, margin), width);
    if (covered <= most) return {width, covered};
    width *= 2.0;
  }
}

}  // namespace

// An outer box that holds an inner one covers the inner one's centre: each outer box is filed in
// every cell it covers, and each inner box looks only in the cell of its centre.
std::vector<bool> HeldBoxes(const std::vector<AxisBox>& inner, const std::vector<AxisBox>& outer, double margin) {
  std::vector<bool> held(inner.size(), false);
  if (std::all_of(outer.begin(), outer.end(), IsEmpty)) return held;
  const Cells cells = CellsFor(outer, margin);
  PointGrid grid(cells.width, static_cast<size_t>(cells.covered));
  for (uint32_t j = 0; j < outer.size(); ++j) {
    if (IsEmpty(outer[j])) continue;
    const AxisBox box = Grown(outer[j], margin);
    grid.AddAcross(j, box.low, box.high);
  }
  for (uint32_t k = 0; k < inner.size(); ++k) {
    // A box round nothing lies in any.
    if (IsEmpty(inner[k])) {
      held[k] = true;
      continue;
    }
    size_t looked = 0;
    held[k] = !grid.VisitCell(0.5 * (inner[k].low + inner[k].high), [&](uint32_t j) {
      if (j != k && outer[j].Holds(inner[k], margin)) return false;
      return ++looked < kMostLooked;
    });
  }
  return held;
}

}  // namespace geometry
