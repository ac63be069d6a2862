#pragma once

#include <array>

// The entries one segment owns, in the internal units of the arrays they go to: X and Y
// increments of a linear segment (the third value unused), or radius, initial angle and angle
// increment of a circular one; then the acceleration and speed it sets (0 keeps the one in force).
struct SegmentEntries {
  std::array<double, 3> geometry{};
  double acceleration = 0.0;
  double speed = 0.0;
};
