#pragma once

#include <vector>

#include "geometry/offset/internal/Curve.h"

namespace geometry::offsetting {

// A point where two curves meet, and how far along each it lies.
struct Meeting {
  Point at;
  double onFirst = 0.0;
  double onSecond = 0.0;
};

// Where two curves cross or touch, found to within `reach` (mm): each crossing, a touching point,
// and the ends of a stretch they share. Appended to `meetings`, fractions within 0 and 1.
void AddMeetings(const Curve& first, const Curve& second, double reach, std::vector<Meeting>& meetings);

}  // namespace geometry::offsetting
