#include "motion/CInternalData.h"

#include <cmath>

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

// A scalar shaped like one entry of `source`: same setup, type, name and unit, holding the value
// nearest `valueInUnit` it can store, so that the field showing it always has its units.
std::unique_ptr<CMC_Parameter> MakeEditParameter(const CMC_ArrayParameter& source, double valueInUnit,
                                                 double internalUnitSize, double internalUnitOffset,
                                                 double minimumIU = -HUGE_VAL) {
  auto parameter = std::make_unique<CMC_Parameter>(source.GetSetup());
  parameter->InitializeMotionParam(source.GetType(), source.GetName(), source.GetUnitName(), "0", internalUnitSize,
                                   internalUnitOffset);
  if (std::isfinite(minimumIU)) parameter->SetMinInInternalUnit(minimumIU);
  parameter->SetValueInInternalUnit(parameter->NearestStorableIU(parameter->UnitToIU(valueInUnit)));
  return parameter;
}

// What a person set keeps its size on another drive of the same kind of unit: it travels in the
// array's unit, which both drives know. Between lengths and angles it starts afresh.
double CarriedValue(const std::unique_ptr<CMC_Parameter>& previous, const CMC_ArrayParameter& source,
                    double initialValue) {
  return previous != nullptr && previous->ChangeUnit(source.GetUnitName()) ? previous->GetValue() : initialValue;
}

void RemakeLengthParameter(std::unique_ptr<CMC_Parameter>& target, const CMC_ArrayParameter& source,
                           double minimumIU = -HUGE_VAL) {
  target = MakeEditParameter(source, CarriedValue(target, source, 10.0), IU_OF_SETUP, IU_OF_SETUP, minimumIU);
}

}  // namespace

void CInternalData::CreateEditParameters(std::unique_ptr<CMC_Parameter>& posIncrX,
                                         std::unique_ptr<CMC_Parameter>& posIncrY,
                                         std::unique_ptr<CMC_Parameter>& radius,
                                         std::unique_ptr<CMC_Parameter>& initAngle,
                                         std::unique_ptr<CMC_Parameter>& angleIncrement) {
  RemakeLengthParameter(posIncrX, *m_pPosIncrX);
  RemakeLengthParameter(posIncrY, *m_pPosIncrY);
  RemakeLengthParameter(radius, *m_pRadius, 1.0);
  m_pRadius->SetMaxInInternalUnit(kMaxRadius);
  if (initAngle == nullptr || angleIncrement == nullptr) {
    // Angles count in degrees inside the controller.
    const double degree = DegreeSize();
    initAngle = MakeEditParameter(m_InitAngle, 0.0, degree, 0.0);
    angleIncrement = MakeEditParameter(m_AngleIncrement, 90.0, degree, 0.0);
  }
}
