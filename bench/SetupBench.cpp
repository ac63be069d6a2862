#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>
#include <string>

#include "host/CMC_Project.h"

// Loading a setup file of many axes, beside parsing its JSON alone: the least the loading can
// cost. The table compares 100k axes with the parse, and with 10k axes (see bench/README.md).

namespace {

constexpr int kDrives = 100;

void AxisCounts(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

// A controller, a hundred drives, `axes` axes spread over them, and 255 slaves.
std::string SetupText(int axes) {
  std::string text = R"({"controller": {"name": "Cell"}, "drives": [)";
  for (int drive = 0; drive < kDrives; ++drive)
    text += (drive == 0 ? "" : ", ") + std::string(R"({"name": "drive )") + std::to_string(drive) +
            R"(", "counts_per_unit": 2000, "options": {"IsClosedPosition": 1}})";
  text += R"(], "axes": [)";
  for (int axis = 0; axis < axes; ++axis)
    text += (axis == 0 ? "" : ", ") + std::string(R"({"id": )") + std::to_string(axis) + R"(, "name": "A)" +
            std::to_string(axis) + R"(", "drive": "drive )" + std::to_string(axis % kDrives) + R"("})";
  text += R"(], "slaves": [)";
  for (int slave = 0; slave < 255; ++slave) text += (slave == 0 ? "" : ", ") + std::to_string(slave * 7 % axes);
  return text + "]}";
}

void LoadSetupFile(benchmark::State& state) {
  const std::string text = SetupText(static_cast<int>(state.range(0)));
  const CString json(text.data(), static_cast<int>(text.size()));
  for (auto _ : state) {
    const auto project = CMC_Project::LoadFromJsonText(json, "bench.json");
    if (!project) state.SkipWithError(project.Failure().message.c_str());
  }
}
BENCHMARK(LoadSetupFile)->Apply(AxisCounts);

void ParseSetupJson(benchmark::State& state) {
  const std::string text = SetupText(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(nlohmann::json::parse(text));
}
BENCHMARK(ParseSetupJson)->Apply(AxisCounts);

}  // namespace
