#include "tools/host/ToolCompensation.h"

#include <fmt/format.h>

#include <charconv>
#include <cmath>
#include <sstream>

#include "geometry/offset/ToolCompensation.h"
#include "tools/host/ImportMessages.h"

namespace {

constexpr double kLargestRadius = 1000.0;  // mm

// "D RADIUS", its parts apart by blanks and nothing after them.
Result<std::pair<int, double>> ReadToolLine(const std::string& text, int line) {
  std::istringstream words(text);
  std::string number, radius, rest;
  words >> number >> radius >> rest;
  int d = 0;
  double r = 0.0;
  const auto whole = std::from_chars(number.data(), number.data() + number.size(), d);
  const auto real = std::from_chars(radius.data(), radius.data() + radius.size(), r);
  if (whole.ptr != number.data() + number.size() || whole.ec != std::errc() || d < 0 ||
      real.ptr != radius.data() + radius.size() || real.ec != std::errc() || radius.empty() || !rest.empty())
    return Fault{line, "a tool is written as its D number and its radius in mm, as \"1 3.175\""};
  if (!(r > 0.0 && r <= kLargestRadius))
    return Fault{line, fmt::format("the radius of a tool is greater than 0 and at most {:g} mm", kLargestRadius)};
  return std::pair{d, r};
}

}  // namespace

Result<std::map<int, double>> ReadToolTable(const std::string& text) {
  std::map<int, double> radii;
  std::istringstream lines(text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    line = line.substr(0, line.find('#'));
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    const Result<std::pair<int, double>> tool = ReadToolLine(line, number);
    if (!tool) return tool.Failure();
    if (!radii.emplace(tool.Value()).second)
      return Fault{number, fmt::format("tool {} is given twice", tool.Value().first)};
  }
  if (radii.empty()) return Fault{0, "the tool table names no tool"};
  return radii;
}

bool ApplyToolCompensation(geometry::GcodeProgram& program, const ImportMessages& messages) {
  size_t next = 0;
  for (size_t c = 0; c < program.contours.size(); ++c) {
    std::vector<geometry::CompensatedStretch> stretches;
    for (; next < program.compensated.size() && program.compensated[next].contour == c; ++next) {
      const geometry::GcodeCompensation& stretch = program.compensated[next];
      stretches.push_back({stretch.first, stretch.end, stretch.left, stretch.line});
    }
    if (stretches.empty()) continue;
    Result<geometry::Contour> compensated = geometry::CompensateContour(program.contours[c], stretches);
    for (const std::string& note : compensated.Notes()) messages.Tell(note);
    if (!compensated) {
      messages.TellFault(compensated.Failure());
      return false;
    }
    program.contours[c] = std::move(compensated.Value());
  }
  return true;
}
