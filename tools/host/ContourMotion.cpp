#include "tools/host/ContourMotion.h"

#include <algorithm>
#include <optional>
#include <utility>
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

// The dynamics of a segment: the acceleration on the first, and its speed, or on the first where
// the contour gives it none, the speed of the options.
Dynamics DynamicsOf(const geometry::ImportedSegment& segment, bool first, const ContourMotionOptions& options,
                    const CInternalData& record, const CMC_Setup& setup) {
  const double speed = first && segment.feed == 0.0 ? options.speed : segment.feed;
  return Dynamics{first ? InternalUnits(setup, *record.m_pVectorAcc, "m/s^2", options.acceleration) : 0.0,
                  InternalUnits(setup, *record.m_pVectorSpeed, "mm/min", speed)};
}

// The source line of the contour's segment numbered `index` (from 0) as the record holds it.
int LineOfSegment(const geometry::Contour& contour, const geometry::Rounding& rounding, size_t index) {
  int line = 0;
  size_t count = 0;
  geometry::ForEachRelativeSegment(contour, rounding, [&](const geometry::ImportedSegment& segment) {
    line = segment.line;
    return count++ < index;
  });
  return line;
}

// Room in the record for the contour's moves, so that the arrays of a long contour are not
// copied again and again, and held twice, as they grow.
void ReserveFor(CInternalData& record, const geometry::Contour& contour) {
  const auto circular = std::count_if(
      contour.moves.begin(), contour.moves.end(),
      [](const geometry::ContourMove& move) { return move.segment.kind == geometry::PathSegment::Kind::Circular; });
  // An input is at most 2 GB, so its moves are fewer than an int holds.
  record.ReserveSegments(static_cast<int>(contour.moves.size()) - static_cast<int>(circular),
                         static_cast<int>(circular));
}

// The contour's segments into the emptied record as they are made, rounded as the record keeps
// them, then checked as the module validates a motion. Returns an exit code; faults are told with
// their source line.
ExitCode FillRecord(CInternalData& record, const geometry::Contour& contour, const ContourMotionOptions& options,
                    const CMC_Setup& setup, const ImportMessages& messages) {
  const geometry::Rounding rounding = RoundingOf(record);
  ReserveFor(record, contour);
  size_t count = 0;
  Result<void> appended;
  geometry::ForEachRelativeSegment(contour, rounding, [&](const geometry::ImportedSegment& segment) {
    appended = AppendSegment(record, segment, DynamicsOf(segment, count++ == 0, options, record, setup));
    return appended.Ok();
  });
  if (count == 0) {
    messages.Tell("no contour: every move is shorter than one count of the drives");
    return kExitUsage;
  }
  if (!appended) {
    messages.TellAtMove(appended.Failure());
    return kExitUsage;
  }
  const Result<void> checked =
      CheckBuiltMotion(record, count, [&](size_t index) { return LineOfSegment(contour, rounding, index); });
  if (checked) return kExitOk;
  messages.TellAtMove(checked.Failure());
  return kExitRefused;
}

// The motion's text, made from the contour, which goes as soon as the record holds its segments.
Result<CString, ExitCode> MotionTextOf(HostSession& session, geometry::Contour contour,
                                       const ContourMotionOptions& options, const ImportMessages& messages) {
  CInternalData record(session.Controller(), session.Motion());
  if (!PrepareRecord(session, record, messages)) return kExitUsage;
  if (options.fitTolerance > 0.0) contour = Fitted(contour, options.fitTolerance, record);
  if (const ExitCode status = FillRecord(record, contour, options, session.Controller(), messages); status != kExitOk)
    return status;
  contour = {};
  CString text;
  record.WriteData(text);
  return text;
}

}  // namespace

Result<CString, ExitCode> ContourToMotion(HostSession& session, geometry::Contour contour,
                                          const ContourMotionOptions& options, const ImportMessages& messages) {
  Result<CString, ExitCode> text = MotionTextOf(session, std::move(contour), options, messages);
  if (!text) return text;
  CInternalData written(session.Controller(), session.Motion());
  if (const ExitCode status = ReadBackAsTheModuleDoes(written, text.Value()); status != kExitOk) return status;
  if (options.segments) return ImportLinesOf(written);
  return text;
}
