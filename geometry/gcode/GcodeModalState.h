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

// A program starts in millimetres, absolute, with no motion mode, no coordinate system chosen,
// no feed and nothing the reader cannot follow.
struct GcodeModalState {
  double scale = 1.0;                 // mm per written unit: 25.4 after G20, 1 after G21
  bool incremental = false;           // G91; G90 absolute
  const GcodeCode* motion = nullptr;  // G0 to G3 or a canned cycle; none before the first and after G80
  const GcodeCode* system = nullptr;  // the work coordinate system last chosen, G54 to G59.3
  double feed = 0.0;                  // mm/min in force; 0: none
  bool newFeed = false;               // an F came after the last cut: the next cut starts with it
  std::array<std::optional<UnfollowedMode>, static_cast<size_t>(GcodeMode::Count)> unfollowed;

  bool InForce(GcodeMode mode) const { return unfollowed[static_cast<size_t>(mode)].has_value(); }
};

}  // namespace geometry
