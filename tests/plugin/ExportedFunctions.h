#pragma once

#include <set>
#include <string>

// The names of the functions a shared object defines in its dynamic symbol table: what any
// program that loads it can look up.
std::set<std::string> ExportedFunctions(const std::string& path);
