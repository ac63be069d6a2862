#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "geometry/offset/ContourOffset.h"
#include "motion/CInternalData.h"
#include "motionpath/MotionContour.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/ContourImport.h"
#include "tools/host/ContourOffsetting.h"
#include "tools/host/HostSession.h"
#include "tools/host/ImportMessages.h"
#include "tools/host/MotionRewrite.h"

namespace {

struct OffsetCommandOptions {
  std::string source;
  std::string output;
  OffsetRequest request;
  int contour = 0;  // 1 for the first of several offsets; 0: there must be one
};

// The request in the unit of the motion's X increments, its notes naming segments as `messages` do.
geometry::OffsetOptions InMotionUnit(const OffsetRequest& request, const CInternalData& record, const CMC_Setup& setup,
                                     const ImportMessages& messages) {
  geometry::OffsetOptions options = request.offset;
  options.placeOf = [&messages](int segment) { return messages.PlaceOfMove(segment); };
  options.distance = InLengthUnit(record, setup, options.distance);
  options.closingGap *= InLengthUnit(record, setup, 1.0);
  return options;
}

// The offset the options choose; or the exit code, after telling why none.
Result<geometry::Contour, ExitCode> Chosen(std::vector<geometry::Contour> offsets, int choice,
                                           const ImportMessages& messages) {
  const int count = static_cast<int>(offsets.size());
  if (choice > count) {
    messages.Tell(fmt::format("there is no offset contour {}: the offset gives {}\n", choice, count) +
                  ContourList(offsets, {}));
    return kExitUsage;
  }
  if (choice == 0 && count > 1) {
    messages.Tell(
        fmt::format("the offset gives {} contours; one motion runs one of them: choose it with --contour N\n", count) +
        ContourList(offsets, {}));
    return kExitUsage;
  }
  return std::move(offsets[choice == 0 ? 0 : choice - 1]);
}

int Offset(HostSession& session, const OffsetCommandOptions& options) {
  const ImportMessages messages("offset", options.source,
                                [](int segment) { return "segment " + std::to_string(segment); });
  CInternalData record(session.Controller(), session.Motion());
  if (const ExitCode status = ReadLinearMotion(options.source, record, "an offset in mm", messages); status != kExitOk)
    return status;
  const SegmentDynamics dynamics = DynamicsOf(record);
  const Result<std::vector<geometry::Contour>> offsets =
      geometry::OffsetContour(ContourOf(record), InMotionUnit(options.request, record, session.Controller(), messages));
  for (const std::string& note : offsets.Notes()) messages.Tell(note);
  if (!offsets) {
    messages.TellAtMove(offsets.Failure());
    return kExitUsage;
  }
  const Result<geometry::Contour, ExitCode> chosen = Chosen(offsets.Value(), options.contour, messages);
  if (!chosen) return chosen.Failure();
  const std::string x = CoordinateText(chosen.Value().start.x), y = CoordinateText(chosen.Value().start.y);
  messages.Tell(
      fmt::format("the offset starts at X {} Y {} from the motion's start (plot --with-source MOTION "
                  "--origin {},{} draws them together)",
                  x, y, x, y));
  if (const ExitCode status = Refill(record, chosen.Value(), dynamics, messages); status != kExitOk) return status;
  return WriteCheckedMotion(session, record, options.output);
}

}  // namespace

CommandRunner DefineOffset(CLI::App& command) {
  auto options = std::make_shared<OffsetCommandOptions>();
  command.description(
      "Offsets the motion's path sideways by a distance, for a tool's radius or half a kerf: each line becomes a "
      "parallel line and each arc a concentric arc, corners where the offset opens a gap are rounded, and what comes "
      "nearer to the path than the distance is left out (docs/geometry.md). A segment that sets a new acceleration "
      "or speed still starts a segment with them. The motion keeps only relative steps, so where its offset starts "
      "is told. The offset motion is checked by the module before it is written.");
  AddOutputOption(command, options->output);
  AddOffsetOptions(command, options->request, "--distance");
  AddWholeNumberOption(command, "--contour", options->contour, 1, INT_MAX, "N",
                       "take the offset contour numbered N where the offset falls into several")
      ->default_str("");
  AddOperand(command, options->source, "MOTION_FILE", "motion file", "the motion file, or - for standard input");
  return [options](HostSession& session) {
    if (!options->request.asked)
      return CommandFailure("offset", "the distance is missing: give --distance D, --outside D or --inside D");
    return Offset(session, *options);
  };
}
