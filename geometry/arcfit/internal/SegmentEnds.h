#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "FitContext.h"
#include "FitDeviation.h"

namespace geometry::fitting {

// A way to end a growing segment: the segment, and how its end stands for the polyline (on its
// last point, or running on along the chord after it).
struct EndCandidate {
  FittedSegment segment;
  ChainEnd end;
};

// The ends a segment grown from a state may take where it can grow no further, and the shapes
// they are made of.
class SegmentEnds {
 public:
  explicit SegmentEnds(const FitContext& context) : m_Context(context) {}

  // The candidates, most preferred first, for the segment grown from the state within the stretch
  // from points[first] to points[last].
  std::vector<EndCandidate> Candidates(const FitState& state, const Growth& growth, size_t first, size_t last) const;

  // The line if it is left, the arc through points[end], and the middle of the curvatures near it.
  std::vector<double> CurvatureChoices(const FitState& state, const CurvatureSet& curvatures, size_t end,
                                       bool withMiddle) const;
  // Of the points the arc answers for up to points[limit] (all, or the later half), the one where
  // its heading differs least from the polyline's there.
  size_t PointOfBestTangentMatch(const FitState& state, double curvature, size_t first, size_t limit,
                                 bool laterHalf) const;
  // The arc from the state with the curvature up to where it passes nearest to points[index].
  std::optional<FittedSegment> ArcEndingAt(const FitState& state, double curvature, size_t index) const;
  // The line from the state up to where the fillet begins that turns from it onto the chord after
  // points[index].
  std::optional<FittedSegment> LineUpToFillet(const FitState& state, size_t index, size_t last) const;

 private:
  std::vector<size_t> CandidateEnds(const FitState& state, const Growth& growth, size_t first, size_t limit) const;
  size_t LastPointOfTangentMatch(const FitState& state, double curvature, size_t first, size_t limit) const;
  std::vector<size_t> PointsFurtherOn(size_t index, size_t last) const;
  std::vector<double> PassingHeadingsAt(size_t index, size_t first, size_t last) const;
  std::optional<FittedSegment> ArcUntilTangentHeadsFor(const FitState& state, double curvature, Point target,
                                                       size_t last) const;
  std::optional<FittedSegment> FilletOnto(const FitState& state, size_t index) const;
  size_t LastPointBeforeEnd(const FittedSegment& segment, size_t from, size_t last) const;
  bool IsNearlyStraight(const FittedSegment& arc, const std::vector<double>& choices) const;

  const FitContext& m_Context;
};

}  // namespace geometry::fitting
