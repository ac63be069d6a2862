#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "FitContext.h"
#include "FitDeviation.h"

namespace geometry::fitting {

// Where a segment through points takes its start heading from: of the band that every point
// between allows, or of the circle through the point halfway.
enum class StartHeadings { InBand, OfCircle };
// How an earlier end of a segment is weighed against its furthest: by how far the next segment
// reaches, or by how far the one after it does first.
enum class WeighedAhead { Next, TwoSegments };

// A stretch fitted by segments that each end on a point of the polyline, as far on as holds, or
// where the points lie far apart, on the way from it to the next.
// Where the curvature changes steadily, as along a spiral or an ellipse, segments through points
// a curve's chord apart meet nearly tangent by themselves.
class ThroughPointsFit {
 public:
  // Its segments are `shortest` (mm) long at least.
  ThroughPointsFit(const FitContext& context, StartHeadings rule, double shortest,
                   WeighedAhead weighed = WeighedAhead::Next)
      : m_Context(context), m_Rule(rule), m_Shortest(shortest), m_Weighed(weighed) {}

  // Empty where no such segment holds, or when given up behind the `rival` fit (if any). Where
  // `firstBack` is given, the first segment ends that many points before the furthest it reaches;
  // empty where that does not hold, lies more than half its span back, or the stretch ends with a
  // landing before it.
  std::optional<FittedStretch> Fit(const Stretch& stretch, const std::vector<FittedSegment>* rival,
                                   std::optional<size_t> firstBack = std::nullopt) const;

 private:
  // Where a segment through points ends: on points[lastPoint], or on the chord after it.
  struct Target {
    Point at;
    size_t lastPoint;
    ChainEnd end;
  };
  Target OnPoint(size_t index) const { return {m_Context.Polyline().At(index), index, ChainEnd::OnLastPoint}; }

  std::optional<std::vector<FittedSegment>> LandingWithinJoinTurn(const FitState& state, size_t last,
                                                                  std::optional<double> endHeading,
                                                                  bool turnFree) const;
  std::optional<FittedSegment> SegmentToFurthestPoint(const FitState& state, size_t span, size_t limit,
                                                      double turn) const;
  size_t FurthestPointInBand(const FitState& state, size_t span, size_t limit, double turn) const;
  FittedSegment EndedWhereTheNextReachesFurthest(const FitState& state, const FittedSegment& furthest, size_t limit,
                                                 double turn) const;
  FittedSegment RunOnAlongTheNextChord(const FitState& state, const FittedSegment& segment, size_t limit,
                                       double turn) const;
  bool NextIsShortOrPinned(const FitState& state, const FittedSegment& segment, size_t reach) const;
  std::optional<FittedSegment> CheckedSegmentTo(const FitState& state, const Target& target, double turn) const;
  std::optional<FittedSegment> BandSegmentTo(const FitState& state, const Target& target, double turn) const;
  double CircleHeadingWithinTurn(const FitState& state, const Target& target, double turn) const;
  std::optional<double> StartHeadingInBand(const FitState& state, const Target& target, double turn) const;

  // What decides how far a band of start headings reaches.
  struct BandSearch {
    double x;
    double y;
    double heading;
    size_t index;
    size_t span;
    size_t limit;
    double turn;
    bool operator==(const BandSearch&) const = default;
  };

  const FitContext& m_Context;
  StartHeadings m_Rule;
  double m_Shortest;
  WeighedAhead m_Weighed;
  // The last search of how far a band of start headings reaches, and its answer: the stretch asks
  // again for the state it takes.
  mutable std::optional<std::pair<BandSearch, size_t>> m_LastBandSearch;
};

}  // namespace geometry::fitting
