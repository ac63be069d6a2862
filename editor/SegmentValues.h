#pragma once

#include "editor/CEditorDlg.h"

// The values of one segment as the fields or an import line give them, each in its array's
// selected unit: X and Y of a linear segment, or radius, initial and increment angle of a
// circular one, then the acceleration and speed it sets (0 keeps the one in force).
struct CEditorDlg::SegmentValues {
  double first = 0.0;
  double second = 0.0;
  double third = 0.0;
  double acceleration = 0.0;
  double speed = 0.0;
};
