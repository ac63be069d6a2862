#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/FigureRecorder.h"
#include "bench/FitCountTable.h"
#include "bench/TargetTable.h"

// Google Benchmark's usual run and flags; the report goes to standard error and the table of
// targets to standard output.
int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  FigureRecorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  PrintTargetTable(recorder.Figures(), stdout);
  PrintFitCountTable(recorder.Figures(), stdout);
  benchmark::Shutdown();
  return 0;
}
