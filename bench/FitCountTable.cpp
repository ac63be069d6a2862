#include "bench/FitCountTable.h"

#include <functional>
#include <optional>

#include "tests/geometry/FitShapes.h"

namespace {

std::optional<double> Find(const std::map<std::string, double>& figures, const std::string& name) {
  const auto found = figures.find(name);
  return found != figures.end() ? std::optional(found->second) : std::nullopt;
}

std::string Count(std::optional<double> count) { return count ? std::to_string(static_cast<long>(*count)) : "-"; }

// A figure with two decimals (degrees, micrometres, nanometres), or "-" where not measured.
std::string TwoDecimals(std::optional<double> figure) {
  if (!figure) return "-";
  char text[16];
  std::snprintf(text, sizeof text, "%.2f", *figure);
  return text;
}

// One table of three figures of each shape at each tolerance, as `cell` writes them from the
// FitTestShape benchmark's counters (named after the benchmark, then ':').
void PrintShapeTable(const std::map<std::string, double>& figures, std::FILE* out, const char* title,
                     const std::function<std::string(const std::string& name)>& cell) {
  bool header = false;
  for (int decimals : kFitDecimals) {
    const std::vector<FitShape> shapes = FitShapes(decimals);
    for (size_t shape = 0; shape < shapes.size(); ++shape) {
      std::string row;
      bool measured = false;
      for (double tolerance : kFitTolerances) {
        const std::string name = "FitTestShape/" + std::to_string(shape) + "/" + std::to_string(decimals) + "/" +
                                 std::to_string(Micrometres(tolerance)) + ":";
        measured = measured || Find(figures, name + "fitted");
        row += cell(name);
      }
      if (!measured) continue;
      if (!header) {
        std::fprintf(out, "\n%-56s %3s %6s %20s %20s %20s\n", title, "dec", "chords", "0.005 mm", "0.025 mm", "0.1 mm");
        header = true;
      }
      std::fprintf(out, "%-56s %3d %6zu%s\n", shapes[shape].name.c_str(), decimals, shapes[shape].points.size() - 1,
                   row.c_str());
    }
  }
}

}  // namespace

void PrintFitCountTable(const std::map<std::string, double>& figures, std::FILE* out) {
  PrintShapeTable(figures, out, "arc fitting: segments (fitted, greedy, greedy's join deg)", [&](const std::string& name) {
    char cell[32];
    std::snprintf(cell, sizeof cell, " %6s %6s %6s", Count(Find(figures, name + "fitted")).c_str(),
                  Count(Find(figures, name + "greedy")).c_str(), TwoDecimals(Find(figures, name + "greedyJoin")).c_str());
    return std::string(cell);
  });
  PrintShapeTable(figures, out, "fitted paths (deviation um, smooth join deg, end nm)", [&](const std::string& name) {
    char cell[32];
    std::snprintf(cell, sizeof cell, " %6s %6s %6s", TwoDecimals(Find(figures, name + "deviation")).c_str(),
                  TwoDecimals(Find(figures, name + "join")).c_str(), TwoDecimals(Find(figures, name + "endGap")).c_str());
    return std::string(cell);
  });
}
