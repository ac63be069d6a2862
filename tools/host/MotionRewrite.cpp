#include "tools/host/MotionRewrite.h"

#include "host/CMC_Setup.h"
#include "motion/CInternalData.h"
#include "tools/host/HostSession.h"
#include "tools/host/ImportMessages.h"
#include "tools/host/MotionChecks.h"
#include "tools/host/TextIO.h"

ExitCode ReadLinearMotion(const std::string& source, CInternalData& record, const std::string& lengthsFor,
                          const ImportMessages& messages) {
  CString text;
  if (!ReadInput(source, text)) return kExitUsage;
  CString moduleMessages;
  if (!record.ReadData(text, moduleMessages)) {
    ReportModuleMessages(moduleMessages);
    return kExitRefused;
  }
  if (record.m_UnitMode != 1) {
    messages.Tell(lengthsFor +
                  " needs positions that are lengths, but the motion's X and Y drives do not both carry linear loads");
    return kExitUsage;
  }
  return kExitOk;
}

double InLengthUnit(const CInternalData& record, const CMC_Setup& setup, double millimetres) {
  const CMC_ArrayParameter& x = *record.m_pPosIncrX;
  const double millimetre = setup.GetUnits().FindUnit("mm")->ToBaseUnit(1.0);
  return x.IUToUnit(x.BaseUnitToIU(millimetres * millimetre));
}

SegmentDynamics DynamicsOf(const CInternalData& record) {
  SegmentDynamics result;
  for (int i = 0; i < record.m_SegmentType.GetValuesCount(); ++i) {
    const Dynamics dynamics{record.m_pVectorAcc->GetValueInInternalUnit(i),
                            record.m_pVectorSpeed->GetValueInInternalUnit(i)};
    result.dynamics.push_back(dynamics);
    result.setsValues.push_back(dynamics.acceleration != 0.0 || dynamics.speed != 0.0);
    if (result.setsValues.back()) result.setters.push_back(static_cast<size_t>(i));
  }
  return result;
}

ExitCode Refill(CInternalData& record, const geometry::Contour& contour, const SegmentDynamics& dynamics,
                const ImportMessages& messages) {
  const std::vector<geometry::ImportedSegment> segments = geometry::ToRelativePath(contour, RoundingOf(record));
  record.ClearSegments();
  // Each source segment's values go to the first new segment from its start point on; one too
  // short to keep passes them on to the next.
  size_t next = 0;
  const auto carried = [&](size_t i) {
    Dynamics set;
    for (; next < dynamics.setters.size() && dynamics.setters[next] < static_cast<size_t>(segments[i].line); ++next) {
      const Dynamics& source = dynamics.dynamics[dynamics.setters[next]];
      if (source.acceleration != 0.0) set.acceleration = source.acceleration;
      if (source.speed != 0.0) set.speed = source.speed;
    }
    return set;
  };
  return BuildMotion(record, segments, carried, messages);
}

ExitCode WriteCheckedMotion(HostSession& session, CInternalData& record, const std::string& output) {
  CString result;
  record.WriteData(result);
  if (const ExitCode status = CheckedByModule(session, result); status != kExitOk) return status;
  return WriteOutput(output, result) ? kExitOk : kExitUsage;
}
