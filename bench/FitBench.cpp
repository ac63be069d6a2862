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
#include "geometry/gcode/GcodeReader.h"
#include "geometry/core/PathWalk.h"
#include "geometry/core/RelativePath.h"
#include "tests/geometry/FitShapes.h"
#include "tests/geometry/PathJoints.h"
#include "tests/geometry/SampledDeviation.h"

namespace {

using geometry::Point;

constexpr double kTolerance = 0.01;  // mm, of the large traced outlines

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
  options.maxRadius = 2147483.647;  // a radius of 2^31 counts of a micrometre
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

// Each shape of the arc fitting test at each density, decimals and tolerance: the time to fit it,
// and its segments beside those of the greedy baseline, with the baseline's largest turn where
// its segments meet on a smooth stretch; and the fitted path as the tests' sampling checker
// measures it: its largest deviation both ways (um), its largest smooth join (degrees) and how
// far it ends from the shape's last point (nm).
void FitTestShape(benchmark::State& state) {
  const FitShape shape = FitShapes(static_cast<int>(state.range(1))).at(static_cast<size_t>(state.range(0)));
  const double tolerance = state.range(2) / 1000.0;
  std::vector<geometry::FittedSegment> fitted;
  for (auto _ : state) fitted = geometry::FitArcs(shape.points, Options(tolerance));
  state.counters["fitted"] = static_cast<double>(fitted.size());
  // The fitted path as the sampling checker of the tests measures it.
  std::vector<geometry::PathSegment> path;
  for (const geometry::FittedSegment& segment : fitted) path.push_back(geometry::RelativeOf(geometry::ContourSegmentOf(segment, segment.End())));
  const geometry::Point start = shape.points.front();
  const SampledDeviation deviation = MeasureDeviation(shape.points, start, path, tolerance / 10.0, 1.5 * tolerance);
  state.counters["deviation"] = 1000.0 * std::max(deviation.pathFromPolyline, deviation.polylineFromPath);
  state.counters["join"] = JointsOf(shape.points, path, geometry::Degrees(Options(tolerance).cornerAngle)).largestSmoothTurn;
  const geometry::Point end = start + geometry::Walk(path).end;
  state.counters["endGap"] = 1e6 * std::hypot(end.x - shape.points.back().x, end.y - shape.points.back().y);
  const std::vector<geometry::PathSegment> greedy = WeldArcs(shape.points, tolerance);
  state.counters["greedy"] = static_cast<double>(greedy.size());
  state.counters["greedyJoin"] = JointsOf(shape.points, greedy, geometry::Degrees(Options(tolerance).cornerAngle)).largestSmoothTurn;
}
// One fit each: the counts are what matters, and there are a hundred of them.
BENCHMARK(FitTestShape)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond)->Apply([](benchmark::internal::Benchmark* benchmark) {
  for (int decimals : kFitDecimals)
    for (double tolerance : kFitTolerances)
      for (size_t shape = 0; shape < FitShapes(decimals).size(); ++shape)
        benchmark->Args({static_cast<int64_t>(shape), decimals, Micrometres(tolerance)});
});

}  // namespace
