#include "tools/host/ContourOffsetting.h"

#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <cmath>

#include "tools/host/CommandLine.h"
#include "tools/host/ImportMessages.h"

namespace {

constexpr double kLargestOffset = 10000.0;  // mm

CLI::Option* AddSide(CLI::App& command, OffsetRequest& request, const std::string& name, geometry::OffsetSide side,
                     const std::string& help) {
  return command
      .add_option_function<double>(
          name,
          [&request, name, side](double distance) {
            if (!std::isfinite(distance) || std::abs(distance) > kLargestOffset)
              throw CLI::ValidationError(name, fmt::format("takes a distance of at most {:g} mm", kLargestOffset));
            request.offset.distance = distance;
            request.offset.side = side;
            request.asked = true;
          },
          help)
      ->type_name("D");
}

}  // namespace

void AddOffsetOptions(CLI::App& command, OffsetRequest& request, const std::string& leftName) {
  CLI::Option* left = AddSide(command, request, leftName, geometry::OffsetSide::Left,
                              "offset the path by D mm to the left of its travel (negative: to the right), its arcs "
                              "kept exact and its corners rounded (docs/geometry.md)");
  CLI::Option* outside = AddSide(command, request, "--outside", geometry::OffsetSide::Outside,
                                 "offset a closed path by D mm outside it, as a tool that cuts round a part");
  CLI::Option* inside = AddSide(command, request, "--inside", geometry::OffsetSide::Inside,
                                "offset a closed path by D mm inside it, as a tool that cuts out a hole");
  left->excludes(outside)->excludes(inside);
  outside->excludes(inside);
}

bool OffsetContours(std::vector<geometry::Contour>& contours, std::vector<ContourColumn>& columns,
                    const OffsetRequest& request, const ImportMessages& messages) {
  if (!request.asked) return true;
  geometry::OffsetOptions options = request.offset;
  options.placeOf = [&messages](int line) { return messages.PlaceOfMove(line); };
  std::vector<geometry::Contour> offsets;
  std::vector<ContourColumn> offsetColumns = columns;
  for (ContourColumn& column : offsetColumns) column.cells.clear();
  for (size_t i = 0; i < contours.size(); ++i) {
    const std::string number = contours.size() > 1 ? fmt::format("contour {}: ", i + 1) : "";
    Result<std::vector<geometry::Contour>> offset = geometry::OffsetContour(contours[i], options);
    for (const std::string& note : offset.Notes()) messages.Tell(number + note);
    if (!offset) {
      messages.TellAtMove({offset.Failure().line, number + offset.Failure().message});
      return false;
    }
    for (geometry::Contour& contour : offset.Value()) {
      offsets.push_back(std::move(contour));
      for (size_t c = 0; c < columns.size(); ++c) offsetColumns[c].cells.push_back(columns[c].cells[i]);
    }
  }
  contours = std::move(offsets);
  columns = std::move(offsetColumns);
  return true;
}
