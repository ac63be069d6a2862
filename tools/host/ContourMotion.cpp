#include "tools/host/ContourMotion.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "geometry/arcfit/ContourFitting.h"
#include "geometry/core/RelativePath.h"
#include "host/CMC_Setup.h"
#include "motion/CInternalData.h"
#include "motionpath/ImportLines.h"
#include "motionpath/MotionBuilder.h"
#include "plugin/ModuleExports.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ImportMessages.h"
#include "tools/host/MotionChecks.h"
#include "tools/host/TextIO.h"

namespace {

// The record of a new motion on the session's setup, emptied of segments, with its positions in
// millimetres and its angles in degrees. False after telling why a contour cannot become a motion.
bool PrepareRecord(HostSession& session, CInternalData& record, const ImportMessages& messages) {
  const auto getDefaults = session.Export<GetDefaultParametersFn>("GetDefaultParameters");
  if (getDefaults == nullptr) return false;
  CString text;
  getDefaults(session.Controller(), session.Motion(), text);
  CString ignored;  // a new motion's one segment has no length yet, so it does not pass validation
  record.ReadData(text, ignored);
  if (record.m_UnitMode != 1) {
    messages.Tell("the contour's positions are lengths, but the setup's X and Y drives do not both carry linear loads");
    return false;
  }
  for (CMC_ArrayParameter* array : {record.m_pPosIncrX.get(), record.m_pPosIncrY.get(), record.m_pRadius.get()})
    array->ChangeUnit("mm");
  for (CMC_ArrayParameter* array : {&record.m_InitAngle, &record.m_AngleIncrement}) array->ChangeUnit("deg");
  record.ClearSegments();
  return true;
}

// The contour with its runs of lines fitted within `tolerance` mm (the record's positions are in
// mm), each move that sets a new feed starting a fitted segment.
geometry::Contour Fitted(const geometry::Contour& contour, double tolerance, const CInternalData& record) {
  std::vector<bool> newFeed;
  for (const geometry::ContourMove& move : contour.moves) newFeed.push_back(move.feed != 0.0);
  return geometry::FitContour(contour, FitOptionsFor(record, tolerance), newFeed);
}

// In the units the setup names; both are standard units.
double InternalUnits(const CMC_Setup& setup, const CMC_ArrayParameter& array, const char* unit, double value) {
  return array.BaseUnitToIU(setup.GetUnits().FindUnit(unit)->ToBaseUnit(value));
}

// The contour's segments into the emptied record, rounded as the record keeps them, then checked
// as the module validates a motion. Returns an exit code; faults are told with their source line.
ExitCode FillRecord(CInternalData& record, const geometry::Contour& contour, const ContourMotionOptions& options,
                    const CMC_Setup& setup, const ImportMessages& messages) {
  const std::vector<geometry::ImportedSegment> segments = geometry::ToRelativePath(contour, RoundingOf(record));
  if (segments.empty()) {
    messages.Tell("no contour: every move is shorter than one count of the drives");
    return kExitUsage;
  }
  return BuildMotion(
      record, segments,
      [&](size_t i) {
        const double speed = i == 0 && segments[i].feed == 0.0 ? options.speed : segments[i].feed;
        return Dynamics{i == 0 ? InternalUnits(setup, *record.m_pVectorAcc, "m/s^2", options.acceleration) : 0.0,
                        InternalUnits(setup, *record.m_pVectorSpeed, "mm/min", speed)};
      },
      messages);
}

}  // namespace

Result<CString, ExitCode> ContourToMotion(HostSession& session, const geometry::Contour& contour,
                                          const ContourMotionOptions& options, const ImportMessages& messages) {
  CInternalData record(session.Controller(), session.Motion());
  if (!PrepareRecord(session, record, messages)) return kExitUsage;
  const std::optional<geometry::Contour> fitted =
      options.fitTolerance > 0.0 ? std::optional(Fitted(contour, options.fitTolerance, record)) : std::nullopt;
  if (const ExitCode status = FillRecord(record, fitted ? *fitted : contour, options, session.Controller(), messages);
      status != kExitOk)
    return status;
  CString text;
  record.WriteData(text);
  if (const ExitCode status = CheckedByModule(session, text); status != kExitOk) return status;
  return options.segments ? ImportLinesOf(record) : text;
}
