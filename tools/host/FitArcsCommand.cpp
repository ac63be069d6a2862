#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "geometry/arcfit/ContourFitting.h"
#include "geometry/core/PathWalk.h"
#include "host/CMC_Setup.h"
#include "motion/CInternalData.h"
#include "motionpath/MotionBuilder.h"
#include "motionpath/MotionContour.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ImportMessages.h"
#include "tools/host/MotionRewrite.h"

namespace {

struct FitOptions {
  std::string source;
  std::string output;
  double tolerance = 0.0;  // mm
  double cornerDegrees = geometry::kDefaultCornerDegrees;
};

// The options in the unit of the X increments.
geometry::ArcFitOptions FitOptionsOf(const FitOptions& options, const CInternalData& record, const CMC_Setup& setup) {
  geometry::ArcFitOptions fit = FitOptionsFor(record, InLengthUnit(record, setup, options.tolerance));
  fit.cornerAngle = geometry::Radians(options.cornerDegrees);
  return fit;
}

int FitArcs(HostSession& session, const FitOptions& options) {
  const ImportMessages messages("fit-arcs", options.source,
                                [](int segment) { return "segment " + std::to_string(segment); });
  CInternalData record(session.Controller(), session.Motion());
  if (const ExitCode status = ReadLinearMotion(options.source, record, "a tolerance in mm", messages);
      status != kExitOk)
    return status;
  const SegmentDynamics dynamics = DynamicsOf(record);
  const geometry::Contour fitted =
      geometry::FitContour(ContourOf(record), FitOptionsOf(options, record, session.Controller()), dynamics.setsValues);
  if (const ExitCode status = Refill(record, fitted, dynamics, messages); status != kExitOk) return status;
  return WriteCheckedMotion(session, record, options.output);
}

}  // namespace

CommandRunner DefineFitArcs(CLI::App& command) {
  auto options = std::make_shared<FitOptions>();
  command.description(
      "Fits the motion's runs of linear segments with few lines and arcs that keep within the tolerance of them both "
      "ways and join without a kink where the path is smooth; its arcs stay, corners stay, and a segment that sets "
      "a new acceleration or speed still starts a segment with them (docs/geometry.md). The fitted motion is checked "
      "by the module before it is written.");
  AddOutputOption(command, options->output);
  AddNumberOption(command, "--tolerance", options->tolerance, 1e-4, 10.0, "TOL",
                  "how far the fitted path and the motion's path may lie from each other, in millimetres")
      ->required()
      ->default_str("");
  AddNumberOption(command, "--corner-angle", options->cornerDegrees, 0.0, 180.0, "DEG",
                  "where the path turns by more at a point, it has a corner that stays");
  AddOperand(command, options->source, "MOTION_FILE", "motion file", "the motion file, or - for standard input");
  return [options](HostSession& session) { return FitArcs(session, *options); };
}
