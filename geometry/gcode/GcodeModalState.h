#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "geometry/gcode/GcodeCodes.h"

// The modes of a G-code program, as they hold from line to line until a word of the same group
// changes them. Used by the G-code reader.
namespace geometry {

// A mode the reader cannot follow, in force since the word that turned it on.
struct UnfollowedMode {
  int line = 0;
  std::string word;  // as written, for messages
  const char* meaning = "";
};

// The plane of arcs and canned cycles other than XY, and the word that chose it.
struct OtherPlane {
  int line = 0;
  std::string word;  // as written
  const char* meaning = "";
};

// Cutter compensation applied with a known radius: the tool's centre this far to the left of
// the written path (negative: to the right), since the G41 or G42 of `line`.
struct AppliedCompensation {
  double left = 0.0;
  int line = 0;
};

// A program starts in millimetres, absolute, in the XY plane, with no motion mode, no coordinate
// system chosen, no offset, no feed and nothing the reader cannot follow.
struct GcodeModalState {
  double scale = 1.0;                   // mm per written unit: 25.4 after G20, 1 after G21
  bool incremental = false;             // G91; G90 absolute
  const GcodeCode* motion = nullptr;    // G0 to G3 or a canned cycle; none before the first and after G80
  std::optional<OtherPlane> plane;      // G18 or G19; none: G17, the XY plane
  std::string system;                   // the work coordinate system last chosen ("G55", "G54.1 P2"); empty: none
  const GcodeCode* offsetBy = nullptr;  // G52 or G92, whichever set the offset in force; none: no offset
  double feed = 0.0;                    // mm/min in force; 0: none
  bool newFeed = false;                 // an F came after the last cut: the next cut starts with it
  std::optional<AppliedCompensation> compensation;
  std::array<std::optional<UnfollowedMode>, static_cast<size_t>(GcodeMode::Count)> unfollowed;

  bool InForce(GcodeMode mode) const { return unfollowed[static_cast<size_t>(mode)].has_value(); }
};

}  // namespace geometry
