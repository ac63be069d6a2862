#pragma once

#include <cmath>
#include <numbers>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "geometry/arcfit/ArcFitter.h"
#include "geometry/arcfit/CurvatureSet.h"
#include "geometry/arcfit/FitDeviation.h"
#include "geometry/arcfit/FittedSegment.h"
#include "geometry/core/Angles.h"
#include "geometry/core/Tolerances.h"

// The working parts of arc fitting (ArcFitter.h), shared by the fitter's three files: the fitter
// itself, which splits the polyline into stretches and keeps the best of its fits of each
// (ArcFitter.cpp), the fit through the polyline's points (FitThroughPoints.cpp) and the fit by
// growing segments (FitByGrowing.cpp).
namespace geometry::fitting {

// rad: arcs turn by at most 270 degrees, so that the points they stand for lie in order along
// them, from up to a quarter turn behind the start (noise) on.
inline constexpr double kMaxHalfTurn = 135.0 * std::numbers::pi / 180.0;
// rad: where an arc that lands on a stretch's end would barely turn, the line that replaces it may
// turn this much at its start.
inline constexpr double kStraightenedTurn = 0.05 * std::numbers::pi / 180.0;
// Inside a stretch each segment tries start headings this many steps either side of the end
// heading of the one before, up to the join turn.
inline constexpr int kJoinHeadingSteps = 2;

// How far the direction turns from a->b to b->c, 0 to pi.
inline double TurnAt(Point a, Point b, Point c) { return std::abs(std::atan2(Cross(b - a, c - b), Dot(b - a, c - b))); }

// The heading at `start` of the circle through start, a and b (of the line to b when they are
// in line).
inline double TangentOfCircle(Point start, Point a, Point b) {
  const Point u = a - start;
  const Point v = b - start;
  const double determinant = Cross(u, v);
  if (std::abs(determinant) <= kRoundingNoise * Norm(u) * Norm(v)) return HeadingOf(start, b);
  // The centre c, seen from start, solves 2 c.u = |u|^2 and 2 c.v = |v|^2; the tangent is
  // square to it, pointing towards a.
  const Point centre{(Dot(u, u) * v.y - Dot(v, v) * u.y) / (2.0 * determinant),
                     (Dot(v, v) * u.x - Dot(u, u) * v.x) / (2.0 * determinant)};
  const Point tangent = Dot(LeftOf(centre), u) >= 0.0 ? LeftOf(centre) : -LeftOf(centre);
  return AngleOf(tangent);
}

// Where the fitted path has got to: its end, its heading there, and the last point of the
// polyline it has answered for.
struct FitState {
  Point at;
  double heading;
  size_t index;
};

inline FitState StateAfter(const FittedSegment& segment) {
  return {segment.End(), segment.EndHeading(), segment.lastPoint};
}

// The curvature of the arc from the state through p.
inline double CurvatureThrough(const FitState& state, Point p) {
  const Point forward = Direction(state.heading);
  const Point offset = p - state.at;
  return 2.0 * Cross(forward, offset) / Dot(offset, offset);
}

struct Growth {
  size_t reach;      // the last point the arc can answer for
  size_t lineReach;  // and a line from the same start
  CurvatureSet curvatures;
};

// What a segment's end offers the next one: how far that can grow, and whether it then lands on
// the stretch's end, which beats any reach.
struct Outlook {
  size_t reach = 0;
  bool lands = false;
  size_t reachAfter = 0;  // of the segment after the next, where it is looked at; else the reach

  bool Beats(const Outlook& other) const {
    if (lands != other.lands) return lands;
    return !lands && (reachAfter != other.reachAfter ? reachAfter > other.reachAfter : reach > other.reach);
  }
};

// How a close ends the growing arc: its segment, and which of the close's candidates, counted
// from 1, that was.
struct Closing {
  FittedSegment segment;
  size_t candidate;
};

// A state and the stretch's last point, which decide how far an arc grows.
struct GrowthKey {
  double x;
  double y;
  double heading;
  size_t index;
  size_t last;
  bool operator==(const GrowthKey&) const = default;
};

struct GrowthKeyHash {
  size_t operator()(const GrowthKey& key) const {
    size_t hash = std::hash<size_t>()(key.index) ^ (std::hash<size_t>()(key.last) << 1);
    for (double value : {key.x, key.y, key.heading}) hash = hash * 1099511628211u ^ std::hash<double>()(value);
    return hash;
  }
};

// The heading a stretch leaves its first point with: given, where the path goes on from the
// segment before without a kink, or else chosen freely once for all its fits.
struct StretchStart {
  double heading;
  bool given;
};

// Where a segment through points takes its start heading from.
enum class StartHeadings { InBand, OfCircle };

// What decides how far a band of start headings reaches.
struct BandSearch {
  double x;
  double y;
  double heading;
  size_t index;
  size_t span;
  size_t limit;
  double turn;
  StartHeadings rule;
  bool operator==(const BandSearch&) const = default;
};

// Fits one polyline (FitArcs in ArcFitter.h).
class PolylineFitter {
 public:
  PolylineFitter(const std::vector<Point>& points, const ArcFitOptions& options);
  std::vector<FittedSegment> Fit();

