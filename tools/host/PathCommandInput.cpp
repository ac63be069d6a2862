#include "tools/host/PathCommandInput.h"

#include "geometry/core/SegmentGeometry.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/TextIO.h"

Result<std::unique_ptr<MotionPath>, ExitCode> LoadMotionPath(HostSession& session, const std::string& source) {
  CString text;
  if (!ReadInput(source, text)) return kExitUsage;
  auto path = std::make_unique<MotionPath>();
  CString messages;
  if (!path->Read(session.Controller(), session.Motion(), text, messages)) {
    ReportModuleMessages(messages);
    return kExitRefused;
  }
  return path;
}

double PathOptions::CornerThreshold() const { return geometry::Radians(cornerDegrees); }

void AddPathOptions(CLI::App& command, PathOptions& options) {
  AddNumberOption(command, "--corner-angle", options.cornerDegrees, 0.0, 180.0, "DEG",
                  "a joint that turns by more than DEG degrees is a corner where the path stops");
  AddOperand(command, options.motionFile, "MOTION_FILE", "motion file", "the motion file, or - for standard input");
}
