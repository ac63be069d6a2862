#pragma once

#include <string>
#include <vector>

// Runs a program under /usr/bin/time with its standard output sent to a file, and gives its peak
// resident memory in KiB, the figure /usr/bin/time -v reports as the maximum resident set size;
// -1 when it could not run or did not exit with 0. The program is started from that small
// process, never from the caller, whose own memory would count for a child it starts itself.
long PeakMemoryKiB(const std::vector<std::string>& command, const std::string& outputPath);
