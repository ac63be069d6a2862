#pragma once

#include <memory>
#include <string>

#include "common/Result.h"
#include "geometry/core/PathWalk.h"
#include "motionpath/MotionPath.h"
#include "tools/host/Commands.h"

namespace CLI {
class App;
}
class HostSession;

// What the plot and the report are given alike: one motion file, and the corner threshold (a
// joint that turns by more is a corner where the path stops).
struct PathOptions {
  std::string motionFile;
  double cornerDegrees = geometry::kDefaultCornerDegrees;

  double CornerThreshold() const;  // radians
};

void AddPathOptions(CLI::App& command, PathOptions& options);

// The motion file, or standard input for "-", read into its path; or the exit code: kExitRefused
// after printing the module's messages, kExitUsage when the file cannot be read.
Result<std::unique_ptr<MotionPath>, ExitCode> LoadMotionPath(HostSession& session, const std::string& source);
