#include "bench/PeakMemory.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

std::string Quoted(const std::string& word) {
  std::string quoted(1, '\'');
  for (char c : word) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  quoted += '\'';
  return quoted;
}

}  // namespace

ProcessCost MeasureProcess(const std::vector<std::string>& command, const std::string& outputPath) {
  const std::string costPath = outputPath + ".cost";
  std::string line = "/usr/bin/time -f '%M %U %S' -o ";
  line += Quoted(costPath);
  for (const std::string& word : command) line.append(" ").append(Quoted(word));
  line.append(" > ").append(Quoted(outputPath));
  const int status = std::system(line.c_str());
  ProcessCost cost;
  double user = 0.0;
  double system = 0.0;
  std::ifstream(costPath) >> cost.peakKiB >> user >> system;
  std::filesystem::remove(costPath);
  cost.cpuSeconds = user + system;
  if (status != 0) cost.peakKiB = -1;
  return cost;
}
