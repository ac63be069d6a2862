#include "geometry/SegmentGeometry.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/MotionPath.h"
#include "tools/host/TextIO.h"

int MotionPath::Load(HostSession& session, const std::string& source) {
  CString text;
  if (!ReadInput(source, text)) return kExitUsage;
  CString messages;
  if (!Read(session.Controller(), session.Motion(), text, messages)) {
    ReportModuleMessages(messages);
    return kExitRefused;
  }
  return kExitOk;
}

double PathOptions::CornerThreshold() const { return geometry::Radians(cornerDegrees); }

void AddPathOptions(CLI::App& command, PathOptions& options) {
  AddNumberOption(command, "--corner-angle", options.cornerDegrees, 0.0, 180.0, "DEG",
                  "a joint that turns by more than DEG degrees is a corner where the path stops");
  AddOperand(command, options.motionFile, "MOTION_FILE", "motion file", "the motion file, or - for standard input");
}
