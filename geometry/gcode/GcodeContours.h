#pragma once

#include <optional>
#include <vector>

#include "geometry/core/Contour.h"
#include "geometry/gcode/GcodeReader.h"
#include "geometry/gcode/GcodeState.h"

// The contours of a G-code program as its cuts come: each cut goes into the open contour, or
// opens a new one; a rapid, a move in Z or a move the reader cannot follow ends it. Used by the
// G-code reader.
namespace geometry {

class GcodeContours {
 public:
  // `lines`: how many lines the program has, the most moves any contour of it can take.
  GcodeContours(GcodeProgram& program, int lines) : m_Program(program), m_Lines(lines) {}

  // A cut from `from` to `to` in program coordinates; none for a cut joined to the point before
  // it, which only moves the contour's end point. The contour's frame is the program's
  // coordinates where it starts: a frame change inside it moves the program's coordinates, not
  // the contour's. A full circle starts and ends where the contour ends, its centre where the
  // file puts it from its start.
  void Advance(const std::optional<ContourSegment>& cut, Point from, Point to, GcodeState& state);
  // The open contour, if any, ends here.
  void End();
  // The stretch under cutter compensation, if any, ends with the last cut; the next cut is its exit.
  void EndCompensation() { m_Compensating = false; }

 private:
  void Open(Point from, const GcodeState& state);
  void Keep(const ContourMove& move, int line);
  void Compensate(const GcodeState& state);

  GcodeProgram& m_Program;
  int m_Lines;
  bool m_Open = false;
  bool m_Compensating = false;  // the open contour's last cut was under cutter compensation
  Point m_ContourAt;            // where the open contour ends, in its own frame
};

}  // namespace geometry
