#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "bench/FitCountTable.h"
#include "bench/GreedyArcWelder.h"
#include "geometry/arcfit/ArcFitter.h"
#include "geometry/arcfit/ContourFitting.h"
#include "geometry/core/PathWalk.h"
#include "geometry/core/RelativePath.h"
#include "geometry/gcode/GcodeReader.h"
#include "tests/geometry/DriveRounding.h"
#include "tests/geometry/FitMeasure.h"
#include "tests/geometry/FitShapes.h"

namespace {

using geometry::Point;

constexpr double kTolerance = 0.01;  // mm, of the large traced outlines
constexpr double kLargestRadius = 2147483.647;  // mm: 2^31 counts of a micrometre
constexpr double kJoinDegrees = 0.5;            // the most a smooth join may turn

// A traced outline of `count` chords, turn after turn round a centre at a radius that wavers
// quickly and drifts slowly, so that its curvature keeps changing alike at any length; each point
// with three decimals as CAM writes it, about 0.08 mm apart.
std::vector<Point> TracedOutline(int count) {
  std::vector<Point> points;
  const double turns = count / 4000.0;
  for (int i = 0; i <= count; ++i) {
    const double angle = 2.0 * std::numbers::pi * turns * i / count;
    const double radius = 50.0 + 3.0 * std::sin(5.0 * angle) + 5.0 * std::sin(angle / 7.0);
    points.push_back({std::round(1000.0 * radius * std::cos(angle)) / 1000.0,
                      std::round(1000.0 * radius * std::sin(angle)) / 1000.0});
  }
  return points;
}

std::string TracedGcode(int count) {
  std::string text = "%\nO1002 (TRACED)\nN10 G21 G90 G17\nN20 G0 X0. Y0.\nN30 G1 Z-1. F300.\n";
  char line[64];
  int number = 40;
  bool first = true;
  for (Point p : TracedOutline(count)) {
    std::snprintf(line, sizeof line, first ? "N%d G0 X%.3f Y%.3f\nG1 Z-1.\n" : "N%d G1 X%.3f Y%.3f\n", number, p.x, p.y);
    text += line;
    number += 10;
    first = false;
  }
  return text + "G0 Z5.\nM30\n%\n";
}

geometry::ArcFitOptions Options(double tolerance) {
  geometry::ArcFitOptions options;
  options.tolerance = tolerance;
  options.minRadius = 0.001;
  options.maxRadius = kLargestRadius;
  return options;
}

void FitArcs(benchmark::State& state) {
  const std::vector<Point> points = TracedOutline(static_cast<int>(state.range(0)));
  size_t segments = 0;
  for (auto _ : state) segments = geometry::FitArcs(points, Options(kTolerance)).size();
  state.counters["segments"] = static_cast<double>(segments);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(FitArcs)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// The fitter's tuning varied (no target): the traced outline of 100k points with fewer and more
// growths remembered than by default, the memory's size being the argument.
void FitArcsRememberingGrowths(benchmark::State& state) {
  const std::vector<Point> points = TracedOutline(100000);
  geometry::ArcFitOptions options = Options(kTolerance);
  options.tuning.rememberedGrowths = static_cast<size_t>(state.range(0));
  size_t segments = 0;
  for (auto _ : state) segments = geometry::FitArcs(points, options).size();
  state.counters["segments"] = static_cast<double>(segments);
}
BENCHMARK(FitArcsRememberingGrowths)->Arg(256)->Arg(4096)->Arg(65536)->Unit(benchmark::kMillisecond);

// What import-gcode does with a traced outline, without and with --fit-arcs.
void Import(benchmark::State& state, bool fit) {
  const std::string text = TracedGcode(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const Result<geometry::GcodeProgram> program = geometry::ReadGcode(text, {});
    if (!program || program->contours.size() != 1) {
      state.SkipWithError("the traced outline does not read as one contour");
      return;
    }
    const geometry::Contour& contour = program->contours.front();
    benchmark::DoNotOptimize(
        geometry::ToRelativePath(fit ? geometry::FitContour(contour, Options(kTolerance), {}) : contour, {}));
  }
}
void ImportWithoutFitting(benchmark::State& state) { Import(state, false); }
void ImportWithFitting(benchmark::State& state) { Import(state, true); }
BENCHMARK(ImportWithoutFitting)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportWithFitting)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The path laid from `start` as the demo's drives keep it, each segment landing on its own end.
std::vector<geometry::PathSegment> Rounded(geometry::Point start, const std::vector<geometry::PathSegment>& path) {
  geometry::Contour contour;
  contour.start = start;
  for (const geometry::PathSegment& segment : path) {
    contour.moves.push_back({geometry::PlacedAt(segment, start)});
    start = contour.moves.back().segment.end;
  }
  return RoundedToTheDrives(contour);
}

// Each shape of the arc fitting test at each density, decimals and tolerance, fitted as the
// commands fit a motion on the demo's drives and rounded as the motion keeps it: the time to fit
// it, its segments, and the path as the sampling checker of the tests measures it (its largest
// deviation both ways in um, its largest smooth join in degrees, the corners kept, its end gap in
// nm, and whether it keeps the rules); beside it the greedy baseline's segments, largest smooth
// join, and whether it keeps the rules, rounded alike.
void FitTestShape(benchmark::State& state) {
  const FitShape shape = FitShapes(static_cast<int>(state.range(1))).at(static_cast<size_t>(state.range(0)));
  const double tolerance = state.range(2) / 1000.0;
  geometry::ArcFitOptions options = geometry::OptionsForDrives(tolerance, kDriveCount, DriveRounding());
  options.minRadius = kDriveCount;
  options.maxRadius = kLargestRadius;
  std::vector<geometry::PathSegment> path;
  for (auto _ : state) path = RoundedFit(shape, options);
  const FitFigures fitted = Measure(shape, path, tolerance);
  state.counters["fitted"] = static_cast<double>(fitted.segments);
  state.counters["deviation"] = 1000.0 * std::max(fitted.deviation.pathFromPolyline, fitted.deviation.polylineFromPath);
  state.counters["join"] = fitted.largestSmoothJoin;
  state.counters["corners"] = static_cast<double>(fitted.cornersKept);
  state.counters["declared"] = static_cast<double>(shape.corners.size());
  state.counters["endGap"] = 1e6 * fitted.endGap;
  state.counters["keeps"] = KeepsTheRules(fitted, shape, tolerance, kJoinDegrees, kDriveCount);
  const FitFigures greedy = Measure(shape, Rounded(shape.points.front(), WeldArcs(shape.points, tolerance)), tolerance);
  state.counters["greedy"] = static_cast<double>(greedy.segments);
  state.counters["greedyJoin"] = greedy.largestSmoothJoin;
  state.counters["greedyKeeps"] = KeepsTheRules(greedy, shape, tolerance, kJoinDegrees, kDriveCount);
}
// One fit each: the counts are what matters, and there are a hundred of them.
BENCHMARK(FitTestShape)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond)->Apply([](benchmark::internal::Benchmark* benchmark) {
  for (int decimals : kFitDecimals)
    for (double tolerance : kFitTolerances)
      for (size_t shape = 0; shape < FitShapes(decimals).size(); ++shape)
        benchmark->Args({static_cast<int64_t>(shape), decimals, Micrometres(tolerance)});
});

}  // namespace
