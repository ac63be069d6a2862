#include "motion/CInternalData.h"

namespace {

const char kNeedsRotaryTangent[] = "Tangent axis should have a rotary load.";
const char kBadSegmentCount[] = "Invalid number of segments. You should have at least one segment.";
const char kBadXSize[] = "The position increment array on slave X has an incorrect size.";
const char kBadYSize[] = "The position increment array on slave Y has an incorrect size.";
const char kBadRadiusSize[] = "The radius array has an incorrect size.";
const char kBadInitAngleSize[] = "The initial angle array has an incorrect size.";
const char kBadIncrementSize[] = "The increment angle array has an incorrect size.";
const char kEmptyLinear[] =
    "Illegal position increment values!\nLinear segments cannot have all increments equal to 0.";
const char kEmptyCircular[] =
    "Illegal radius or angle increment values!\nCircular segments cannot have radius or angle increments equal to 0.";

CString Fault(const char* message, int segment, int& segmentIndex) {
  segmentIndex = segment;
  return CString(message);
}

}  // namespace

CString CInternalData::CheckData(int& segmentIndex) {
  if (m_SlaveTangent >= 0 && m_TangentUnitsPerRev == 0) return Fault(kNeedsRotaryTangent, 0, segmentIndex);

  const int count = m_SegmentType.GetValuesCount();
  if (count < 1 || m_pVectorAcc->GetValuesCount() != count || m_pVectorSpeed->GetValuesCount() != count)
    return Fault(kBadSegmentCount, 0, segmentIndex);

  int linear = 0;
  int circular = 0;
  CountSegments(linear, circular);
  if (m_pPosIncrX->GetValuesCount() != linear) return Fault(kBadXSize, 0, segmentIndex);
  if (m_pPosIncrY->GetValuesCount() != linear) return Fault(kBadYSize, 0, segmentIndex);
  if (m_pRadius->GetValuesCount() != circular) return Fault(kBadRadiusSize, 0, segmentIndex);
  if (m_InitAngle.GetValuesCount() != circular) return Fault(kBadInitAngleSize, 0, segmentIndex);
  if (m_AngleIncrement.GetValuesCount() != circular) return Fault(kBadIncrementSize, 0, segmentIndex);

  // Exact comparisons: a segment that moves by the smallest step is still a movement.
  const auto isEmpty = [this](SegmentKind kind, int index) {
    if (kind == SegmentKind::Linear)
      return m_pPosIncrX->GetValueInInternalUnit(index) == 0.0 && m_pPosIncrY->GetValueInInternalUnit(index) == 0.0;
    return m_pRadius->GetValueInInternalUnit(index) == 0.0 || m_AngleIncrement.GetValueInInternalUnit(index) == 0.0;
  };
  int emptyRow = -1;
  SegmentKind emptyKind = SegmentKind::Linear;
  ForEachSegment([&](int row, SegmentKind kind, int index) {
    if (emptyRow < 0 && isEmpty(kind, index)) {
      emptyRow = row;
      emptyKind = kind;
    }
  });
  if (emptyRow < 0) return CString();
  return Fault(emptyKind == SegmentKind::Linear ? kEmptyLinear : kEmptyCircular, emptyRow, segmentIndex);
}
