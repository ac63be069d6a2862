#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/core/Vector2.h"

namespace geometry {

// An axis-aligned box round points, empty until the first.
struct AxisBox {
  Point low{INFINITY, INFINITY};
  Point high{-INFINITY, -INFINITY};

  void Take(Point p) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y)};
  }
  bool Holds(const AxisBox& inner, double margin) const {
    return inner.low.x >= low.x - margin && inner.low.y >= low.y - margin && inner.high.x <= high.x + margin &&
           inner.high.y <= high.y + margin;
  }
};

// For each k, whether some outer[j], j != k, holds inner[k] within the margin: true wherever one
// does, and also where so many outer boxes crowd round inner[k] that looking through them all
// would cost more than what they spare. Linear in the boxes: most drawings' shapes lie side by
// side, and only the few that lie within another's box need a closer look.
std::vector<bool> HeldBoxes(const std::vector<AxisBox>& inner, const std::vector<AxisBox>& outer, double margin);

}  // namespace geometry
