#pragma once

#include <functional>
#include <vector>

#include "common/Result.h"
#include "geometry/arcfit/ArcFitter.h"
#include "geometry/core/PathSegment.h"
#include "geometry/core/RelativePath.h"

class CInternalData;
class CMC_ArrayParameter;

// Writing a path into a motion record's segment arrays, in whatever units the record shows its
// values in: lengths come in the unit of its X increments, angles in radians, and each value is
// rounded as the record keeps it.

// How the record keeps a length (in its X increments' unit) and an angle (radians). The radius
// shares the increments' drive and type; its lower limit is checked when it is stored.
geometry::Rounding RoundingOf(const CInternalData& record);

// A length in the array's internal units, in the unit of the X increments.
double InXUnit(const CInternalData& record, const CMC_ArrayParameter& array, double internal);

// How a path for the record is fitted with arcs (geometry/arcfit/ArcFitter.h): within `tolerance`
// (in the X increments' unit) once rounded as the record keeps it, in the radii the record keeps
// (OptionsForDrives).
geometry::ArcFitOptions FitOptionsFor(const CInternalData& record, double tolerance);

// A segment's acceleration and speed in the record's internal units; 0 keeps the one in force.
struct Dynamics {
  double acceleration = 0.0;
  double speed = 0.0;
};

// Appends the segments, the i-th with dynamics(i), to the record; or the fault of the first whose
// values the record's arrays cannot hold, at the line of its source (ImportedSegment::line).
Result<void> AppendSegments(CInternalData& record, const std::vector<geometry::ImportedSegment>& segments,
                            const std::function<Dynamics(size_t)>& dynamics);
// One segment so, for a path appended as it is made.
Result<void> AppendSegment(CInternalData& record, const geometry::ImportedSegment& segment, Dynamics dynamics);

// Checks the record, whose segments are `segments`, as the module validates a motion: its
// refusal at the line of the segment it names, or of no line when it names none.
Result<void> CheckBuiltMotion(CInternalData& record, const std::vector<geometry::ImportedSegment>& segments);
// The same for `count` segments whose source lines lineOf(i) gives.
Result<void> CheckBuiltMotion(CInternalData& record, size_t count, const std::function<int(size_t)>& lineOf);
