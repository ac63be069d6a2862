#include "motionpath/MotionPath.h"

#include "motion/CInternalData.h"

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
    values.reserve(static_cast<size_t>(source.GetValuesCount()));
    for (int i = 0; i < source.GetValuesCount(); ++i) values.push_back(source.GetValueInBaseUnit(i));
    return values;
  }
};

// Without a kind of load the arrays hold plain numbers in the drives' internal units.
CString UnitName(const CMC_ArrayParameter& array) {
  return array.GetSelectedUnit().IsEmpty() ? CString("internal units") : array.GetSelectedUnit();
}

double SizeOfSelectedUnit(const CMC_ArrayParameter& array) { return array.IUToBaseUnit(array.UnitToIU(1.0)); }

// A text the record refuses may hold fewer values than its segments need; the missing ones read
// as 0.
double At(const std::vector<double>& values, int index) {
  return static_cast<size_t>(index) < values.size() ? values[static_cast<size_t>(index)] : 0.0;
}

// A value of 0 keeps the one in force.
void KeepInForce(const CMC_ArrayParameter& values, int index, double& inForce) {
  if (values.GetValueInInternalUnit(index) != 0.0) inForce = values.GetValue(index);
}

}  // namespace

MotionPath::MotionPath() = default;
MotionPath::~MotionPath() = default;

bool MotionPath::Read(CMC_Setup& setup, CMC_Motion& motion, CString& text, CString& messages) {
  auto record = std::make_unique<MotionRecord>(setup, motion);
  const bool sound = record->ReadData(text, messages) != 0;
  lengthUnit = UnitName(*record->m_pPosIncrX);
  lengthUnitInBase = SizeOfSelectedUnit(*record->m_pPosIncrX);
  countsPerLengthUnit = record->m_pPosIncrX->BaseUnitToIU(lengthUnitInBase);
  unitsKnown = record->m_UnitMode != 0;
  tangentAxis = record->m_SlaveTangent >= 0;
  accelerationUnit = UnitName(*record->m_pVectorAcc);
  speedUnit = UnitName(*record->m_pVectorSpeed);
  accelerationUnitInBase = SizeOfSelectedUnit(*record->m_pVectorAcc);
  speedUnitInBase = SizeOfSelectedUnit(*record->m_pVectorSpeed);
  countsPerLiteral[0] = record->CountsPerReferenceCount(record->m_ResRatioX);
  countsPerLiteral[1] = record->CountsPerReferenceCount(record->m_ResRatioY);
  m_X = record->ReadAsWritten(text, *record->m_pPosIncrX);
  m_Y = record->ReadAsWritten(text, *record->m_pPosIncrY);
  m_Radius = record->ReadAsWritten(text, *record->m_pRadius);
  m_InitialAngle = record->ReadAsWritten(text, record->m_InitAngle);
  m_AngleIncrement = record->ReadAsWritten(text, record->m_AngleIncrement);
  m_Speed = record->ReadAsWritten(text, *record->m_pVectorSpeed);
  m_pRecord = std::move(record);
  return sound;
}

size_t MotionPath::SegmentCount() const { return static_cast<size_t>(m_pRecord->m_SegmentType.GetValuesCount()); }

void MotionPath::ForEachSegment(const std::function<void(const MotionSegment&)>& visit) const {
  const CInternalData& record = *m_pRecord;
  const CMC_ArrayParameter& speeds = *record.m_pVectorSpeed;
  MotionSegment segment;
  record.ForEachSegment([&](int i, SegmentKind kind, int index) {
    KeepInForce(*record.m_pVectorAcc, i, segment.acceleration);
    KeepInForce(speeds, i, segment.speed);
    segment.writtenSpeedCounts = speeds.BaseUnitToIU(At(m_Speed, i));
    segment.programSpeedCounts = speeds.GetValueInInternalUnit(i);
    if (kind == SegmentKind::Linear) {
      segment.written = geometry::PathSegment::Line(At(m_X, index) / lengthUnitInBase, At(m_Y, index) / lengthUnitInBase);
      segment.program = geometry::PathSegment::Line(record.m_pPosIncrX->GetValueInInternalUnit(index),
                                                    record.m_pPosIncrY->GetValueInInternalUnit(index));
    } else {
      segment.written = geometry::PathSegment::Arc(At(m_Radius, index) / lengthUnitInBase, At(m_InitialAngle, index),
                                                   At(m_AngleIncrement, index));
      segment.program = geometry::PathSegment::Arc(record.m_pRadius->GetValueInInternalUnit(index),
                                                   record.m_InitAngle.GetValueInBaseUnit(index),
                                                   record.m_AngleIncrement.GetValueInBaseUnit(index));
    }
    visit(segment);
  });
}

geometry::PathSource MotionPath::Written() const {
  return [this](const geometry::SegmentVisitor& visit) {
    ForEachSegment([&visit](const MotionSegment& segment) { visit(segment.written); });
  };
}
