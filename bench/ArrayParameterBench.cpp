#include <benchmark/benchmark.h>

#include "host/CMC_ArrayParameter.h"
#include "host/CMC_Project.h"

namespace {

CString ValueList(int count) {
  CString text;
  for (int i = 0; i < count; ++i) text.AppendFormat(i == 0 ? "%d.5" : ", %d.5", i);
  return text;
}

// Reading and saving an array's values: what every parameter-text read and write does once per
// array, so it must stay linear in the number of segments.
void ArrayRoundTrip(benchmark::State& state) {
  auto project = CMC_Project::CreateDemo();
  CMC_Setup& drive = *project->FindSetup("X drive");
  const CString values = ValueList(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    CMC_ArrayParameter array(drive);
    array.InitializeMotionParam(VT_INT32, "X_TPOS", "mm", values, IU_OF_SETUP, IU_OF_SETUP);
    benchmark::DoNotOptimize(array.SaveData());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(ArrayRoundTrip)->RangeMultiplier(8)->Range(8, 32768)->Complexity();

}  // namespace
