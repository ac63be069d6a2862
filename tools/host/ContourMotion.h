#pragma once

#include "framework/CString.h"
#include "geometry/core/Contour.h"

class HostSession;
class ImportMessages;

struct ContourMotionOptions {
  double acceleration = 0.0;  // m/s^2, on the first segment; 0 keeps the one in force
  bool segments = false;      // the editor's import lines instead of a motion file
  double fitTolerance = 0.0;  // mm: runs of lines fitted with arcs within it (geometry/ContourFitting.h); 0: as they are
};

// A motion's text, or the exit code of its refusal.
struct MotionText {
  int status;
  CString text;
};

// A contour as a new motion of the session's setup: its slave axes, options and units are those
// of `motion-host new`, its segments the contour's, rounded as the motion keeps them. The motion
// is checked as the module checks it (its validation, then its translation on the setup) before
// its text is given. Faults are told with the source's line.
MotionText ContourToMotion(HostSession& session, const geometry::Contour& contour, const ContourMotionOptions& options,
                           const ImportMessages& messages);
