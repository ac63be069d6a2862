#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The console report, on standard error, while keeping every figure for the target table:
// "Name/args" holds the CPU time of one iteration in seconds, "Name/args:counter" a counter.
// Of repeated runs the least figure is kept, the one other work on the machine disturbed least.
class FigureRecorder : public benchmark::ConsoleReporter {
 public:
  FigureRecorder();
  void ReportRuns(const std::vector<Run>& runs) override;
  const std::map<std::string, double>& Figures() const { return m_Figures; }

 private:
  void Keep(const std::string& name, double figure);

  std::map<std::string, double> m_Figures;
};
