#pragma once

#include "geometry/core/NoteTally.h"
#include "geometry/core/Vector2.h"
#include "geometry/gcode/GcodeBlock.h"
#include "geometry/gcode/GcodeModalState.h"
#include "geometry/gcode/GcodePosition.h"

// What the G-code reader carries from one line to the next, and the moves every step makes with
// it. Used by the G-code reader.
namespace geometry {

struct GcodeState {
  int line = 0;  // the line being read, 1 for the first
  GcodeModalState modal;
  GcodePosition position;
  NoteTally notes;
};

// Where the line sends an axis, in program coordinates (mm): where it stands when the line names
// it not.
double Target(const GcodeState& state, const GcodeBlock& block, GcodeAxis axis);
Point TargetPoint(const GcodeState& state, const GcodeBlock& block);
Point Here(const GcodeState& state);

// A move that is no cut: each axis the line names goes where it says.
void ArriveAt(GcodeState& state, const GcodeBlock& block);

// Under a mode that moves the tool off the written points, the axis stands where the file does
// not say.
void LoseUnderModes(GcodeState& state, GcodeAxis axis);

constexpr GcodeAxis kPlaneAxes[] = {kAxisX, kAxisY};
constexpr GcodeAxis kAllAxes[] = {kAxisX, kAxisY, kAxisZ};
extern const char* const kAxisNames[kAxisCount];

// Each axis the line names, with its written value in mm.
template <typename Action>
void ForNamedAxes(const GcodeState& state, const GcodeBlock& block, Action action) {
  for (const GcodeAxis axis : kAllAxes)
    if (block.axes[axis]) action(axis, block.axes[axis]->value * state.modal.scale);
}

}  // namespace geometry
