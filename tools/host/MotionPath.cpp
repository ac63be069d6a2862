#include "tools/host/MotionPath.h"

#include "geometry/SegmentGeometry.h"
#include "motion/CInternalData.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/TextIO.h"

namespace {

// The record, with the host's readers at hand to read an entry once more without the rounding
// to the controller's types.
class MotionRecord : public CInternalData {
 public:
  using CInternalData::CInternalData;

  // The values of the entry behind `kept` as the text writes them, in base units.
  std::vector<double> ReadAsWritten(const CString& text, const CMC_ArrayParameter& kept) const {
    CMC_ArrayParameter written(kept.GetSetup());
    const CString message = kept.GetUnitName().IsEmpty()
                                ? ReadNoUnitArrayDataParam(text, written, kept.GetName(), VT_DOUBLE)
                                : ReadArrayDataParamWithUnit(text, written, kept.GetName(), VT_DOUBLE,
                                                             kept.GetUnitName(), IU_OF_SETUP, IU_OF_SETUP);
    const CMC_ArrayParameter& source = message.IsEmpty() ? written : kept;
    std::vector<double> values;
    for (int i = 0; i < source.GetValuesCount(); ++i) values.push_back(source.GetValueInBaseUnit(i));
    return values;
  }
};

// Without a kind of load the arrays hold plain numbers in the drives' internal units.
CString UnitName(const CMC_ArrayParameter& array) {
  return array.GetSelectedUnit().IsEmpty() ? CString("internal units") : array.GetSelectedUnit();
}

double SizeOfSelectedUnit(const CMC_ArrayParameter& array) { return array.IUToBaseUnit(array.UnitToIU(1.0)); }

double AxisCountsPerLiteral(unsigned int resolutionRatio) {
  return resolutionRatio == 0 ? 1.0 : resolutionRatio / 4294967296.0;
}

void ReadSegments(const MotionRecord& record, const CString& text, MotionPath& path) {
  const double lengthUnit = path.lengthUnitInBase;
  const std::vector<double> x = record.ReadAsWritten(text, *record.m_pPosIncrX);
  const std::vector<double> y = record.ReadAsWritten(text, *record.m_pPosIncrY);
  const std::vector<double> radius = record.ReadAsWritten(text, *record.m_pRadius);
  const std::vector<double> initialAngle = record.ReadAsWritten(text, record.m_InitAngle);
  const std::vector<double> angleIncrement = record.ReadAsWritten(text, record.m_AngleIncrement);
  int linear = 0;
  int circular = 0;
  for (int i = 0; i < record.m_SegmentType.GetValuesCount(); ++i) {
    if (record.m_SegmentType.GetValueInInternalUnit(i) == 0.0) {
      path.written.push_back(geometry::PathSegment::Line(x[linear] / lengthUnit, y[linear] / lengthUnit));
      path.program.push_back(geometry::PathSegment::Line(record.m_pPosIncrX->GetValueInInternalUnit(linear),
                                                         record.m_pPosIncrY->GetValueInInternalUnit(linear)));
      ++linear;
    } else {
      path.written.push_back(
          geometry::PathSegment::Arc(radius[circular] / lengthUnit, initialAngle[circular], angleIncrement[circular]));
      path.program.push_back(geometry::PathSegment::Arc(record.m_pRadius->GetValueInInternalUnit(circular),
                                                        record.m_InitAngle.GetValueInBaseUnit(circular),
                                                        record.m_AngleIncrement.GetValueInBaseUnit(circular)));
      ++circular;
    }
  }
}

// A value of 0 keeps the one in force.
std::vector<double> InForce(const CMC_ArrayParameter& values) {
  std::vector<double> inForce;
  double current = 0.0;
  for (int i = 0; i < values.GetValuesCount(); ++i) {
    if (values.GetValueInInternalUnit(i) != 0.0) current = values.GetValue(i);
    inForce.push_back(current);
  }
  return inForce;
}

}  // namespace

int LoadMotionPath(HostSession& session, const std::string& source, MotionPath& path) {
  CString text;
  if (!ReadInput(source, text)) return kExitUsage;
  MotionRecord record(session.Controller(), session.Motion());
  CString messages;
  if (!record.ReadData(text, messages)) {
    ReportModuleMessages(messages);
    return kExitRefused;
  }
  path.lengthUnit = UnitName(*record.m_pPosIncrX);
  path.lengthUnitInBase = SizeOfSelectedUnit(*record.m_pPosIncrX);
  path.unitsKnown = record.m_UnitMode != 0;
  path.tangentAxis = record.m_SlaveTangent >= 0;
  ReadSegments(record, text, path);
  path.acceleration = InForce(*record.m_pVectorAcc);
  path.speed = InForce(*record.m_pVectorSpeed);
  path.accelerationUnit = UnitName(*record.m_pVectorAcc);
  path.speedUnit = UnitName(*record.m_pVectorSpeed);
  path.accelerationUnitInBase = SizeOfSelectedUnit(*record.m_pVectorAcc);
  path.speedUnitInBase = SizeOfSelectedUnit(*record.m_pVectorSpeed);
  path.countsPerLiteral[0] = AxisCountsPerLiteral(record.m_ResRatioX);
  path.countsPerLiteral[1] = AxisCountsPerLiteral(record.m_ResRatioY);
  return kExitOk;
}

double PathOptions::CornerThreshold() const { return geometry::Radians(cornerDegrees); }

void AddPathOptions(CLI::App& command, PathOptions& options) {
  AddNumberOption(command, "--corner-angle", options.cornerDegrees, 0.0, 180.0, "DEG",
                  "a joint that turns by more than DEG degrees is a corner where the path stops");
  AddOperand(command, options.motionFile, "MOTION_FILE", "motion file", "the motion file, or - for standard input");
}
