#pragma once

#include <optional>
#include <vector>

#include "common/Result.h"
#include "geometry/core/ContourSegment.h"
#include "geometry/gcode/GcodeBlock.h"
#include "geometry/gcode/GcodeReader.h"
#include "geometry/gcode/GcodeState.h"

// The arcs of a G-code program (G2, G3): each one's segment, and the check of its written numbers
// against the precision of the whole file. Used by the G-code reader.
namespace geometry {

class GcodeArcs {
 public:
  explicit GcodeArcs(const GcodeOptions& options) : m_Options(options) {}

  // The finest digit that the line's X, Y, I, J and R are written to, in mm: the file's precision.
  void RecordPrecision(const GcodeBlock& block, double scale);

  // The arc the line cuts from `from` to `to`; none when its end is closer to its start than the
  // join tolerance and it is no full turn. Throws a Fault for an arc the line cannot give.
  std::optional<ContourSegment> Cut(GcodeBlock& block, Point from, Point to, const GcodeState& state);

  double Tolerance() const;
  // The first arc that misses by more than the tolerance.
  std::optional<Fault> FirstFault() const;

 private:
  // An arc whose written numbers disagree by more than the smallest tolerance, checked once the
  // file's precision is known.
  struct Miss {
    int line;
    double miss;    // mm
    double radius;  // mm; for an R arc: |R|
    double chord;   // mm; R arcs only
    bool byRadius;
  };

  Point CentreFromRadius(double radius, Point from, Point to, bool clockwise, int line);
  void CheckLater(const Miss& arc);
  static std::string Message(const Miss& arc, double tolerance);

  const GcodeOptions& m_Options;
  double m_FinestUnit = 0.0;  // mm; 0: no decimals written yet
  std::vector<Miss> m_Misses;
};

}  // namespace geometry
