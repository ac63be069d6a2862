#pragma once

#include "geometry/gcode/GcodeArcs.h"
#include "geometry/gcode/GcodeBlock.h"
#include "geometry/gcode/GcodeContours.h"
#include "geometry/gcode/GcodeReader.h"
#include "geometry/gcode/GcodeState.h"

// A line's axis words run as the motion mode in force: a rapid, a cut (G1 to G3), the positions
// of a canned cycle, or with G53 a move in machine coordinates. Used by the G-code reader.
namespace geometry {

class GcodeMotion {
 public:
  GcodeMotion(const GcodeOptions& options, GcodeState& state, GcodeContours& contours, GcodeArcs& arcs)
      : m_Options(options), m_State(state), m_Contours(contours), m_Arcs(arcs) {}

  void Run(GcodeBlock& block);

 private:
  void MachineMove(const GcodeBlock& block);
  void Rapid(const GcodeBlock& block);
  void CyclePositions(GcodeBlock& block);
  void Cut(GcodeBlock& block);
  bool MovesInZ(const GcodeBlock& block) const;
  void PlungeOrRetract(const GcodeBlock& block);
  void RefuseUnderModes(bool arc) const;
  void RefuseOtherPlane() const;
  std::string CutsHere(int line) const;
  void RequireKnownStart(const GcodeBlock& block, GcodeAxis axis) const;
  std::optional<ContourSegment> LineMove(Point from, Point to) const;

  const GcodeOptions& m_Options;
  GcodeState& m_State;
  GcodeContours& m_Contours;
  GcodeArcs& m_Arcs;
};

}  // namespace geometry
