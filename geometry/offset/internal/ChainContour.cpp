#include "geometry/offset/internal/ChainContour.h"

#include <vector>

#include "geometry/core/Tolerances.h"

namespace geometry::offsetting {

namespace {

// A segment of the offset, and where along the raw offset it comes from.
struct Run {
  ContourSegment segment;
  size_t element;
  double to;  // the fraction of the element where it ends
};

// Whether a part of the raw offset, ending at `to`, goes on along the curve of the run: the next
// part of its element, the next quarter of the same arc's parallel, or a line in line with it.
bool Continues(const RawOffset& raw, const Run& run, size_t element, double from, Point to) {
  if (element == run.element) return from == run.to;
  const RawElement& before = raw.elements[run.element];
  const RawElement& after = raw.elements[element];
  if (element != run.element + 1 || run.to != 1.0 || from != 0.0 || before.role != Role::Parallel ||
      after.role != Role::Parallel || before.move != after.move || before.curve.arc != after.curve.arc)
    return false;
  return before.curve.arc || DistanceToSegment(run.segment.end, run.segment.start, to) <= kSamePoint;
}

std::vector<Run> RunsOf(const Chain& chain, const std::vector<Slice>& slices, const RawOffset& raw) {
  std::vector<Run> runs;
  for (size_t slice : chain.slices) {
    ForEachPart(raw, slices[slice], [&](size_t element, double from, double to, Point fromPoint, Point toPoint) {
      const Curve& curve = raw.elements[element].curve;
      const double sweep = (to - from) * curve.sweep;
      if (!runs.empty() && Continues(raw, runs.back(), element, from, toPoint)) {
        Run& run = runs.back();
        run.segment.end = toPoint;
        run.segment.sweep += sweep;
        run.element = element;
        run.to = to;
        return;
      }
      runs.push_back({curve.arc ? ContourSegment::Arc(fromPoint, toPoint, curve.centre, sweep)
                                : ContourSegment::Line(fromPoint, toPoint),
                      element, to});
    });
  }
  return runs;
}

// The feed in force at each move of the source.
std::vector<double> FeedsInForce(const Contour& source) {
  std::vector<double> feeds;
  double feed = 0.0;
  for (const ContourMove& move : source.moves) {
    if (move.feed > 0.0) feed = move.feed;
    feeds.push_back(feed);
  }
  return feeds;
}

}  // namespace

std::optional<Contour> ContourOfChain(const Chain& chain, const std::vector<Slice>& slices, const RawOffset& raw,
                                      const Contour& source, double negligible) {
  const std::vector<double> feeds = FeedsInForce(source);
  Contour contour;
  contour.startKnown = source.startKnown;
  contour.start = slices[chain.slices.front()].from.at;
  Point reached = contour.start;
  double feed = 0.0;
  const std::vector<Run> runs = RunsOf(chain, slices, raw);
  contour.moves.reserve(runs.size());
  for (const Run& run : runs) {
    if (Length(run.segment) <= negligible && Distance(reached, run.segment.end) <= negligible) continue;
    const size_t move = raw.elements[run.element].move;
    ContourMove offset{run.segment, feeds[move] != feed ? feeds[move] : 0.0, source.moves[move].line};
    offset.segment.start = reached;
    contour.moves.push_back(offset);
    reached = run.segment.end;
    feed = feeds[move];
  }
  if (contour.moves.empty()) return std::nullopt;
  if (chain.closed) contour.moves.back().segment.end = contour.start;
  contour.firstLine = contour.moves.front().line;
  return contour;
}

}  // namespace geometry::offsetting
