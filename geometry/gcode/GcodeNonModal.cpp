#include "geometry/gcode/GcodeNonModal.h"

namespace geometry {

namespace {

std::string FrameLost(const GcodeBlock& block) {
  return Quoted(block.nonModalText) + " moves the frame by an offset the file does not give";
}

// G28 and G30 run to the written point first, then the named axes (all without one) go home.
void Home(const GcodeBlock& block, GcodeState& state, GcodeContours& contours) {
  contours.End();
  const bool named = block.axes[kAxisX] || block.axes[kAxisY] || block.axes[kAxisZ];
  ArriveAt(state, block);
  for (const GcodeAxis axis : kAllAxes)
    if (!named || block.axes[axis])
      state.position.Lose(axis, state.line,
                          Quoted(block.nonModalText) + " sends " + kAxisNames[axis] +
                              " to its home position, which the file does not give");
}

}  // namespace

void RunNonModal(GcodeBlock& block, GcodeState& state, GcodeContours& contours) {
  GcodePosition& position = state.position;
  switch (block.nonModal->role) {
    case GcodeRole::Home:
      return Home(block, state, contours);
    case GcodeRole::SetOffsets:
      block.L().Use();
      block.P().Use();
      return ForNamedAxes(state, block, [&](GcodeAxis axis, double) {
        position.Lose(axis, state.line, Quoted(block.nonModalText) + " changes the offsets the coordinates rest on");
      });
    case GcodeRole::LocalOffset:
      state.modal.offsetBy = block.nonModal;
      return ForNamedAxes(state, block, [&](GcodeAxis axis, double value) {
        position.SetOffset(axis, value, state.line, FrameLost(block));
      });
    case GcodeRole::ModeOn:
      block.P().Use();  // a scale
      return;
    case GcodeRole::Dwell:
      block.P().Use();  // its time, as X or U may give it
      return;
    case GcodeRole::Origin:
      state.modal.offsetBy = block.nonModal;
      return ForNamedAxes(state, block, [&](GcodeAxis axis, double value) { position.Name(axis, value); });
    case GcodeRole::OriginCancel:
    case GcodeRole::OriginSuspend:
      state.modal.offsetBy = nullptr;
      for (const GcodeAxis axis : kAllAxes)
        position.ClearOffset(axis, block.nonModal->role == GcodeRole::OriginSuspend, state.line, FrameLost(block));
      return;
    default:  // OriginRestore: what G92.2 kept
      state.modal.offsetBy = FindGcodeCode('G', 92);
      for (const GcodeAxis axis : kAllAxes) position.RestoreOffset(axis, state.line, FrameLost(block));
      return;
  }
}

}  // namespace geometry
