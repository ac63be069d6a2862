#pragma once

#include "common/Result.h"
#include "framework/CString.h"
#include "geometry/core/Contour.h"
#include "tools/host/Commands.h"

class HostSession;
class ImportMessages;

struct ContourMotionOptions {
  double acceleration = 0.0;  // m/s^2, on the first segment; 0 keeps the one in force
  double speed = 0.0;         // mm/min, on the first segment where the contour gives it none; 0 keeps the one in force
  bool segments = false;      // the editor's import lines instead of a motion file
  double fitTolerance =
      0.0;  // mm: runs of lines fitted with arcs within it (geometry/ContourFitting.h); 0: as they are
};

// A contour as a new motion of the session's setup: its slave axes, options and units are those
// of `motion-host new`, its segments the contour's, rounded as the motion keeps them. The motion
// is checked as the module checks it (its validation, then its text read back and validated as
// the module does before it translates a motion) before its text is given; else the exit code,
// faults told with the source's line. The contour is let go as soon as the motion holds its
// segments, so that a long one is not held beside its motion and text.
Result<CString, ExitCode> ContourToMotion(HostSession& session, geometry::Contour contour,
                                          const ContourMotionOptions& options, const ImportMessages& messages);
