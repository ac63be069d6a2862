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

// The start of the names of the FitTestShape benchmark's counters for a shape of the table.
std::string CountersOf(size_t shape, int decimals, double tolerance) {
  return "FitTestShape/" + std::to_string(shape) + "/" + std::to_string(decimals) + "/" +
         std::to_string(Micrometres(tolerance)) + ":";
}

// One table of figures of each shape at each tolerance, as `cell` writes them (`width` wide) from
// the counters whose names start with `name`.
void PrintShapeTable(const std::map<std::string, double>& figures, std::FILE* out, const char* title, int width,
                     const std::function<std::string(const std::string& name)>& cell) {
  bool header = false;
  for (int decimals : kFitDecimals) {
    const std::vector<FitShape> shapes = FitShapes(decimals);
    for (size_t shape = 0; shape < shapes.size(); ++shape) {
      std::string row;
      bool measured = false;
      for (double tolerance : kFitTolerances) {
        const std::string name = CountersOf(shape, decimals, tolerance);
        measured = measured || Find(figures, name + "fitted");
        row += cell(name);
      }
      if (!measured) continue;
      if (!header) {
        std::fprintf(out, "\n%-56s %3s %6s %*s %*s %*s\n", title, "dec", "chords", width - 1, "0.005 mm", width - 1,
                     "0.025 mm", width - 1, "0.1 mm");
        header = true;
      }
      std::fprintf(out, "%-56s %3d %6zu%s\n", shapes[shape].name.c_str(), decimals, shapes[shape].points.size() - 1,
                   row.c_str());
    }
  }
}

// Per tolerance: the segments of all shapes, fitted and greedy, and of those where the greedy weld
// keeps the rules; the shapes whose fit breaks a rule; and those where the fit takes more segments
// than a greedy weld that keeps the rules.
void PrintTotals(const std::map<std::string, double>& figures, std::FILE* out) {
  std::fprintf(out, "\n%-10s %8s %8s %16s %16s %s\n", "tolerance", "fitted", "greedy", "where greedy ok",
               "breaking rules", "more than a greedy that keeps them");
  for (double tolerance : kFitTolerances) {
    long fitted = 0;
    long greedy = 0;
    long fittedWhereGreedyKeeps = 0;
    long greedyKeeping = 0;
    std::string breaking;
    std::string more;
    for (int decimals : kFitDecimals) {
      const std::vector<FitShape> shapes = FitShapes(decimals);
      for (size_t shape = 0; shape < shapes.size(); ++shape) {
        const std::string name = CountersOf(shape, decimals, tolerance);
        const std::optional<double> count = Find(figures, name + "fitted");
        if (!count) continue;
        const double welded = Find(figures, name + "greedy").value_or(0.0);
        fitted += static_cast<long>(*count);
        greedy += static_cast<long>(welded);
        const std::string label = " " + shapes[shape].name + " (" + std::to_string(decimals) + ")";
        if (Find(figures, name + "keeps").value_or(1.0) == 0.0) breaking += label;
        if (Find(figures, name + "greedyKeeps").value_or(0.0) == 0.0) continue;
        fittedWhereGreedyKeeps += static_cast<long>(*count);
        greedyKeeping += static_cast<long>(welded);
        if (*count > welded) more += label;
      }
    }
    if (fitted == 0) continue;
    const std::string keeping = std::to_string(fittedWhereGreedyKeeps) + " / " + std::to_string(greedyKeeping);
    std::fprintf(out, "%-10.3f %8ld %8ld %16s %16s %s\n", tolerance, fitted, greedy, keeping.c_str(),
                 breaking.empty() ? "none" : breaking.c_str(), more.empty() ? "none" : more.c_str());
  }
}

}  // namespace

void PrintFitCountTable(const std::map<std::string, double>& figures, std::FILE* out) {
  PrintShapeTable(figures, out, "arc fitting: segments (fitted, greedy, its join deg, * breaks a rule)", 21,
                  [&](const std::string& name) {
                    char cell[40];
                    const bool greedyKeeps = Find(figures, name + "greedyKeeps").value_or(1.0) != 0.0;
                    std::snprintf(cell, sizeof cell, " %6s %6s%s%6s", Count(Find(figures, name + "fitted")).c_str(),
                                  Count(Find(figures, name + "greedy")).c_str(), greedyKeeps ? " " : "*",
                                  TwoDecimals(Find(figures, name + "greedyJoin")).c_str());
                    return std::string(cell);
                  });
  PrintShapeTable(
      figures, out, "fitted and rounded (um, join deg, corners, end nm, !)", 30, [&](const std::string& name) {
        char cell[48];
        const bool keeps = Find(figures, name + "keeps").value_or(1.0) != 0.0;
        const std::string corners =
            Count(Find(figures, name + "corners")) + "/" + Count(Find(figures, name + "declared"));
        std::snprintf(cell, sizeof cell, " %6s %5s %7s %6s%s", TwoDecimals(Find(figures, name + "deviation")).c_str(),
                      TwoDecimals(Find(figures, name + "join")).c_str(), corners.c_str(),
                      TwoDecimals(Find(figures, name + "endGap")).c_str(), keeps ? " " : "!");
        return std::string(cell);
      });
  PrintTotals(figures, out);
}
