#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/PeakMemory.h"

// motion-host import-gcode of a program of short G1 moves, as a process, against the least such
// an import can cost: a plain C reader that reads every X and Y of the same file with strtod and
// writes the motion's segment types and increments as text (bench/README.md).

namespace {

std::string TemporaryPath(const std::string& name) {
  return std::filesystem::temp_directory_path() / ("vector_bench_" + std::to_string(getpid()) + "_" + name);
}

// Programs of short moves with three decimals, about 0.05 mm apart, turn after turn round a
// wavering circle: each written once per size, and removed when the run ends.
class ShortMovesFiles {
 public:
  ~ShortMovesFiles() {
    for (const auto& [count, path] : m_Paths) std::filesystem::remove(path);
  }

  const std::string& Of(int count) {
    std::string& path = m_Paths[count];
    if (path.empty()) path = Written(count);
    return path;
  }

 private:
  static std::string Written(int count) {
    const std::string path = TemporaryPath("short_moves_" + std::to_string(count) + ".nc");
    std::FILE* file = std::fopen(path.c_str(), "w");
    std::fputs("G21 G90 G17\nG0 X50. Y0.\nG1 Z-1. F1200.\n", file);
    for (int i = 1; i <= count; ++i) {
      const double angle = i * 0.001;
      const double radius = 50.0 + 5.0 * std::sin(7.0 * angle);
      std::fprintf(file, "G1 X%.3f Y%.3f\n", radius * std::cos(angle), radius * std::sin(angle));
    }
    std::fclose(file);
    return path;
  }

  std::map<int, std::string> m_Paths;
};

const std::string& ShortMovesFile(int count) {
  static ShortMovesFiles files;
  return files.Of(count);
}

// The baseline: fgets and strtod, the increments kept, then written as the motion's arrays are.
void PlainGcodeImport(benchmark::State& state) {
  const std::string& source = ShortMovesFile(static_cast<int>(state.range(0)));
  const std::string output = TemporaryPath("plain.motion");
  for (auto _ : state) {
    std::FILE* in = std::fopen(source.c_str(), "r");
    std::vector<double> dx, dy;
    double x = 0.0, y = 0.0;
    char line[256];
    while (std::fgets(line, sizeof line, in)) {
      const char* xWord = std::strchr(line, 'X');
      const char* yWord = std::strchr(line, 'Y');
      if (xWord == nullptr || yWord == nullptr) continue;
      const double nextX = std::strtod(xWord + 1, nullptr);
      const double nextY = std::strtod(yWord + 1, nullptr);
      dx.push_back(nextX - x);
      dy.push_back(nextY - y);
      x = nextX;
      y = nextY;
    }
    std::fclose(in);
    std::FILE* out = std::fopen(output.c_str(), "w");
    std::fputs("SegmentType[]=", out);
    for (size_t i = 0; i < dx.size(); ++i) std::fputs(i == 0 ? "0" : ", 0", out);
    for (const auto& [key, values] : {std::pair{"\nX_TPOS[mm]=", &dx}, std::pair{"\nY_TPOS[mm]=", &dy}}) {
      std::fputs(key, out);
      for (size_t i = 0; i < values->size(); ++i) std::fprintf(out, i == 0 ? "%.10g" : ", %.10g", (*values)[i]);
    }
    std::fputs("\n", out);
    std::fclose(out);
  }
  std::filesystem::remove(output);
}
BENCHMARK(PlainGcodeImport)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The import as a user runs it, the motion on standard output: CPU time and peak memory.
void MotionHostImportGcode(benchmark::State& state) {
  const std::string& source = ShortMovesFile(static_cast<int>(state.range(0)));
  const std::string output = TemporaryPath("imported.motion");
  ProcessCost cost;
  for (auto _ : state) cost = MeasureProcess({MOTION_HOST_PATH, "import-gcode", source}, output);
  if (cost.peakKiB < 0) return state.SkipWithError("motion-host import-gcode failed under /usr/bin/time");
  state.counters["cpu_s"] = cost.cpuSeconds;
  state.counters["peak_MiB"] = static_cast<double>(cost.peakKiB) / 1024.0;
  state.counters["gcode_MiB"] = static_cast<double>(std::filesystem::file_size(source)) / (1024.0 * 1024.0);
  std::filesystem::remove(output);
}
BENCHMARK(MotionHostImportGcode)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
