#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "geometry/arcfit/FittedSegment.h"
#include "geometry/core/Angles.h"
#include "geometry/core/RelativePath.h"

// Arc fitting: a polyline, usually a long chain of short lines from CAM or from tracing, becomes
// few lines and arcs (docs/geometry.md, "fit-arcs"):
// - the fitted path lies within the tolerance of the polyline, and every point of the polyline
//   within the tolerance of the fitted path; it starts on the first point and ends on the last;
// - a point is a corner where the polyline turns by more than the corner angle there and neither
//   the curve it traces nor noise within the tolerance explains the turn; a corner stays a
//   segment end, and elsewhere the fitted segments join with a turn of at most the join turn (a
//   line that stands for an arc that barely turns, 0.05 degrees more);
// - each stretch between corners is fitted four ways, by segments through its points (with two
//   rules for their start headings, and two looks ahead for where they end) and by segments grown
//   as far along the polyline as these rules let them, and the fit with fewest kept, in time
//   linear in the number of points.
namespace geometry {

// How the fitter searches for few segments: how far inside the tolerance it aims, how many
// choices it weighs, and how long it keeps at a fit that lies behind. None of these lets a fit
// break the rules of ArcFitOptions; they trade segments for time. The defaults are what the
// shapes of the tests and of the benchmark were tuned on (bench/README.md).
struct FitTuning {
  // Growth aims this share of the tolerance inside it, so that the exact check that follows rarely
  // has to shorten an arc.
  double growthMargin = 0.01;
  // In tolerances: no arc of a smooth stretch needs a smaller radius (the fillet that rounds a turn
  // of 90 degrees within the tolerance has a radius of 2.4 tolerances).
  double smallestRadius = 0.01;
  // rad: an arc turns by at most twice this, so that the points it stands for lie in order along
  // it, from up to a quarter turn behind its start (noise) on.
  double maxHalfTurn = Radians(135.0);
  // rad: where an arc that ends on a point would barely turn, the line that replaces it may turn
  // this much more at its start than the join turn allows.
  double straightenedTurn = Radians(0.05);
  // rad: an arc that turns by less than this where a line would do as well is never taken, so
  // that a straight run stays a line.
  double nearlyStraightTurn = Radians(1.0);
  // A segment inside a stretch tries start headings this many steps either side of the end
  // heading of the one before, up to the join turn.
  int joinHeadingSteps = 2;
  // After a corner, start headings come from circles through points at this many doubling
  // multiples of the tolerance away.
  int headingScales = 8;
  // A fit is given up once it has taken more segments to reach a point than its rival took, plus
  // the rival's count over `behindShare`, plus `behindBy`.
  size_t behindShare = 20;
  size_t behindBy = 8;
  // How many growths are remembered before the memory starts afresh.
  size_t rememberedGrowths = 4096;
  // What share of its width either edge of a band of start headings is kept clear of: the band is
  // only right to first order.
  double bandMargin = 0.1;
  // A segment through points that turns from the one before by this share of the join turn or more
  // is pinned to its edge: the one before ended where the polyline no longer heads its way.
  double pinnedShare = 0.95;
  // A growing segment's end may head for points at this many scales (2, 8, 32, ... tolerances).
  int furtherScales = 5;
  // How many of a growing segment's best ends are weighed by the segment after the next too.
  size_t weighedTwoAhead = 2;
  // How many choices the fit by growing may undo at each point it gets stuck at.
  int retries = 16;
  // Along a stretch of this many points at most, the fit through points by the circle is also
  // tried with its first segment ending 1, 2, 4, ... points before its furthest end (up to half
  // its span), the rest fitted as usual. Each try costs a fit more, up to about 11 for a stretch
  // this long, which a longer one is not given: the time stays linear in the number of points.
  size_t searchedStretchPoints = 4096;
};

struct ArcFitOptions {
  double tolerance = 0.01;             // mm, both ways
  double minRadius = 0.0;              // mm: the smallest radius the motion can keep
  double maxRadius = 1e9;              // mm: the largest; a flatter arc becomes a line
  double cornerAngle = Radians(10.0);  // rad: where the polyline turns by more, it has a corner
  // rad: how far the heading may turn where two fitted segments meet on a smooth stretch. Each
  // segment picks its start heading within it, which lets it grow further than exact tangency.
  double joinTurn = Radians(0.4);
  // mm: segments shorter than this are taken only where nothing longer holds. A motion rounds each
  // segment's ends to its drives' counts, which turns a segment of a few counts by degrees.
  double shortestSegment = 0.0;
  // The heading (rad) the path must leave its first point with, when it continues a segment
  // before it without a kink; and the one it must reach its last point with.
  std::optional<double> startHeading;
  std::optional<double> endHeading;
  // Indices of points where a segment must end (where the motion changes speed, say); the path
  // passes them without a kink unless they are corners.
  std::vector<size_t> boundaries;
  // mm: one count of the drives a motion rounds the fitted path to, 0 where the path is kept
  // exact: no segment is shorter than a hundred counts, which would turn by degrees once rounded.
  double driveCount = 0.0;
  // How the motion keeps the fitted path's lengths and angles (RelativePath.h), none where the path
  // is kept exact. Each stretch is fitted within the tolerance, then rounded as the motion will
  // keep it, each segment landing on its fitted end; where a rounded segment strays beyond the
  // tolerance of its points either way, the stretch is fitted again within the tolerance less one,
  // two, then four counts (half the tolerance at most), and the first that holds once rounded is
  // kept (else the last).
  std::optional<Rounding> rounding;
  FitTuning tuning;
};

// The options of a path that a motion keeps in drive counts of `count` mm, rounded as `rounding`:
// within `tolerance` once rounded, in segments of 800 counts at least where they can be, joined
// with a turn of a quarter degree at most: rounding a segment of 800 counts turns it by up to a
// tenth of a degree more, which leaves its joins within half a degree.
ArcFitOptions OptionsForDrives(double tolerance, double count, const Rounding& rounding);

// The fitted path of `points`, each segment starting where the one before it ends. Points closer
// than a nanometre to the one before are one point. Empty for fewer than two distinct points.
std::vector<FittedSegment> FitArcs(const std::vector<Point>& points, const ArcFitOptions& options);

}  // namespace geometry
