#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "bench/MixedMotion.h"
#include "bench/PeakMemory.h"

// motion-host translate, plot and report of the mixed motion of 100k and 1M segments, each as a
// process: its CPU time and peak memory, and the size of what it printed. The target table sets
// plot and report against translate of the same motion (bench/README.md).

namespace {

const char* const kCommands[] = {"translate", "plot", "report"};

void MotionHostCommand(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path();
  const std::string stem = folder / ("vector_bench_command_" + std::to_string(getpid()));
  const std::string motionPath = stem + ".motion";
  const std::string outputPath = stem + ".out";
  const CString text = MixedMotionText(static_cast<int>(state.range(1)));
  std::ofstream(motionPath, std::ios::binary).write(text.GetString(), text.GetLength());
  ProcessCost cost;
  for (auto _ : state) cost = MeasureProcess({MOTION_HOST_PATH, kCommands[state.range(0)], motionPath}, outputPath);
  if (cost.peakKiB < 0) return state.SkipWithError("motion-host failed under /usr/bin/time");
  constexpr double kMiB = 1024.0 * 1024.0;
  state.counters["cpu_s"] = cost.cpuSeconds;
  state.counters["peak_MiB"] = static_cast<double>(cost.peakKiB) / 1024.0;
  state.counters["output_MiB"] = static_cast<double>(std::filesystem::file_size(outputPath)) / kMiB;
  state.counters["motion_MiB"] = static_cast<double>(text.GetLength()) / kMiB;
  std::filesystem::remove(motionPath);
  std::filesystem::remove(outputPath);
}
BENCHMARK(MotionHostCommand)
    ->ArgsProduct({{0, 1, 2}, {100000, 1000000}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
