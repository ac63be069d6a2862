#include <benchmark/benchmark.h>

#include <vector>

#include "geometry/core/PathWalk.h"
#include "geometry/core/RelativePath.h"
#include "geometry/offset/ContourOffset.h"
#include "tests/geometry/OffsetShapes.h"

namespace {

constexpr double kChord = 0.1;      // mm between the ring's corners
constexpr double kBow = 0.6;        // radians an arc of the ring turns through
constexpr double kDistance = 0.25;  // mm outside: more than the radius of the arcs that bow in

// A ring of lines and arcs that bow out and in by turns: its offset outside joins corners with
// arcs, trims lines where they cross and lets the arcs that bow in vanish.
geometry::Contour Ring(int count) { return offsetshapes::BowedRing(count, kChord, kBow); }

void OffsetRing(benchmark::State& state) {
  const geometry::Contour ring = Ring(static_cast<int>(state.range(0)));
  size_t segments = 0;
  for (auto _ : state) {
    const Result<std::vector<geometry::Contour>> offset =
        geometry::OffsetContour(ring, {kDistance, geometry::OffsetSide::Outside});
    if (!offset || offset->size() != 1) {
      state.SkipWithError("the ring's offset is not one contour");
      return;
    }
    segments = offset->front().moves.size();
  }
  state.counters["segments"] = static_cast<double>(segments);
}
BENCHMARK(OffsetRing)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The least a pass over the ring costs: its relative path walked, each segment's end point,
// length and headings worked out.
void WalkRing(benchmark::State& state) {
  std::vector<geometry::PathSegment> path;
  for (const geometry::ContourMove& move : Ring(static_cast<int>(state.range(0))).moves)
    path.push_back(geometry::RelativeOf(move.segment));
  for (auto _ : state) benchmark::DoNotOptimize(geometry::Walk(path));
}
BENCHMARK(WalkRing)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
