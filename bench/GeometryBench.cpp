#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "geometry/GcodeReader.h"
#include "geometry/PathWalk.h"
#include "geometry/RelativePath.h"
#include "geometry/TravelTime.h"

namespace {

// A contour of `count` moves alternating lines and half circles, as a CAM program writes it.
std::string Gcode(int count) {
  std::string text = "G21 G90 G17\nG0 X0 Y0\n";
  for (int i = 0; i < count; ++i) {
    const std::string y = std::to_string(10 * (i / 2 + 1));
    text += i % 2 == 0 ? "G1 X" + std::to_string(100 * ((i / 2) % 2 == 0)) + " F600\n"
                       : "G" + std::string((i / 2) % 2 == 0 ? "3" : "2") + " Y" + y + " R5\n";
  }
  return text;
}

geometry::GcodePath Contour(int count) {
  geometry::GcodePath path;
  geometry::GcodeError error;
  geometry::ReadGcode(Gcode(count), {}, path, error);
  return path;
}

void ReadGcode(benchmark::State& state) {
  const std::string text = Gcode(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    geometry::GcodePath path;
    geometry::GcodeError error;
    if (!geometry::ReadGcode(text, {}, path, error)) state.SkipWithError(error.message.c_str());
    benchmark::DoNotOptimize(path);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(ReadGcode)->RangeMultiplier(8)->Range(8, 8192)->Complexity(benchmark::oN);

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
