#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "geometry/gcode/GcodeCodes.h"
#include "geometry/gcode/GcodePosition.h"
#include "geometry/gcode/GcodeWords.h"

// What one line of a G-code program asks for, before it is carried out. Used by the G-code reader.
namespace geometry {

struct GcodeState;

// A word whose use depends on the line: P turns of an arc or a dwell, L and K repeats of a
// cycle, Q a cycle's peck. Where nothing uses it, it is skipped with a note.
struct GcodeParameter {
  std::optional<GcodeWord> word;
  bool used = false;

  std::optional<double> Use() {
    used = true;
    return word ? std::optional<double>(word->value) : std::nullopt;
  }
};

// A word that sets a mode (units, distance, coordinate system, a mode the reader cannot follow).
// Modal words take effect before anything on their line moves, whatever their place in it.
struct ModalWord {
  const GcodeCode* code;
  std::string_view text;
};

struct GcodeBlock {
  const GcodeCode* motion = nullptr;  // a motion mode or G80 the line sets
  const GcodeCode* nonModal = nullptr;
  std::string_view nonModalText;
  std::string_view machineText;       // G53
  std::vector<ModalWord> modalWords;  // in the order written
  std::array<std::optional<GcodeWord>, kAxisCount> axes;
  std::optional<GcodeWord> i, j, r, f;
  GcodeParameter d;                          // the tool's radius register, which G41 and G42 read
  std::array<GcodeParameter, 4> parameters;  // P, Q, L, K
  bool ends = false;

  bool HasMotionWords() const { return axes[kAxisX] || axes[kAxisY] || axes[kAxisZ] || i || j || r; }
  GcodeParameter& P() { return parameters[0]; }
  GcodeParameter& Q() { return parameters[1]; }
  GcodeParameter& L() { return parameters[2]; }
  GcodeParameter& K() { return parameters[3]; }
};

// The line's words into a block. Throws a Fault for a word the line cannot hold (a second X, a
// second motion word, a plane other than XY, a word whose effect cannot be read); notes in
// `state` each word skipped, and an unknown one, which `strict` refuses instead.
GcodeBlock ReadBlock(const std::vector<GcodeWord>& words, bool strict, GcodeState& state);

// A note for each parameter of the block that no step used.
void NoteUnusedParameters(const GcodeBlock& block, GcodeState& state);

}  // namespace geometry
