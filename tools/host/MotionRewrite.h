#pragma once

#include <string>
#include <vector>

#include "geometry/core/Contour.h"
#include "motionpath/MotionBuilder.h"
#include "tools/host/Commands.h"

class CInternalData;
class CMC_Setup;
class HostSession;
class ImportMessages;

// What the commands that rewrite a motion's path (fit-arcs, offset) share: reading the motion,
// keeping where its segments set a new acceleration or speed, and writing the new path with them.

// The motion file, or standard input for "-", read into `record`: kExitRefused after the module's
// messages; kExitUsage when it cannot be read, or when its X and Y drives do not both carry
// linear loads, which `lengthsFor` ("a tolerance in mm") needs.
ExitCode ReadLinearMotion(const std::string& source, CInternalData& record, const std::string& lengthsFor,
                          const ImportMessages& messages);

// A length in millimetres in the unit of the record's X increments, as they keep it.
double InLengthUnit(const CInternalData& record, const CMC_Setup& setup, double millimetres);

// The acceleration and speed each segment sets (0: keeps the one in force), and which set any.
struct SegmentDynamics {
  std::vector<Dynamics> dynamics;
  std::vector<bool> setsValues;
  std::vector<size_t> setters;
};
SegmentDynamics DynamicsOf(const CInternalData& record);

// The contour's moves become the record's segments, rounded as it keeps them. Each move's line is
// the number of the segment it comes from (motionpath/MotionContour.h); the first move from a
// segment that sets a new acceleration or speed on gets the values. Returns an exit code.
ExitCode Refill(CInternalData& record, const geometry::Contour& contour, const SegmentDynamics& dynamics,
                const ImportMessages& messages);

// The record's text, checked by the module as the host will read it, written to `output` (or
// standard output). Returns an exit code.
ExitCode WriteCheckedMotion(HostSession& session, CInternalData& record, const std::string& output);
