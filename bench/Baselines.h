#pragma once

#include <string>
#include <vector>

#include "framework/CString.h"

class CInternalData;

// The least work reading and program generation can do, measured beside them: the same numbers
// parsed with strtod, the same lines printed with snprintf.

// One segment's numbers as plain doubles: as shown in the user's units, and as the controller's
// literals in internal units.
struct PlainSegment {
  bool circular = false;
  double acc = 0.0, accLiteral = 0.0;
  double speed = 0.0, speedLiteral = 0.0;
  // X and Y increments of a linear segment; radius, initial angle and angle increment of a
  // circular one.
  double shown[3] = {};
  double literal[3] = {};
};

struct PlainProgram {
  unsigned long resRatioX = 0, resRatioY = 0;
  long tangentUnitsPerRev = 0;
  std::vector<PlainSegment> segments;
};

// The numbers of a record read from a motion with a tangent axis, started at once.
PlainProgram PlainProgramOf(CInternalData& record);
// The program of such a record, printed with snprintf into one growing buffer.
std::string PrintWithSnprintf(const PlainProgram& program);
// The sum of every number after an entry's "=" in the text, each read with strtod.
double SumWithStrtod(const CString& text);
