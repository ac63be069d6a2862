#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/core/Angles.h"
#include "geometry/core/PathWalk.h"
#include "geometry/core/RelativePath.h"

// The rounding of the demo setup's drives, as a motion keeps a path: lengths to whole counts of
// 0.5 um, angles to 1/65536 degree.
inline constexpr double kDriveCount = 0.0005;  // mm

inline geometry::Rounding DriveRounding() {
  geometry::Rounding drives;
  drives.length = [](double mm) { return std::round(mm / kDriveCount) * kDriveCount; };
  drives.angle = [](double radians) {
    return geometry::Radians(std::round(geometry::Degrees(radians) * 65536) / 65536);
  };
  return drives;
}

// The contour's relative path as a motion on the demo's drives keeps it.
inline std::vector<geometry::PathSegment> RoundedToTheDrives(const geometry::Contour& contour) {
  std::vector<geometry::PathSegment> path;
  for (const geometry::ImportedSegment& imported : geometry::ToRelativePath(contour, DriveRounding()))
    path.push_back(imported.segment);
  return path;
}

// mm: the farthest any segment of `path`, laid from the contour's start, ends from the end of the
// contour's move it stands for (one segment a move).
inline double FarthestFromWrittenEnds(const geometry::Contour& contour,
                                      const std::vector<geometry::PathSegment>& path) {
  const geometry::PathWalk walk = geometry::Walk(path);
  double farthest = 0.0;
  for (size_t i = 0; i < path.size() && i < contour.moves.size(); ++i)
    farthest = std::max(farthest, Distance(contour.start + walk.segments[i].end, contour.moves[i].segment.end));
  return farthest;
}
