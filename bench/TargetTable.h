#pragma once

#include <cstdio>
#include <map>
#include <string>

// Prints each targeted figure beside its baseline, the ratio of the two, the target and whether
// it is met. Figures whose benchmarks did not run are left out; nothing is printed without any.
void PrintTargetTable(const std::map<std::string, double>& figures, std::FILE* out);
