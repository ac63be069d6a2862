#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "geometry/core/PathWalk.h"
#include "geometry/core/RelativePath.h"
#include "geometry/core/TravelTime.h"
#include "geometry/gcode/GcodeReader.h"

namespace {

// A contour of `count` moves alternating lines and half circles, as a CAM post-processor writes
// it: line numbers, three decimals, and the depth and spindle speed repeated on every line.
std::string Gcode(int count) {
  std::string text = "%\nO1001 (BENCH)\nN10 G21 G90 G17 G54\nN20 T1 M6\nN30 G0 X0. Y0. S12000 M3\nN40 G1 Z-1. F300.\n";
  char line[96];
  for (int i = 0; i < count; ++i) {
    const int row = i / 2;
    const double y = 10.0 * (row + 1);
    const bool right = row % 2 == 0;
    if (i % 2 == 0)
      std::snprintf(line, sizeof line, "N%d G1 X%.3f Y%.3f Z-1. S12000 F600.\n", 50 + 10 * i, right ? 100.0 : 0.0,
                    y - 10.0);
    else
      std::snprintf(line, sizeof line, "N%d G%d X%.3f Y%.3f Z-1. I0. J5. S12000\n", 50 + 10 * i, right ? 3 : 2,
                    right ? 100.0 : 0.0, y);
    text += line;
  }
  return text + "G0 Z5.\nM30\n%\n";
}

geometry::Contour Contour(int count) { return geometry::ReadGcode(Gcode(count), {}).Value().contours.at(0); }

void ReadGcode(benchmark::State& state) {
  const std::string text = Gcode(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const Result<geometry::GcodeProgram> program = geometry::ReadGcode(text, {});
    if (!program) state.SkipWithError(program.Failure().message.c_str());
    benchmark::DoNotOptimize(program);
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(ReadGcode)->RangeMultiplier(8)->Range(8, 8 << 15)->Complexity(benchmark::oN);

// What the import does with a contour: its segments, each through its written end point.
void RelativePath(benchmark::State& state) {
  const geometry::Contour contour = Contour(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(geometry::ToRelativePath(contour, {}));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(RelativePath)->RangeMultiplier(8)->Range(8, 8 << 15)->Complexity(benchmark::oN);

// What the report does with a path: walk it and estimate its time.
void WalkAndTime(benchmark::State& state) {
  std::vector<geometry::PathSegment> segments;
  for (const auto& imported : geometry::ToRelativePath(Contour(static_cast<int>(state.range(0))), {}))
    segments.push_back(imported.segment);
  for (auto _ : state) {
    const geometry::PathWalk walk = geometry::Walk(segments);
    std::vector<geometry::TravelLeg> legs;
    for (const auto& segment : walk.segments) legs.push_back({segment.length, 0.1, 1.0, segment.cornerAngle > 0.1});
    benchmark::DoNotOptimize(geometry::EstimateTravelTimes(legs));
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(WalkAndTime)->RangeMultiplier(8)->Range(8, 8192)->Complexity(benchmark::oN);

}  // namespace
