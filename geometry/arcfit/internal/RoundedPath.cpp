#include "RoundedPath.h"

#include "FitDeviation.h"

namespace geometry::fitting {

RoundedPath::Outcome RoundedPath::Round(const std::vector<FittedSegment>& segments, size_t first) const {
  Outcome outcome{true, m_Reached};
  for (size_t s = 0; s < segments.size(); ++s) {
    const FittedSegment& segment = segments[s];
    const bool endsPath = s + 1 == segments.size() && segment.lastPoint + 1 == m_Points.size();
    const ContourSegment written = ContourSegmentOf(segment, endsPath ? m_Points.back() : segment.End());
    const ContourSegment rounded = PlacedAt(RoundedFrom(written, outcome.reached, m_Rounding), outcome.reached);
    outcome.holds = outcome.holds && Within(rounded, first, segment.lastPoint);
    outcome.reached = rounded.end;
    first = segment.lastPoint;
  }
  return outcome;
}

// The rounded segment starts a count or two from where its fitted one does, on or just past
// points[first], and ends as near points[last] or the chord after it, where it ran on: its end is
// held against that chord, where there is one.
bool RoundedPath::Within(const ContourSegment& rounded, size_t first, size_t last) const {
  const ChainEnd end = last + 1 < m_Points.size() ? ChainEnd::AlongNextChord : ChainEnd::OnLastPoint;
  return CheckChain({FittedSegmentOf(rounded)}, m_Points, first, last, m_Tolerance, end).holds;
}

}  // namespace geometry::fitting
