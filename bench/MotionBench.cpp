#include <benchmark/benchmark.h>

#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "motion/CInternalData.h"

namespace {

// A path of `count` segments alternating lines and quarter circles, on the demo's X and Y.
CString MotionText(int count) {
  CString types, acc, speed, x, y, radius, init, increment;
  for (int i = 0; i < count; ++i) {
    const char* separator = i == 0 ? "" : ", ";
    types.AppendFormat("%s%d", separator, i % 2);
    acc.AppendFormat("%s%d", separator, i % 3);
    speed.AppendFormat("%s0.%d", separator, 1 + i % 9);
    if (i % 2 == 0) {
      const char* listSeparator = i == 0 ? "" : ", ";
      x.AppendFormat("%s%d.5", listSeparator, i % 50);
      y.AppendFormat("%s-%d", listSeparator, 1 + i % 7);
    } else {
      const char* listSeparator = i == 1 ? "" : ", ";
      radius.AppendFormat("%s%d", listSeparator, 5 + i % 20);
      init.AppendFormat("%s%d", listSeparator, i % 360);
      increment.AppendFormat("%s90", listSeparator);
    }
  }
  CString text;
  text.Format(
      "ConfigureMode=1\nClearBuffer=1\nInsertEndSegment=1\nSlaveX=0\nSlaveY=1\nSlaveTangent=2\n"
      "SegmentType[]=%s\nCACC[m/s^2]=%s\nCSPD[m/s]=%s\nX_TPOS[mm]=%s\nY_TPOS[mm]=%s\nRadius[mm]=%s\n"
      "InitAngle[deg]=%s\nAngleIncrement[deg]=%s\nExecute=0\nWaitForCompletion=1\n",
      types.GetString(), acc.GetString(), speed.GetString(), x.GetString(), y.GetString(), radius.GetString(),
      init.GetString(), increment.GetString());
  return text;
}

struct DemoRecord {
  std::unique_ptr<CMC_Project> project = CMC_Project::CreateDemo();
  CMC_Motion motion{project->GetController()};
};

// A record of `segments` segments read on the demo, for the operations that follow reading.
struct ReadRecord : DemoRecord {
  explicit ReadRecord(benchmark::State& state) {
    CString text = MotionText(static_cast<int>(state.range(0)));
    CString errors;
    if (!record.ReadData(text, errors)) state.SkipWithError(errors.GetString());
    state.SetComplexityN(state.range(0));
  }
  CInternalData record{project->GetController(), motion};
};

void ReadMotion(benchmark::State& state) {
  DemoRecord demo;
  CString text = MotionText(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    CInternalData record(demo.project->GetController(), demo.motion);
    CString errors;
    if (!record.ReadData(text, errors)) state.SkipWithError(errors.GetString());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(ReadMotion)->RangeMultiplier(8)->Range(8, 8192)->Complexity(benchmark::oN);

void GenerateProgram(benchmark::State& state) {
  ReadRecord read(state);
  for (auto _ : state) benchmark::DoNotOptimize(read.record.GenerateCode());
}
BENCHMARK(GenerateProgram)->RangeMultiplier(8)->Range(8, 8192)->Complexity(benchmark::oN);

void WriteMotion(benchmark::State& state) {
  ReadRecord read(state);
  for (auto _ : state) {
    CString written;
    read.record.WriteData(written);
    benchmark::DoNotOptimize(written);
  }
}
BENCHMARK(WriteMotion)->RangeMultiplier(8)->Range(8, 8192)->Complexity(benchmark::oN);

}  // namespace
