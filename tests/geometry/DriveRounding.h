#pragma once

#include <cmath>

#include "geometry/core/Angles.h"
#include "geometry/core/RelativePath.h"

// The rounding of the demo setup's drives, as a motion keeps a path: lengths to whole counts of
// 0.5 um, angles to 1/65536 degree.
inline constexpr double kDriveCount = 0.0005;  // mm

inline geometry::Rounding DriveRounding() {
  geometry::Rounding drives;
  drives.length = [](double mm) { return std::round(mm / kDriveCount) * kDriveCount; };
  drives.angle = [](double radians) { return geometry::Radians(std::round(geometry::Degrees(radians) * 65536) / 65536); };
  return drives;
}
