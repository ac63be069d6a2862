#include "bench/FitCountTable.h"

#include <optional>

#include "tests/geometry/FitShapes.h"

namespace {

std::optional<double> Find(const std::map<std::string, double>& figures, const std::string& name) {
  const auto found = figures.find(name);
  return found != figures.end() ? std::optional(found->second) : std::nullopt;
}

std::string Count(std::optional<double> count) { return count ? std::to_string(static_cast<long>(*count)) : "-"; }

std::string Degrees(std::optional<double> degrees) {
  if (!degrees) return "-";
  char text[16];
  std::snprintf(text, sizeof text, "%.2f", *degrees);
  return text;
}

}  // namespace

void PrintFitCountTable(const std::map<std::string, double>& figures, std::FILE* out) {
  bool header = false;
  for (int decimals : kFitDecimals) {
    const std::vector<FitShape> shapes = FitShapes(decimals);
    for (size_t shape = 0; shape < shapes.size(); ++shape) {
      std::string row;
      bool measured = false;
      for (double tolerance : kFitTolerances) {
        const std::string name = "FitTestShape/" + std::to_string(shape) + "/" + std::to_string(decimals) + "/" +
                                 std::to_string(Micrometres(tolerance));
        const auto fitted = Find(figures, name + ":fitted");
        measured = measured || fitted;
        char cell[32];
        std::snprintf(cell, sizeof cell, " %6s %6s %6s", Count(fitted).c_str(), Count(Find(figures, name + ":greedy")).c_str(),
                      Degrees(Find(figures, name + ":greedyJoin")).c_str());
        row += cell;
      }
      if (!measured) continue;
      if (!header) {
        std::fprintf(out, "\n%-56s %3s %6s %20s %20s %20s\n",
                     "arc fitting: segments (fitted, greedy, greedy's join deg)", "dec", "chords", "0.005 mm", "0.025 mm",
                     "0.1 mm");
        header = true;
      }
      std::fprintf(out, "%-56s %3d %6zu%s\n", shapes[shape].name.c_str(), decimals, shapes[shape].points.size() - 1,
                   row.c_str());
    }
  }
}
