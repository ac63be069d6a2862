#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "FitContext.h"
#include "SegmentEnds.h"

namespace geometry::fitting {

// A stretch fitted by segments that each grow from the end of the one before as far along the
// polyline as the tolerance lets them, then end where the next one can grow furthest.
class GrowingFit {
 public:
  // Segments shorter than `shortest` (mm) are taken only where nothing longer holds.
  GrowingFit(const FitContext& context, double shortest) : m_Context(context), m_Ends(context), m_Shortest(shortest) {}

  // Goes on to the stretch's end, with kinks where nothing smooth holds; empty only when given up
  // behind the `rival` fit (if any).
  std::optional<FittedStretch> Fit(const Stretch& stretch, const std::vector<FittedSegment>* rival) const;

 private:
  // A segment's end chosen where it can grow no further, and which of the candidates, counted
  // from 1, it was.
  struct ChosenEnd {
    FittedSegment segment;
    size_t candidate;
  };

  std::optional<ChosenEnd> ChooseEnd(const FitState& state, const Growth& growth, const Stretch& stretch,
                                     const std::vector<size_t>& ruledOut, bool allowShort) const;
  size_t ReachAfterNext(const FitState& next, size_t first, size_t last) const;
  FittedSegment LineToNextPoint(const FitState& state) const;

  const FitContext& m_Context;
  SegmentEnds m_Ends;
  double m_Shortest;
};

}  // namespace geometry::fitting
