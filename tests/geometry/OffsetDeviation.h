#pragma once

#include <vector>

#include "geometry/core/Contour.h"

// How far the offsets of a contour lie from it, measured by sampling both densely and taking the
// exact distance from each sample to every segment of the other: a check of offsets that shares
// no code with them.
struct OffsetDeviation {
  double nearestFromSource = 0.0;   // mm: the least distance of a point of the offsets from the source
  double farthestFromSource = 0.0;  // mm: and the largest
  double nearestToOffsets = 0.0;    // mm: the least distance of a point of the source from the offsets
  // mm: how far a move starts from where the one before it ends, or an arc ends from where its
  // centre and sweep take it, at the most.
  double largestGap = 0.0;

  // Whether every point of the offsets lies `distance` from the source within `tolerance`, and no
  // point of the source nearer to them.
  bool Keeps(double distance, double tolerance) const;
};

// The samples lie at most `spacing` mm apart along each segment.
OffsetDeviation MeasureOffsets(const geometry::Contour& source, const std::vector<geometry::Contour>& offsets,
                               double spacing);

// The exact distance from a point to a segment of a contour.
double DistanceToContourSegment(geometry::Point p, const geometry::ContourSegment& segment);