 private:
  // The polyline and its stretches, and the choice among the fits of each (ArcFitter.cpp).
  void KeepDistinct(const std::vector<Point>& points);
  void FindNeighbours();
  bool IsCorner(size_t index) const;
  std::vector<size_t> StretchEnds() const;
  void FitStretchEveryWay(size_t first, size_t last, std::optional<double> startHeading,
                          std::optional<double> endHeading);
  static bool FallenBehind(size_t count, const std::vector<FittedSegment>& rival, size_t index);
  double StartHeading(size_t first, size_t last, std::optional<double> endHeading) const;
  double LongestLineHeading(size_t first, size_t last) const;
  FitState FreestStart(const FitState& state, size_t last, int steps) const;
  Growth Grow(const FitState& state, size_t last) const;
  Growth GrowFresh(const FitState& state, size_t last) const;
  Outlook LookAhead(const FitState& state, size_t last, std::optional<double> endHeading) const;
  std::optional<std::vector<FittedSegment>> Land(const FitState& state, size_t last,
                                                 std::optional<double> endHeading) const;
  std::optional<std::vector<FittedSegment>> LandingChain(const FitState& state, Point target,
                                                         std::optional<double> endHeading) const;
  bool Keepable(const FittedSegment& segment) const;
  FittedSegment Kink(const FitState& state) const;
  void Append(const FittedSegment& segment);

  // The fit through the polyline's points (FitThroughPoints.cpp).
  bool FitStretchThroughPoints(size_t first, size_t last, StretchStart start, std::optional<double> endHeading,
                               StartHeadings rule, const std::vector<FittedSegment>* rival);
  std::optional<std::vector<FittedSegment>> LandFreely(const FitState& state, size_t last,
                                                       std::optional<double> endHeading, bool turnFree) const;
  std::optional<FittedSegment> FurthestThroughPoint(const FitState& state, size_t span, size_t limit, double turn,
                                                    StartHeadings rule) const;
  size_t FurthestInBand(const FitState& state, size_t span, size_t limit, double turn, StartHeadings rule) const;
  FittedSegment LeavingTheNextMore(const FitState& state, const FittedSegment& furthest, size_t limit, double turn,
                                   StartHeadings rule) const;
  bool LeavesABadStart(const FitState& state, const FittedSegment& segment, size_t reach, StartHeadings rule) const;
  std::optional<FittedSegment> ThroughPoint(const FitState& state, size_t end, double turn, StartHeadings rule) const;
  std::optional<FittedSegment> SegmentInBand(const FitState& state, size_t end, double turn, StartHeadings rule) const;
  double HeadingOfCircle(const FitState& state, size_t end, double turn) const;
  std::optional<double> HeadingInBand(const FitState& state, size_t end, double turn, StartHeadings rule) const;

  // The fit by growing segments (FitByGrowing.cpp).
  bool FitStretch(size_t first, size_t last, StretchStart start, std::optional<double> endHeading,
                  const std::vector<FittedSegment>* rival);
  std::optional<Closing> Close(const FitState& state, const Growth& growth, size_t first, size_t last,
                               std::optional<double> endHeading, const std::vector<size_t>& ruledOut,
                               bool allowShort) const;
  template <typename Visit>
  void ForEachCandidate(const FitState& state, const Growth& growth, size_t first, size_t last, Visit visit) const;
  std::vector<double> CurvatureChoices(const FitState& state, const CurvatureSet& curvatures, size_t end,
                                       bool withMiddle) const;
  std::vector<size_t> PointsFurtherOn(size_t index, size_t last) const;
  std::optional<FittedSegment> ArcTowards(const FitState& state, double curvature, Point target, size_t last) const;
  std::optional<FittedSegment> LineToFillet(const FitState& state, size_t index, size_t last) const;
  size_t LastPointBefore(const FittedSegment& segment, size_t from, size_t last) const;
  std::vector<double> HeadingsAt(size_t index, size_t first, size_t last) const;
  std::vector<size_t> CandidateEnds(const FitState& state, const Growth& growth, size_t first, size_t limit) const;
  size_t BestTangentMatch(const FitState& state, double curvature, size_t first, size_t limit, bool laterHalf) const;
  std::optional<FittedSegment> ArcEndingAt(const FitState& state, double curvature, size_t index) const;
  std::optional<FittedSegment> FilletOnto(const FitState& state, size_t index) const;
  bool LineInDisguise(const FittedSegment& arc, const std::vector<double>& choices) const;
  size_t ReachAfterNext(const FitState& next, size_t first, size_t last) const;

  ArcFitOptions m_Options;
  std::vector<Point> m_Points;
  std::vector<size_t> m_Source;  // each kept point's index among the caller's points
  std::vector<size_t> m_KeptOf;  // each of the caller's points' kept point
  std::vector<double> m_Turn;    // at each point, between the chords either side
  std::vector<size_t> m_Behind;  // the nearest point before, at least a tolerance away
  std::vector<size_t> m_Ahead;   // and after
  std::vector<double> m_PointTolerance;
  double m_GrowthTolerance;
  double m_MinCurvature;
  double m_MaxCurvature;
  CurvatureSet m_Storable;
  std::vector<FittedSegment> m_Fitted;
  double m_Heading = 0.0;  // where the fitted path heads at its end
  // How far arcs grow from the states asked about lately. The same state is asked about many
  // times over: for its freest start, by the close that weighs it as a candidate's end, by the look
  // two segments ahead, and by the stretch when it gets there.
  mutable std::unordered_map<GrowthKey, Growth, GrowthKeyHash> m_Growths;
  // The last search of how far a band of start headings reaches, and its answer.
  mutable std::optional<std::pair<BandSearch, size_t>> m_LastBandSearch;
};

}  // namespace geometry::fitting
