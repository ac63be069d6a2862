#pragma once

#include <array>

#include "framework/CString.h"
#include "motion/SegmentKind.h"

class CInternalData;

// The editor's import lines: one segment a line, "L dx dy [acc [spd]]" or "C r a0 da [acc [spd]]",
// each number in the unit its column shows in the editor.

// The record's segments as import lines; the acceleration and speed are written where either is
// set.
CString ImportLinesOf(const CInternalData& record);

// One import line as read: its kind, and its numbers with those it leaves out as 0.
struct ImportLine {
  enum class Fault { None, LinearCount, CircularCount, Kind };
  Fault fault = Fault::None;
  SegmentKind kind = SegmentKind::Linear;  // also for a line of the wrong count
  std::array<double, 3> geometry{};       // X and Y, or radius, initial angle and angle increment
  double acceleration = 0.0;
  double speed = 0.0;
};

// Reads one line, without its line feed. A decimal comma is read as a point only when the caller
// has made it one.
ImportLine ReadImportLine(const char* line);
