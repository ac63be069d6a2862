#pragma once

#include <string>
#include <vector>

// What a program cost when run as a process: its peak resident memory in KiB (the maximum
// resident set size /usr/bin/time -v reports), -1 when it could not run or did not exit with 0,
// and its CPU time, user and system, in seconds.
struct ProcessCost {
  long peakKiB = -1;
  double cpuSeconds = 0.0;
};

// Runs a program under /usr/bin/time with its standard output sent to a file. The program is
// started from that small process, never from the caller, whose own memory would count for a
// child it starts itself.
ProcessCost MeasureProcess(const std::vector<std::string>& command, const std::string& outputPath);

inline long PeakMemoryKiB(const std::vector<std::string>& command, const std::string& outputPath) {
  return MeasureProcess(command, outputPath).peakKiB;
}
