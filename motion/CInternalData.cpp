#include "motion/CInternalData.h"

#include "host/CMC_Setup.h"

CInternalData::CInternalData(CMC_Setup& setup, CMC_Motion& motion)
    : CMC_EditMotionInternalData(setup, motion),
      m_ClearBuffer(0),
      m_ConfigureMode(0),
      m_InsertEndSegment(0),
      m_SlaveX(-1),
      m_SlaveY(-1),
      m_SlaveTangent(-1),
      m_SegmentType(setup),
      m_InitAngle(setup),
      m_AngleIncrement(setup),
      m_Execute(0),
      m_WaitForCompletion(0),
      m_Event(setup, motion),
      m_UnitMode(0),
      m_ResRatioX(0),
      m_ResRatioY(0),
      m_TangentUnitsPerRev(0) {
  // The record keeps "Execute" itself, so the event must not write or expect it too.
  m_Event.m_wFlags &= static_cast<WORD>(~CMotionEvent::MEF_OWNS_EXECUTE_KEY);
}

CInternalData::~CInternalData() {
  for (auto* array : {&m_pVectorAcc, &m_pVectorSpeed, &m_pPosIncrX, &m_pPosIncrY, &m_pRadius}) array->reset();
}

void CInternalData::CountSegments(int& linearCount, int& circularCount) {
  linearCount = 0;
  circularCount = 0;
  for (int i = m_SegmentType.GetValuesCount() - 1; i >= 0; --i) {
    // Anything but an exact 0, not-a-number included, is a circular segment.
    if (m_SegmentType.GetValueInInternalUnit(i) == 0.0)
      ++linearCount;
    else
      ++circularCount;
  }
}

namespace {

void ResizeTo(CMC_ArrayParameter* array, int count) {
  if (array != nullptr && array->GetValuesCount() != count) array->SetValuesCount(count);
}

}  // namespace

void CInternalData::AdjustArraySizes() {
  int count = m_SegmentType.GetValuesCount();
  if (count <= 0) {
    m_SegmentType.InsertValueInInternalUnitAt(0, 0.0);
    count = 1;
  }
  ResizeTo(m_pVectorAcc.get(), count);
  ResizeTo(m_pVectorSpeed.get(), count);
  int linear = 0;
  int circular = 0;
  CountSegments(linear, circular);
  ResizeTo(m_pPosIncrX.get(), linear);
  ResizeTo(m_pPosIncrY.get(), linear);
  ResizeTo(m_pRadius.get(), circular);
  ResizeTo(&m_InitAngle, circular);
  ResizeTo(&m_AngleIncrement, circular);
}

double CInternalData::DegreeSize() const {
  const CMC_Unit* degree = GetSetup().GetUnits().FindUnit("deg");
  return degree != nullptr ? degree->ToBaseUnit(1.0) : 1.0;
}

namespace {

// A fresh scalar shaped like one entry of `source`: same setup, type, name and unit.
void MakeEditParameter(std::unique_ptr<CMC_Parameter>& target, const CMC_ArrayParameter& source,
                       const char* initialValue, double internalUnitSize, double internalUnitOffset) {
  target = std::make_unique<CMC_Parameter>(source.GetSetup());
  target->InitializeMotionParam(source.GetType(), source.GetName(), source.GetUnitName(), initialValue,
                                internalUnitSize, internalUnitOffset);
}

}  // namespace

void CInternalData::CreateEditParameters(std::unique_ptr<CMC_Parameter>& posIncrX,
                                         std::unique_ptr<CMC_Parameter>& posIncrY,
                                         std::unique_ptr<CMC_Parameter>& radius,
                                         std::unique_ptr<CMC_Parameter>& initAngle,
                                         std::unique_ptr<CMC_Parameter>& angleIncrement) {
  MakeEditParameter(posIncrX, *m_pPosIncrX, "10", IU_OF_SETUP, IU_OF_SETUP);
  MakeEditParameter(posIncrY, *m_pPosIncrY, "10", IU_OF_SETUP, IU_OF_SETUP);
  MakeEditParameter(radius, *m_pRadius, "10", IU_OF_SETUP, IU_OF_SETUP);
  radius->SetMinInInternalUnit(1.0);
  m_pRadius->SetMaxInInternalUnit(kMaxRadius);
  if (initAngle == nullptr || angleIncrement == nullptr) {
    // Angles count in degrees inside the controller.
    const double degree = DegreeSize();
    MakeEditParameter(initAngle, m_InitAngle, "0", degree, 0.0);
    MakeEditParameter(angleIncrement, m_AngleIncrement, "90", degree, 0.0);
  }
}
