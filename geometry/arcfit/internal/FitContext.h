#pragma once

#include <cstddef>
#include <numbers>
#include <optional>
#include <vector>

#include "CurvatureSet.h"
#include "FitState.h"
#include "GrowthMemory.h"
#include "PolylineAnalysis.h"

namespace geometry::fitting {

// What a segment's end offers the next one: how far that can grow, whether it then lands on the
// stretch's end, and where looked at, how far the one after it can grow.
struct NextReach {
  size_t reach = 0;
  bool lands = false;
  size_t reachAfter = 0;  // of the segment after the next, where it is looked at; else the reach

  // A landing offers more than any reach; else the further reach after the next does, then the
  // further reach of the next.
  bool FurtherThan(const NextReach& other) const {
    if (lands != other.lands) return lands;
    return !lands && (reachAfter != other.reachAfter ? reachAfter > other.reachAfter : reach > other.reach);
  }
};

// What every fit of a stretch works from: the analysed polyline, the options and their tuning,
// the curvatures the motion can keep, the memory of growths, and the steps all fits share.
class FitContext {
 public:
  FitContext(const std::vector<Point>& points, const ArcFitOptions& options);
  FitContext(const FitContext&) = delete;  // its memory of growths refers to its polyline
  FitContext& operator=(const FitContext&) = delete;

  const PolylineAnalysis& Polyline() const { return m_Polyline; }
  const ArcFitOptions& Options() const { return m_Options; }
  const FitTuning& Tuning() const { return m_Options.tuning; }
  // mm: what growing arcs aim within, a little inside the tolerance.
  double GrowthTolerance() const { return m_GrowthTolerance; }

  Growth GrowthFrom(const FitState& state, size_t last) const { return m_Growths.From(state, last); }
  // rad: how far the next segment may turn from the state's heading at its start. Rounding turns a
  // short segment by more than a long one, so only a segment of the shortest length or more (the
  // one before, and the next: JoinTurnFor) joins another with a turn.
  double JoinTurnAt(const FitState& state) const {
    return state.behind >= m_Options.shortestSegment ? m_Options.joinTurn : 0.0;
  }
  // The turn allowed at the start of `next`: `turn`, unless it is a join turn (less than a half
  // turn) and `next` is shorter than the shortest length.
  double JoinTurnFor(const FittedSegment& next, double turn) const {
    return turn >= std::numbers::pi || next.length >= m_Options.shortestSegment ? turn : 0.0;
  }
  // The state with the heading, within the join turn of its own, whose arc grows furthest: its own
  // on a tie, so that a segment that fits as well without a kink has none.
  FitState StartReachingFurthest(const FitState& state, size_t last) const;
  // How far the next segment can grow from the state, and whether it lands.
  NextReach ReachFrom(const FitState& state, size_t last, std::optional<double> endHeading) const;

  // The segments from the state that end exactly on points[last], reaching it with `endHeading`
  // where one is given, if they keep within the tolerance: the landing that ends a stretch.
  std::optional<std::vector<FittedSegment>> Landing(const FitState& state, size_t last,
                                                    std::optional<double> endHeading) const;
  // The same segments ending on `target`, unchecked.
  std::optional<std::vector<FittedSegment>> SegmentsEndingOn(const FitState& state, Point target,
                                                             std::optional<double> endHeading) const;
  // Whether the motion can keep the segment's radius and length, and it turns little enough.
  bool Storable(const FittedSegment& segment) const;
  // mm: a segment of a few counts keeps nothing of its turn once rounded (its ends move by up to a
  // count each), so none is shorter than a hundred counts, whatever its radius.
  double ShortestStorable() const { return 100.0 * m_Options.driveCount; }
  // Whether a fit that has taken `count` segments to reach points[index] lies so far behind the
  // rival fit that it will not catch up.
  bool TooFarBehind(size_t count, const std::vector<FittedSegment>& rival, size_t index) const;

 private:
  ArcFitOptions m_Options;
  double m_GrowthTolerance;
  double m_MinCurvature;
  double m_MaxCurvature;
  PolylineAnalysis m_Polyline;
  GrowthMemory m_Growths;
};

}  // namespace geometry::fitting
