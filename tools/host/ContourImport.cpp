#include "tools/host/ContourImport.h"

#include <fmt/format.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/ImportMessages.h"
#include "tools/host/TextIO.h"

namespace {

std::string StartOf(const geometry::Contour& contour) {
  if (!contour.startKnown) return "not given";
  return "X " + CoordinateText(contour.start.x) + " Y " + CoordinateText(contour.start.y);
}

// A motion to write, with the file it goes to.
struct Motion {
  std::string path;
  CString text;
  geometry::Contour* contour;  // its moves go into the motion; its start stays for the messages
};

// The motions to write: with --split one per contour, else the one contour left once the choice
// is taken; or the exit code, after telling why none.
Result<std::vector<Motion>, ExitCode> Chosen(std::vector<geometry::Contour>& contours,
                                             const std::vector<ContourColumn>& columns, const ContourChoice& choice,
                                             const std::string& outputPath, const ImportMessages& messages) {
  const int count = static_cast<int>(contours.size());
  if (choice.split) {
    std::vector<Motion> motions;
    for (int number = 1; number <= count; ++number)
      motions.push_back({SplitPath(outputPath, number), {}, &contours[number - 1]});
    return motions;
  }
  if (count > 1) {
    messages.Tell(fmt::format("the contour's offset falls into {} contours; one motion runs one of them: write each "
                              "into its own file with --split, or import the contour as it is and take one with "
                              "offset --contour N\n",
                              count) +
                  ContourList(contours, columns));
    return kExitUsage;
  }
  return std::vector<Motion>{{outputPath, {}, &contours.front()}};
}

}  // namespace

int TakeChosen(std::vector<geometry::Contour>& contours, std::vector<ContourColumn>& columns,
               const ContourChoice& choice, const ImportMessages& messages) {
  const int count = static_cast<int>(contours.size());
  if (choice.split || count == 0 || (count == 1 && choice.contour <= 1)) return kExitOk;
  if (choice.contour > count) {
    messages.Tell(fmt::format("there is no contour {}: the file holds {}\n", choice.contour, count) +
                  ContourList(contours, columns));
    return kExitUsage;
  }
  if (choice.contour == 0) {
    messages.Tell(fmt::format("the file holds {} contours; one motion runs one of them: choose it with --contour N, "
                              "or write each into its own file with --split\n",
                              count) +
                  ContourList(contours, columns));
    return kExitUsage;
  }
  const size_t chosen = static_cast<size_t>(choice.contour - 1);
  contours = {std::move(contours[chosen])};
  for (ContourColumn& column : columns) column.cells = {std::move(column.cells[chosen])};
  return kExitOk;
}

int CheckChoice(const ContourChoice& choice, const std::string& outputPath, const ImportMessages& messages) {
  if (!choice.split || !outputPath.empty()) return kExitOk;
  messages.Tell("--split writes one file per contour, so it needs -o FILE");
  return kExitUsage;
}

CLI::Option* AddOutputOptions(CLI::App& command, std::string& outputPath, ContourMotionOptions& options) {
  CLI::Option* output = AddOutputOption(command, outputPath);
  command.add_flag("--segments", options.segments, "write the editor's import lines instead of a motion file");
  return output;
}

void AddFitArcsOption(CLI::App& command, ContourMotionOptions& options) {
  AddNumberOption(command, "--fit-arcs", options.fitTolerance, 1e-4, 10.0, "TOL",
                  "fit each contour's runs of lines with few lines and arcs that keep within TOL millimetres of "
                  "them both ways and join without a kink where the contour is smooth (default: as written)")
      ->default_str("");
}

