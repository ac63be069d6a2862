#include "geometry/gcode/GcodeState.h"

namespace geometry {

const char* const kAxisNames[kAxisCount] = {"X", "Y", "Z"};

double Target(const GcodeState& state, const GcodeBlock& block, GcodeAxis axis) {
  const std::optional<GcodeWord>& written = block.axes[axis];
  if (!written) return state.position.At(axis);
  return (state.modal.incremental ? state.position.At(axis) : 0.0) + written->value * state.modal.scale;
}

Point TargetPoint(const GcodeState& state, const GcodeBlock& block) {
  return {Target(state, block, kAxisX), Target(state, block, kAxisY)};
}

Point Here(const GcodeState& state) { return {state.position.At(kAxisX), state.position.At(kAxisY)}; }

void ArriveAt(GcodeState& state, const GcodeBlock& block) {
  ForNamedAxes(state, block, [&](GcodeAxis axis, double) {
    state.position.MoveTo(axis, Target(state, block, axis), !state.modal.incremental);
    LoseUnderModes(state, axis);
  });
}

void LoseUnderModes(GcodeState& state, GcodeAxis axis) {
  for (size_t mode = 0; mode < state.modal.unfollowed.size(); ++mode) {
    const std::optional<UnfollowedMode>& active = state.modal.unfollowed[mode];
    if (active && MovesOffWrittenPoints(static_cast<GcodeMode>(mode)))
      state.position.Lose(axis, active->line,
                          active->word + " (" + active->meaning + ") moves the tool off the written points");
  }
}

}  // namespace geometry
