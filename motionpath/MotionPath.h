#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/CString.h"
#include "geometry/core/PathWalk.h"

class CInternalData;
class CMC_Motion;
class CMC_Setup;

// One segment of a motion as the plot and the report see it.
struct MotionSegment {
  // The values the file writes, before any rounding: lengths in the path's length unit, angles
  // in radians.
  geometry::PathSegment written;
  // As the program has it: lengths in the reference drive's counts (the literals of the
  // translation), angles in radians after their rounding.
  geometry::PathSegment program;
  // The acceleration and the speed in force (set by the segment or by one before it) in the
  // path's units; 0 where none is set yet.
  double acceleration = 0.0;
  double speed = 0.0;
  // The speed the segment sets in the reference drive's counts per sample: as written, and as the
  // program sends it; 0 where the segment keeps the speed in force.
  double writtenSpeedCounts = 0.0;
  double programSpeedCounts = 0.0;
};

// A motion's path, read through the motion record. It keeps the record and the segments' values
// as the file writes them, nothing per segment beyond: the segments are made one at a time as
// they are gone through.
class MotionPath {
 public:
  MotionPath();
  ~MotionPath();

  // Reads the motion in `text` through the record, as the module reads it. False with the
  // module's messages when the record refuses the text; the path then still holds the segments
  // as far as the record could read them (a value missing from the text reads as 0).
  bool Read(CMC_Setup& setup, CMC_Motion& motion, CString& text, CString& messages);

  size_t SegmentCount() const;
  // Calls `visit` with each segment in order.
  void ForEachSegment(const std::function<void(const MotionSegment&)>& visit) const;
  // The segments as written, for the geometry library; valid while the path lives.
  geometry::PathSource Written() const;

  CString lengthUnit;  // the X increments' unit; Y and radii are shown in it too
  double lengthUnitInBase = 1.0;
  double countsPerLengthUnit = 1.0;  // of the reference drive
  bool unitsKnown = false;  // the drives' kind of load is known, so speeds and times mean something
  bool tangentAxis = false;
  CString accelerationUnit;
  CString speedUnit;
  double accelerationUnitInBase = 1.0;
  double speedUnitInBase = 1.0;
  // Each axis's own counts per count of the reference drive: 1 for the reference axis, its
  // resolution ratio as the program sends it for the other.
  double countsPerLiteral[2] = {1.0, 1.0};

 private:
  std::unique_ptr<CInternalData> m_pRecord;
  // The arrays as written, in base units.
  std::vector<double> m_X, m_Y, m_Radius, m_InitialAngle, m_AngleIncrement, m_Speed;
};
