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

long PeakMemoryKiB(const std::vector<std::string>& command, const std::string& outputPath) {
  const std::string peakPath = outputPath + ".peak";
  std::string line = "/usr/bin/time -f %M -o ";
  line += Quoted(peakPath);
  for (const std::string& word : command) line.append(" ").append(Quoted(word));
  line.append(" > ").append(Quoted(outputPath));
  const int status = std::system(line.c_str());
  long peakKiB = -1;
  std::ifstream(peakPath) >> peakKiB;
  std::filesystem::remove(peakPath);
  return status == 0 ? peakKiB : -1;
}
