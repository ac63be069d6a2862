#include "tools/host/ContourMotion.h"

#include <algorithm>

#include "geometry/RelativePath.h"
#include "geometry/SegmentGeometry.h"
#include "host/CMC_Setup.h"
#include "motion/CInternalData.h"
#include "plugin/ModuleExports.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ImportMessages.h"
#include "tools/host/TextIO.h"

namespace {

using geometry::Degrees;
using geometry::Radians;

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
  for (CMC_ArrayParameter* array :
       {&record.m_SegmentType, record.m_pVectorAcc.get(), record.m_pVectorSpeed.get(), record.m_pPosIncrX.get(),
        record.m_pPosIncrY.get(), record.m_pRadius.get(), &record.m_InitAngle, &record.m_AngleIncrement})
    array->SetValuesCount(0);
  return true;
}

// A value in the array's selected unit as the array would keep it.
double KeptValue(const CMC_ArrayParameter& array, double value) {
  double stored = 0.0;
  return array.AcceptIU(array.UnitToIU(value), stored) ? array.IUToUnit(stored) : value;
}

geometry::Rounding RoundingOf(const CInternalData& record) {
  // The radius shares the increments' drive and type; its lower limit is checked when it is stored.
  return {[&record](double millimetres) { return KeptValue(*record.m_pPosIncrX, millimetres); },
          [&record](double radians) { return Radians(KeptValue(record.m_InitAngle, Degrees(radians))); }};
}

// A segment's acceleration and speed in the record's internal units; 0 keeps the one in force.
struct Dynamics {
  double acceleration;
  double speed;
};

// False when a value does not fit the motion's arrays.
bool AppendSegment(CInternalData& record, const geometry::PathSegment& segment, Dynamics dynamics) {
  const int index = record.m_SegmentType.GetValuesCount();
  const bool linear = segment.kind == geometry::PathSegment::Kind::Linear;
  if (!record.m_SegmentType.InsertValueAt(index, linear ? 0.0 : 1.0) ||
      !record.m_pVectorAcc->InsertValueInInternalUnitAt(index, dynamics.acceleration) ||
      !record.m_pVectorSpeed->InsertValueInInternalUnitAt(index, dynamics.speed))
    return false;
  const auto append = [](CMC_ArrayParameter& array, double value) {
    return array.InsertValueAt(array.GetValuesCount(), value);
  };
  if (linear)
    return append(*record.m_pPosIncrX, segment.increment.x) && append(*record.m_pPosIncrY, segment.increment.y);
  return append(*record.m_pRadius, segment.radius) && append(record.m_InitAngle, Degrees(segment.initialAngle)) &&
         append(record.m_AngleIncrement, Degrees(segment.angleIncrement));
}

// In the units the setup names; both are standard units.
double InternalUnits(const CMC_Setup& setup, const CMC_ArrayParameter& array, const char* unit, double value) {
  return array.BaseUnitToIU(setup.GetUnits().FindUnit(unit)->ToBaseUnit(value));
}

// The contour's segments into the emptied record, rounded as the record keeps them, then checked
// as the module validates a motion. Returns an exit code; faults are told with their source line.
int FillRecord(CInternalData& record, const geometry::Contour& contour, const ContourMotionOptions& options,
               const CMC_Setup& setup, const ImportMessages& messages) {
  const std::vector<geometry::ImportedSegment> segments = geometry::ToRelativePath(contour, RoundingOf(record));
  if (segments.empty()) {
    messages.Tell("no contour: every move is shorter than one count of the drives");
    return kExitUsage;
  }
  for (size_t i = 0; i < segments.size(); ++i) {
    const Dynamics dynamics{i == 0 ? InternalUnits(setup, *record.m_pVectorAcc, "m/s^2", options.acceleration) : 0.0,
                            InternalUnits(setup, *record.m_pVectorSpeed, "mm/min", segments[i].feed)};
    if (!AppendSegment(record, segments[i].segment, dynamics)) {
      messages.TellAtMove(segments[i].line,
                          "the move does not fit the motion: a radius below one count of the drive, "
                          "or a value beyond what the controller holds");
      return kExitUsage;
    }
  }
  int faultySegment = 0;
  const CString fault = record.CheckData(faultySegment);
  if (fault.IsEmpty()) return kExitOk;
  const size_t index = std::min(static_cast<size_t>(std::max(faultySegment, 0)), segments.size() - 1);
  messages.TellAtMove(segments[index].line, fault.GetString());
  return kExitRefused;
}

// The module reads the text and translates it on the setup, as the host will: what it refuses
// here it would refuse there.
int CheckedByModule(HostSession& session, CString text) {
  const auto translate = session.Export<TranslateMotionSequenceFn>("TranslateMotionSequence");
  if (translate == nullptr) return kExitUsage;
  CString result;
  if (translate(session.Controller(), session.Motion(), text, result)) return kExitOk;
  ReportModuleMessages(result);
  return kExitRefused;
}

// "L dx dy [acc [spd]]" and "C r a0 da [acc [spd]]" in the units the motion shows; the
// acceleration and speed are written where either is set.
CString ImportFileLines(const CInternalData& record) {
  CString text;
  int linear = 0;
  int circular = 0;
  for (int i = 0; i < record.m_SegmentType.GetValuesCount(); ++i) {
    const bool setsSpeed = record.m_pVectorSpeed->GetValueInInternalUnit(i) != 0.0;
    const bool setsAcceleration = record.m_pVectorAcc->GetValueInInternalUnit(i) != 0.0;
    CString dynamics;
    if (setsAcceleration || setsSpeed) dynamics = " " + record.m_pVectorAcc->PrintValue(i);
    if (setsSpeed) dynamics += " " + record.m_pVectorSpeed->PrintValue(i);
    if (record.m_SegmentType.GetValueInInternalUnit(i) == 0.0) {
      text.AppendFormat("L %s %s%s\n", record.m_pPosIncrX->PrintValue(linear).GetString(),
                        record.m_pPosIncrY->PrintValue(linear).GetString(), dynamics.GetString());
      ++linear;
    } else {
      text.AppendFormat("C %s %s %s%s\n", record.m_pRadius->PrintValue(circular).GetString(),
                        record.m_InitAngle.PrintValue(circular).GetString(),
                        record.m_AngleIncrement.PrintValue(circular).GetString(), dynamics.GetString());
      ++circular;
    }
  }
  return text;
}

}  // namespace

int ContourToMotion(HostSession& session, const geometry::Contour& contour, const ContourMotionOptions& options,
                    const ImportMessages& messages, CString& output) {
  CInternalData record(session.Controller(), session.Motion());
  if (!PrepareRecord(session, record, messages)) return kExitUsage;
  if (const int status = FillRecord(record, contour, options, session.Controller(), messages); status != kExitOk)
    return status;
  CString text;
  record.WriteData(text);
  if (const int status = CheckedByModule(session, text); status != kExitOk) return status;
  output = options.segments ? ImportFileLines(record) : text;
  return kExitOk;
}
