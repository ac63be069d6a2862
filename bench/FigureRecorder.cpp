#include "bench/FigureRecorder.h"

#include <algorithm>
#include <iostream>

FigureRecorder::FigureRecorder() : benchmark::ConsoleReporter(OO_Tabular) {
  SetOutputStream(&std::cerr);
  SetErrorStream(&std::cerr);
}

void FigureRecorder::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
    const std::string name = run.run_name.function_name + "/" + run.run_name.args;
    Keep(name, run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit));
    for (const auto& [counter, value] : run.counters) Keep(name + ":" + counter, value.value);
  }
  ConsoleReporter::ReportRuns(runs);
}

void FigureRecorder::Keep(const std::string& name, double figure) {
  const auto [kept, added] = m_Figures.emplace(name, figure);
  if (!added) kept->second = std::min(kept->second, figure);
}
