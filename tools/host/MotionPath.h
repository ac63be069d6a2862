#pragma once

#include <string>
#include <vector>

#include "framework/CString.h"
#include "geometry/PathSegment.h"

class HostSession;

// A motion's path as the plot and the report show it, read through the motion record.
struct MotionPath {
  // The segments with the values the file writes, before any rounding: lengths in lengthUnit,
  // angles in radians.
  std::vector<geometry::PathSegment> written;
  // The same segments as the program has them: lengths in the reference drive's counts (the
  // literals of the translation), angles in radians after their rounding.
  std::vector<geometry::PathSegment> program;
  CString lengthUnit;  // the X increments' unit; Y and radii are shown in it too
  double lengthUnitInBase = 1.0;
  bool unitsKnown = false;  // the drives' kind of load is known, so speeds and times mean something
  bool tangentAxis = false;
  // Per segment, the acceleration and the speed in force (set by it or by one before it), in
  // the units below; 0 where none was set yet.
  std::vector<double> acceleration;
  std::vector<double> speed;
  CString accelerationUnit;
  CString speedUnit;
  double accelerationUnitInBase = 1.0;
  double speedUnitInBase = 1.0;
  // Each axis's own counts per count of the reference drive: 1 for the reference axis, its
  // resolution ratio as the program sends it for the other.
  double countsPerLiteral[2] = {1.0, 1.0};
};

namespace CLI {
class App;
}

// What the plot and the report are given alike: one motion file, and the corner threshold (a
// joint that turns by more is a corner where the path stops).
struct PathOptions {
  std::string motionFile;
  double cornerDegrees = 10.0;

  double CornerThreshold() const;  // radians
};

void AddPathOptions(CLI::App& command, PathOptions& options);

// Reads the motion file (standard input for "-"). Returns an exit code: kExitOk with `path`
// filled, kExitRefused after printing the module's messages, kExitUsage for a file that cannot
// be read.
int LoadMotionPath(HostSession& session, const std::string& source, MotionPath& path);
