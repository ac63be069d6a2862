#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "bench/Baselines.h"
#include "bench/PeakMemory.h"
#include "bench/MixedMotion.h"
#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "motion/CInternalData.h"
#include "plugin/ModuleExports.h"
#include "tests/plugin/LoadedModule.h"

// Reading, program generation and translation of the mixed motion of 1k, 10k and 100k segments,
// each beside its baseline; the table after the run compares them (see bench/README.md).

namespace {

void PathSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

struct DemoRecord {
  std::unique_ptr<CMC_Project> project = CMC_Project::CreateDemo();
  CMC_Motion motion{project->GetController()};
};

// The mixed motion of state.range(0) segments, read into a record on the demo.
struct ReadRecord : DemoRecord {
  explicit ReadRecord(benchmark::State& state) : text(MixedMotionText(static_cast<int>(state.range(0)))) {
    CString errors;
    if (!record.ReadData(text, errors)) state.SkipWithError(errors.GetString());
  }
  CString text;
  CInternalData record{project->GetController(), motion};
};

void ReadData(benchmark::State& state) {
  DemoRecord demo;
  CString text = MixedMotionText(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    CInternalData record(demo.project->GetController(), demo.motion);
    CString errors;
    if (!record.ReadData(text, errors)) state.SkipWithError(errors.GetString());
  }
}
BENCHMARK(ReadData)->Apply(PathSizes);

void ParseWithStrtod(benchmark::State& state) {
  const CString text = MixedMotionText(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(SumWithStrtod(text));
}
BENCHMARK(ParseWithStrtod)->Apply(PathSizes);

void GenerateCode(benchmark::State& state) {
  ReadRecord read(state);
  for (auto _ : state) benchmark::DoNotOptimize(read.record.GenerateCode());
}
BENCHMARK(GenerateCode)->Apply(PathSizes);

// The baseline prints the very program GenerateCode does, or the comparison would be unfair.
void PrintWithSnprintf(benchmark::State& state) {
  ReadRecord read(state);
  const PlainProgram program = PlainProgramOf(read.record);
  if (PrintWithSnprintf(program) != read.record.GenerateCode().GetString())
    state.SkipWithError("the baseline prints another program");
  for (auto _ : state) benchmark::DoNotOptimize(PrintWithSnprintf(program));
}
BENCHMARK(PrintWithSnprintf)->Apply(PathSizes);

// End to end as the host calls it, through the module loaded with dlopen.
void TranslateMotionSequence(benchmark::State& state) {
  const LoadedModule module;
  const auto translate = module.Find<TranslateMotionSequenceFn>("TranslateMotionSequence");
  if (translate == nullptr) return state.SkipWithError("the module cannot be loaded");
  DemoRecord demo;
  CString text = MixedMotionText(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    CString result;
    if (!translate(demo.project->GetController(), demo.motion, text, result))
      state.SkipWithError(result.GetString());
  }
}
BENCHMARK(TranslateMotionSequence)->Apply(PathSizes);

void WriteData(benchmark::State& state) {
  ReadRecord read(state);
  for (auto _ : state) {
    CString written;
    read.record.WriteData(written);
    benchmark::DoNotOptimize(written);
  }
}
BENCHMARK(WriteData)->Apply(PathSizes);

// motion-host translate as a process: its peak memory, beside the bytes of the motion and of its
// program that pass through it.
void MotionHostPeakMemory(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path();
  const std::string motionPath = folder / ("vector_bench_" + std::to_string(getpid()) + ".motion");
  const std::string programPath = folder / ("vector_bench_" + std::to_string(getpid()) + ".program");
  const CString text = MixedMotionText(static_cast<int>(state.range(0)));
  std::ofstream(motionPath, std::ios::binary).write(text.GetString(), text.GetLength());
  long peakKiB = 0;
  for (auto _ : state) peakKiB = PeakMemoryKiB({MOTION_HOST_PATH, "translate", motionPath}, programPath);
  if (peakKiB < 0) return state.SkipWithError("motion-host translate failed under /usr/bin/time");
  const double passedThrough = static_cast<double>(text.GetLength() + std::filesystem::file_size(programPath));
  state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024.0;
  state.counters["text_MiB"] = passedThrough / (1024.0 * 1024.0);
  std::filesystem::remove(motionPath);
  std::filesystem::remove(programPath);
}
BENCHMARK(MotionHostPeakMemory)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
