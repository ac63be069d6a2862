#include "geometry/offset/internal/ChainContour.h"

#include <optional>
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
bool Continues(const RawOffset& raw, const PieceMoves& moves, const Run& run, size_t element, double from, Point to) {
  if (element == run.element) return from == run.to;
  const RawElement& before = raw.elements[run.element];
  const RawElement& after = raw.elements[element];
  if (element != run.element + 1 || run.to != 1.0 || from != 0.0 || before.role != Role::Parallel ||
      after.role != Role::Parallel || moves[before.piece] != moves[after.piece] ||
      before.curve.IsArc() != after.curve.IsArc())
    return false;
  return before.curve.IsArc() || DistanceToSegment(run.segment.end, run.segment.start, to) <= kSamePoint;
}

// At most one run for each part of an element that the chain's slices run through.
size_t MostRuns(const Chain& chain, const Slices& slices) {
  size_t parts = 0;
  for (size_t slice : chain.slices) parts += slices.To(slice).element - slices.From(slice).element + 1;
  return parts;
}

// Calls emit(run) for each run of the chain in order, once it has gathered all its parts.
template <typename Emit>
void ForEachRun(const Chain& chain, const Slices& slices, const RawOffset& raw, const PieceMoves& moves, Emit emit) {
  std::optional<Run> run;
  for (size_t slice : chain.slices) {
    slices.ForEachPart(raw, slice, [&](size_t element, double from, double to, Point fromPoint, Point toPoint) {
      const Curve& curve = raw.elements[element].curve;
      const double sweep = (to - from) * curve.sweep;
      if (run && Continues(raw, moves, *run, element, from, toPoint)) {
        run->segment.end = toPoint;
        run->segment.sweep += sweep;
        run->element = element;
        run->to = to;
        return;
      }
      if (run) emit(*run);
      run = Run{curve.IsArc() ? ContourSegment::Arc(fromPoint, toPoint, curve.centre, sweep)
                              : ContourSegment::Line(fromPoint, toPoint),
                element, to};
    });
  }
  if (run) emit(*run);
}

}  // namespace

std::vector<double> FeedsInForce(const Contour& source) {
  std::vector<double> feeds;
  feeds.reserve(source.moves.size());
  double feed = 0.0;
  for (const ContourMove& move : source.moves) {
    if (move.feed > 0.0) feed = move.feed;
    feeds.push_back(feed);
  }
  return feeds;
}

std::optional<Contour> ContourOfChain(const Chain& chain, const Slices& slices, const RawOffset& raw,
                                      const PieceMoves& moves, const Contour& source, const std::vector<double>& feeds,
                                      double negligible) {
  Contour contour;
  contour.startKnown = source.startKnown;
  contour.start = slices.From(chain.slices.front()).at;
  Point reached = contour.start;
  double feed = 0.0;
  contour.moves.reserve(MostRuns(chain, slices));
  ForEachRun(chain, slices, raw, moves, [&](const Run& run) {
    if (Length(run.segment) <= negligible && Distance(reached, run.segment.end) <= negligible) return;
    const size_t move = moves[raw.elements[run.element].piece];
    ContourMove offset{run.segment, feeds[move] != feed ? feeds[move] : 0.0, source.moves[move].line};
    offset.segment.start = reached;
    contour.moves.push_back(offset);
    reached = run.segment.end;
    feed = feeds[move];
  });
  if (contour.moves.empty()) return std::nullopt;
  if (chain.closed) contour.moves.back().segment.end = contour.start;
  contour.firstLine = contour.moves.front().line;
  return contour;
}

}  // namespace geometry::offsetting
