#pragma once

#include <memory>
#include <string>

#include "geometry/core/PathWalk.h"
#include "motionpath/MotionPath.h"

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

// A motion file read into its path, with the exit code: kExitOk, kExitRefused after printing the
// module's messages, kExitUsage when the file cannot be read (then without a path).
struct LoadedPath {
  int status;
  std::unique_ptr<MotionPath> path;
};

// Reads the motion file, or standard input for "-".
LoadedPath LoadMotionPath(HostSession& session, const std::string& source);
