#include "geometry/gcode/GcodeMotion.h"

#include <cmath>

namespace geometry {

namespace {

void RequireNoArcWords(const GcodeBlock& block) {
  if (block.i || block.j || block.r) FailGcode("I, J and R belong to arcs (G2, G3)");
}

}  // namespace

void GcodeMotion::Run(GcodeBlock& block) {
  const GcodeCode* motion = m_State.modal.motion;
  if (!block.machineText.empty()) return MachineMove(block);
  if (motion == nullptr) FailGcode("coordinates without G0, G1, G2 or G3 before them");
  if (motion->role == GcodeRole::Cycle) return CyclePositions(block);
  if (motion->detail == 0) return Rapid(block);
  Cut(block);
}

void GcodeMotion::MachineMove(const GcodeBlock& block) {
  const GcodeCode* motion = m_State.modal.motion;
  if (motion == nullptr || motion->role != GcodeRole::Motion || motion->detail > 1)
    FailGcode(std::string(block.machineText) + " moves with G0 or G1 only");
  RequireNoArcWords(block);
  m_Contours.End();
  ForNamedAxes(m_State, block, [&](GcodeAxis axis, double) {
    m_State.position.Lose(axis, m_State.line,
                          Quoted(block.machineText) + " moves " + kAxisNames[axis] +
                              " in machine coordinates, which the file's coordinates do not give");
  });
}

void GcodeMotion::Rapid(const GcodeBlock& block) {
  RequireNoArcWords(block);
  m_Contours.End();
  ArriveAt(m_State, block);
}

// A drilling or boring cycle: only where it positions is read; it ends at a Z the reader does not follow.
void GcodeMotion::CyclePositions(GcodeBlock& block) {
  RefuseOtherPlane();
  m_Contours.End();
  const double repeats = block.L().word ? *block.L().Use() : block.K().Use().value_or(1.0);
  block.P().Use();
  block.Q().Use();
  if (repeats < 1.0 || repeats != std::floor(repeats)) FailGcode("a cycle repeats a whole number of times from 1");
  const bool incremental = m_State.modal.incremental;
  for (const GcodeAxis axis : kPlaneAxes) {
    if (!block.axes[axis]) continue;
    const double written = block.axes[axis]->value * m_State.modal.scale;
    m_State.position.MoveTo(axis, incremental ? m_State.position.At(axis) + repeats * written : written, !incremental);
    LoseUnderModes(m_State, axis);
  }
  m_State.position.Lose(kAxisZ, m_State.line, "a canned cycle ends at its return level");
  const GcodeCode* cycle = m_State.modal.motion;
  m_State.notes.Add("cycle" + std::to_string(cycle->code), m_State.line, "cycle positions",
                    [&] { return std::string("a ") + cycle->meaning + ": only the positions it moves to are read"; });
}

void GcodeMotion::Cut(GcodeBlock& block) {
  const bool arc = m_State.modal.motion->detail >= 2;
  if (arc) RefuseOtherPlane();
  if (!arc) RequireNoArcWords(block);
  RefuseUnderModes(arc);
  if (block.axes[kAxisZ] && MovesInZ(block)) {
    if (!arc && Distance(TargetPoint(m_State, block), Here(m_State)) < m_Options.joinTolerance)
      return PlungeOrRetract(block);
    if (!m_Options.flatten) FailGcode("the cut moves in X/Y and Z at once (3-D work); --flatten drops its Z");
    m_State.notes.Add("flatten", m_State.line, "cuts flattened",
                      [] { return "Z dropped from a cut in X/Y (--flatten)"; });
    m_State.position.MoveTo(kAxisZ, Target(m_State, block, kAxisZ), !m_State.modal.incremental);
  }
  if (!arc && !block.axes[kAxisX] && !block.axes[kAxisY]) return;  // a Z at the depth the tool is at
  RequireKnownStart(block, kAxisX);
  RequireKnownStart(block, kAxisY);
  const Point from = Here(m_State);
  const Point to = TargetPoint(m_State, block);
  const std::optional<ContourSegment> move = arc ? m_Arcs.Cut(block, from, to, m_State) : LineMove(from, to);
  if (!move)
    m_State.notes.Add("joined", m_State.line, "such cuts",
                      [] { return std::string("a cut shorter than the join tolerance joined"); });
  m_Contours.Advance(move, from, to, m_State);
  const bool absolute = !m_State.modal.incremental;
  m_State.position.MoveTo(kAxisX, to.x, absolute && block.axes[kAxisX]);
  m_State.position.MoveTo(kAxisY, to.y, absolute && block.axes[kAxisY]);
}

bool GcodeMotion::MovesInZ(const GcodeBlock& block) const {
  return m_State.position.Unknown(kAxisZ) ||
         std::abs(Target(m_State, block, kAxisZ) - m_State.position.At(kAxisZ)) >= m_Options.joinTolerance;
}

// A cut in Z alone ends the contour, like a rapid.
void GcodeMotion::PlungeOrRetract(const GcodeBlock& block) {
  m_Contours.End();
  ArriveAt(m_State, block);
}

void GcodeMotion::RefuseUnderModes(bool arc) const {
  for (size_t mode = 0; mode < m_State.modal.unfollowed.size(); ++mode) {
    const std::optional<UnfollowedMode>& active = m_State.modal.unfollowed[mode];
    if (!active || (static_cast<GcodeMode>(mode) == GcodeMode::ArcCentres && !arc)) continue;
    throw Fault{active->line, active->word + " (" + active->meaning + ") cannot be read" + CutsHere(active->line)};
  }
}

// Arcs and cycles turn about, or drill along, the axis of their plane; straight cuts run alike
// in any plane.
void GcodeMotion::RefuseOtherPlane() const {
  const std::optional<OtherPlane>& plane = m_State.modal.plane;
  if (!plane) return;
  FailGcode(std::string("a ") + m_State.modal.motion->meaning + " in the " + plane->meaning + " (" + plane->word +
            (plane->line == m_State.line ? "" : " on line " + std::to_string(plane->line)) +
            ") cannot be read: arcs and cycles are read in the XY plane (G17) only");
}

std::string GcodeMotion::CutsHere(int line) const {
  return line == m_State.line ? "" : "; line " + std::to_string(m_State.line) + " cuts with it in force";
}

// An absolute cut needs to know where it starts; an incremental one, or an axis it leaves
// alone, does not.
void GcodeMotion::RequireKnownStart(const GcodeBlock& block, GcodeAxis axis) const {
  const std::optional<UnknownPosition>& unknown = m_State.position.Unknown(axis);
  if (!block.axes[axis] || m_State.modal.incremental || !unknown) return;
  if (unknown->line == 0)
    FailGcode(std::string("the cut starts where no move before it has placed ") + kAxisNames[axis] +
              ": a G0 to the start comes first");
  throw Fault{unknown->line, unknown->why + "; line " + std::to_string(m_State.line) + " cuts from there"};
}

std::optional<ContourSegment> GcodeMotion::LineMove(Point from, Point to) const {
  if (Distance(to, from) < m_Options.joinTolerance) return std::nullopt;
  return ContourSegment::Line(from, to);
}

}  // namespace geometry
