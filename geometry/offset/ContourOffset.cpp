#include "geometry/offset/ContourOffset.h"

#include <fmt/format.h>

#include <cmath>
#include <string>
#include <utility>

#include "geometry/core/NoteTally.h"
#include "geometry/core/Tolerances.h"
#include "geometry/offset/ContourOrientation.h"
#include "geometry/offset/internal/ChainContour.h"
#include "geometry/offset/internal/OffsetSlices.h"
#include "geometry/offset/internal/RawOffset.h"
#include "geometry/offset/internal/SliceStitching.h"
#include "geometry/offset/internal/SourcePath.h"

namespace geometry {

namespace {

using namespace offsetting;

// Of the contour's size: points of the offset closer than this are one, and the offset may come
// this much nearer to the contour than the distance. Far below a micrometre on any part a
// machine cuts; far above the rounding of crossings found on parts of a few metres.
constexpr double kReachShare = 1e-10;
// How much nearer than the distance a slice may come, in reaches: the points where slices meet
// are found to within a reach on each side.
constexpr double kClearanceReaches = 4.0;

// The distance to the left of the contour's travel that the options ask for.
Result<double> LeftDistance(const Contour& contour, bool closed, const OffsetOptions& options) {
  if (options.side == OffsetSide::Left) return options.distance;
  if (!closed)
    return Fault{
        contour.firstLine,
        "the contour is open, so it has no outside or inside: offset it to the left or the right of its travel"};
  const double area = SignedArea(contour);
  if (std::abs(area) <= kSamePoint * ContourLength(contour))
    return Fault{contour.firstLine, "the contour encloses no area, so it has no outside or inside"};
  return (options.side == OffsetSide::Inside) == (area > 0.0) ? options.distance : -options.distance;
}

std::string Millimetres(double value) { return fmt::format("{:g} mm", value); }

// "1 contour", "2 contours"
std::string Counted(size_t count, const std::string& what) {
  return fmt::format("{} {}{}", count, what, count == 1 ? "" : "s");
}

// "3 mm inside", "2 mm to the right"
std::string OffsetText(const OffsetOptions& options, double left) {
  const double distance = std::abs(left);
  switch (options.side) {
    case OffsetSide::Outside:
      return Millimetres(distance) + (options.distance >= 0.0 ? " outside" : " inside");
    case OffsetSide::Inside:
      return Millimetres(distance) + (options.distance >= 0.0 ? " inside" : " outside");
    case OffsetSide::Left:
      break;
  }
  return Millimetres(distance) + (left > 0.0 ? " to the left" : " to the right");
}

double Extent(const SourcePath& source) {
  const Box& bounds = source.bounds;
  return std::max(bounds.max.x - bounds.min.x, bounds.max.y - bounds.min.y);
}

std::vector<std::string> VanishedArcNotes(const Contour& contour, const RawOffset& raw, double distance,
                                          const NoteTally::PlaceOf& placeOf) {
  NoteTally tally;
  for (size_t move : raw.vanishedMoves) {
    const ContourMove& arc = contour.moves[move];
    tally.Add("vanished", arc.line, "arcs", [&] {
      return fmt::format("the arc of radius {} vanishes: the offset of {} reaches its centre",
                         Millimetres(arc.segment.Radius()), Millimetres(std::abs(distance)));
    });
  }
  return tally.Lines(placeOf);
}

// The offsets, and how many of them do not close.
struct Offsets {
  std::vector<Contour> contours;
  size_t open = 0;
};

// The kept slices' chains. Where the kept slices end is only needed to stitch them.
Chains KeptChains(Slices& slices, const RawOffset& raw, const SourcePath& source, double distance, double reach) {
  const KeptSliceEnds kept =
      KeepSlicesClear(slices, raw, SourceProximity(source), std::abs(distance) - kClearanceReaches * reach, reach);
  return StitchSlices(slices, kept);
}

// The source is spent once the slices are kept: the contours need only the moves of its pieces.
Offsets Construct(const Contour& contour, SourcePath source, double distance, RawOffset& raw) {
  const double reach = std::max(kSamePoint, kReachShare * (Extent(source) + 2.0 * std::abs(distance)));
  raw = BuildRawOffset(source, distance, reach);
  Slices slices = SliceRawOffset(raw, FarCurves(source, raw, distance), reach);
  const Chains chains = KeptChains(slices, raw, source, distance, reach);
  const PieceMoves moves = std::move(source.moves);
  source = {};
  const std::vector<double> feeds = FeedsInForce(contour);
  Offsets offsets;
  for (size_t index = 0; index < chains.size(); ++index) {
    const Chain chain = chains[index];
    if (std::optional<Contour> offset =
            ContourOfChain(chain, slices, raw, moves, contour, feeds, kClearanceReaches * reach)) {
      offsets.contours.push_back(std::move(*offset));
      offsets.open += chain.closed ? 0 : 1;
    }
  }
  return offsets;
}

}  // namespace

Result<std::vector<Contour>> OffsetContour(const Contour& contour, const OffsetOptions& options) {
  if (!std::isfinite(options.distance)) return Fault{contour.firstLine, "the offset distance is no number"};
  const bool closed = IsClosed(contour, options.closingGap);
  const Result<double> left = LeftDistance(contour, closed, options);
  if (!left) return left.Failure();
  const double distance = left.Value();
  if (distance == 0.0) return std::vector<Contour>{contour};
  Result<SourcePath> source = SourcePathOf(contour, closed);
  if (!source) return source.Failure();

  RawOffset raw;
  Offsets offsets = Construct(contour, std::move(source).Value(), distance, raw);
  std::vector<std::string> notes = VanishedArcNotes(contour, raw, distance, options.placeOf);
  const std::string offset = OffsetText(options, distance);
  const std::string twice = Millimetres(2.0 * std::abs(distance));
  if (offsets.contours.empty()) {
    const bool inside = closed && (distance > 0.0) == (SignedArea(contour) > 0.0);
    const std::string why =
        inside ? "it is nowhere " + twice + " wide" : "every point at that distance comes nearer to another part of it";
    return {Fault{contour.firstLine, fmt::format("nothing is left of the contour offset {}: {}", offset, why)},
            std::move(notes)};
  }
  const size_t count = offsets.contours.size();
  if (closed && offsets.open > 0) {
    const std::string closedOnes = count > offsets.open ? Counted(count - offsets.open, "contour") + " and " : "";
    notes.push_back(fmt::format("the contour offset {} leaves {}{}: the contour crosses or runs along itself", offset,
                                closedOnes, Counted(offsets.open, "open piece")));
  } else if (count > 1) {
    notes.push_back(
        fmt::format("the contour offset {} falls into {}, where parts of it come nearer to each other "
                    "than {}",
                    offset, Counted(count, closed ? "contour" : "piece"), twice));
  }
  return {std::move(offsets.contours), std::move(notes)};
}

}  // namespace geometry
