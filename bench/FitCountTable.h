#pragma once

#include <cstdio>
#include <map>
#include <string>

// The arc fitting's shapes (tests/geometry/FitShapes.h) are written with these decimals, and the
// FitTestShape benchmark names their tolerances in micrometres.
inline constexpr int kFitDecimals[] = {3, 4};
inline int Micrometres(double millimetres) { return static_cast<int>(millimetres * 1000.0 + 0.5); }

// For each shape the FitTestShape benchmark ran: its chords, and the segments of the fitted path
// beside those of the greedy baseline, one column pair per tolerance. Nothing without any.
void PrintFitCountTable(const std::map<std::string, double>& figures, std::FILE* out);