std::vector<CLI::Option*> AddChoiceOptions(CLI::App& command, ContourChoice& choice, ContourMotionOptions& options) {
  AddNumberOption(command, "--acceleration", options.acceleration, 1e-6, 1000.0, "A",
                  "the acceleration in m/s^2, written on the first segment (default: the one in force)")
      ->default_str("");
  AddNumberOption(command, "--speed", options.speed, 1e-3, 1e6, "MM/MIN",
                  "the speed along the path in mm/min, written on the first segment where the file gives it none "
                  "(default: the one in force)")
      ->default_str("");
  CLI::Option* split =
      command.add_flag("--split", choice.split, "write each contour into its own file, FILE-1.EXT, FILE-2.EXT, ...");
  CLI::Option* contour = AddWholeNumberOption(command, "--contour", choice.contour, 1, INT_MAX, "N",
                                              "take the contour numbered N of several")
                             ->default_str("")
                             ->excludes(split);
  return {split, contour};
}

std::string CoordinateText(double mm) { return fmt::format("{:.4f}", std::round(mm * 1e4) / 1e4 + 0.0); }

std::string ContourList(const std::vector<geometry::Contour>& contours, const std::vector<ContourColumn>& columns) {
  std::vector<size_t> widths;
  for (const ContourColumn& column : columns) {
    size_t width = DisplayWidth(column.heading);
    for (const std::string& cell : column.cells) width = std::max(width, DisplayWidth(cell));
    widths.push_back(width);
  }
  const auto cells = [&](const auto& cellOf) {
    std::string text;
    for (size_t c = 0; c < columns.size(); ++c) {
      const std::string cell = cellOf(columns[c]);
      const std::string fill(widths[c] - DisplayWidth(cell), ' ');
      text += (columns[c].alignLeft ? cell + fill : fill + cell) + "  ";
    }
    return text;
  };
  std::string list = "  contour  " + cells([](const ContourColumn& column) { return column.heading; }) +
                     "start (mm)                          segments  length (mm)\n";
  for (size_t i = 0; i < contours.size(); ++i)
    list += fmt::format("  {:>7}  ", i + 1) + cells([i](const ContourColumn& column) { return column.cells[i]; }) +
            fmt::format("{:<34}  {:>8}  {:>11.4f}\n", StartOf(contours[i]), contours[i].moves.size(),
                        geometry::ContourLength(contours[i]));
  return list.substr(0, list.size() - 1);
}

// libfmt pads by the width a text takes: padding a text to its own length in bytes, never less
// than its width, adds what the bytes take beyond it.
size_t DisplayWidth(const std::string& text) {
  return 2 * text.size() - fmt::format("{:<{}}", text, text.size()).size();
}

std::string SplitPath(const std::string& path, int number) {
  const std::filesystem::path file(path);
  std::filesystem::path split = file;
  split.replace_filename(file.stem().string() + "-" + std::to_string(number) + file.extension().string());
  return split.string();
}

int WriteContours(HostSession& session, std::vector<geometry::Contour> contours,
                  const std::vector<ContourColumn>& columns, const ContourChoice& choice,
                  const ContourMotionOptions& options, const std::string& outputPath, const ImportMessages& messages) {
  if (contours.empty()) {
    messages.Tell("no contour: the file has no cut in X and Y");
    return kExitUsage;
  }
  Result<std::vector<Motion>, ExitCode> chosen = Chosen(contours, columns, choice, outputPath, messages);
  if (!chosen) return chosen.Failure();
  std::vector<Motion>& motions = chosen.Value();
  for (size_t i = 0; i < motions.size(); ++i) {
    Result<CString, ExitCode> made = ContourToMotion(session, std::move(*motions[i].contour), options, messages);
    if (made) {
      motions[i].text = std::move(made).Value();
      continue;
    }
    if (choice.split) messages.Tell(fmt::format("contour {} cannot become a motion; no file was written", i + 1));
    return made.Failure();
  }
  for (const Motion& motion : motions) {
    if (!WriteOutput(motion.path, motion.text)) return kExitUsage;
    if (!motion.path.empty()) fmt::print("{}: starts at {}\n", motion.path, StartOf(*motion.contour));
  }
  return kExitOk;
}
