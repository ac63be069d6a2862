#include <cmath>
#include <numbers>

#include "tests/motion/MotionFixture.h"

namespace {

using RecordStructure = RecordFixture;

void SetTypes(CMC_ArrayParameter& types, std::initializer_list<double> values) {
  types.InitializeMotionParam(VT_DOUBLE, "SegmentType", "", "", 1.0, 0.0);
  int index = 0;
  for (double value : values) types.InsertValueInInternalUnitAt(index++, value);
}

TEST_F(RecordStructure, StartsWithoutAxesArraysOrDerivedUnits) {
  const CInternalData& record = *m_pRecord;
  EXPECT_EQ(record.m_SlaveX, -1);
  EXPECT_EQ(record.m_SlaveY, -1);
  EXPECT_EQ(record.m_SlaveTangent, -1);
  EXPECT_EQ(record.m_pVectorAcc, nullptr);
  EXPECT_EQ(record.m_pVectorSpeed, nullptr);
  EXPECT_EQ(record.m_pPosIncrX, nullptr);
  EXPECT_EQ(record.m_pPosIncrY, nullptr);
  EXPECT_EQ(record.m_pRadius, nullptr);
  EXPECT_EQ(record.m_UnitMode, 0);
  EXPECT_EQ(record.m_ResRatioX, 0u);
  EXPECT_EQ(record.m_ResRatioY, 0u);
  EXPECT_EQ(record.m_TangentUnitsPerRev, 0);
  EXPECT_EQ(record.m_SegmentType.GetValuesCount(), 0);
  EXPECT_EQ(record.m_Event.m_wFlags & CMotionEvent::MEF_OWNS_EXECUTE_KEY, 0);
}

TEST_F(RecordStructure, CountsLinearAndCircularSegments) {
  int linear = -1;
  int circular = -1;
  m_pRecord->CountSegments(linear, circular);
  EXPECT_EQ(linear, 0);
  EXPECT_EQ(circular, 0);

  SetTypes(m_pRecord->m_SegmentType, {0, 1, 1, 0, 0});
  m_pRecord->CountSegments(linear, circular);
  EXPECT_EQ(linear, 3);
  EXPECT_EQ(circular, 2);

  SetTypes(m_pRecord->m_SegmentType, {std::nan(""), 0});
  m_pRecord->CountSegments(linear, circular);
  EXPECT_EQ(linear, 1);
  EXPECT_EQ(circular, 1);
}

TEST_F(RecordStructure, AdjustingAnEmptyPathLeavesOneLinearSegment) {
  Read(WithLine(WithLine(DemoMotionText(), "SegmentType", "SegmentType[]="), "CACC", "CACC[m/s^2]="));
  m_pRecord->AdjustArraySizes();
  const CInternalData& record = *m_pRecord;
  ASSERT_EQ(record.m_SegmentType.GetValuesCount(), 1);
  EXPECT_EQ(record.m_SegmentType.GetValueInInternalUnit(0), 0.0);
  EXPECT_EQ(record.m_pVectorAcc->GetValuesCount(), 1);
  EXPECT_EQ(record.m_pVectorSpeed->GetValuesCount(), 1);
  EXPECT_EQ(record.m_pPosIncrX->GetValuesCount(), 1);
  EXPECT_EQ(record.m_pPosIncrY->GetValuesCount(), 1);
  EXPECT_EQ(record.m_pRadius->GetValuesCount(), 0);
  EXPECT_EQ(record.m_InitAngle.GetValuesCount(), 0);
  EXPECT_EQ(record.m_AngleIncrement.GetValuesCount(), 0);
}

TEST_F(RecordStructure, AdjustingFitsEveryArrayToTheSegmentList) {
  CString text = WithLines(
      DemoMotionText(),
      {{"SegmentType", "SegmentType[]=1, 0"}, {"X_TPOS", "X_TPOS[mm]=1, 2, 3"}, {"Y_TPOS", "Y_TPOS[mm]=4, 5, 6"}});
  for (const char* key : {"Radius", "InitAngle", "AngleIncrement"}) text = WithLine(text, key, "");
  Read(text);
  m_pRecord->AdjustArraySizes();
  const CInternalData& record = *m_pRecord;
  EXPECT_EQ(record.m_pPosIncrX->GetValuesCount(), 1);
  EXPECT_EQ(record.m_pPosIncrX->GetValue(0), 1.0);
  EXPECT_EQ(record.m_pPosIncrY->GetValuesCount(), 1);
  EXPECT_EQ(record.m_pRadius->GetValuesCount(), 1);
  EXPECT_EQ(record.m_InitAngle.GetValuesCount(), 1);
  EXPECT_EQ(record.m_AngleIncrement.GetValuesCount(), 1);
  int index = -7;
  EXPECT_NE(m_pRecord->CheckData(index), "") << "new radius and angle entries are 0 until edited";
}

TEST_F(RecordStructure, EditParametersStartWithUsefulValuesInTheArraysUnits) {
  ASSERT_TRUE(Read(DemoMotionText())) << errors.GetString();
  std::unique_ptr<CMC_Parameter> x, y, radius, initAngle, angleIncrement;
  m_pRecord->CreateEditParameters(x, y, radius, initAngle, angleIncrement);
  EXPECT_EQ(x->GetUnitName(), "mm");
  EXPECT_EQ(x->GetValueInInternalUnit(), 20000.0) << "10 mm on the 2000 counts/mm X drive";
  EXPECT_EQ(y->PrintValue(), "10");
  EXPECT_EQ(radius->GetName(), "Radius");
  EXPECT_EQ(radius->GetMinInInternalUnit(), 1.0);
  EXPECT_FALSE(radius->SetValueInInternalUnit(0.0));
  EXPECT_EQ(m_pRecord->m_pRadius->GetMaxInInternalUnit(), CInternalData::kMaxRadius);
  EXPECT_EQ(initAngle->GetValueInInternalUnit(), 0.0);
  EXPECT_EQ(angleIncrement->GetValueInInternalUnit(), 90.0) << "angles count in degrees";
  EXPECT_EQ(angleIncrement->PrintValueForOrvel(), "90.0");
  EXPECT_DOUBLE_EQ(initAngle->IUToBaseUnit(1.0), std::numbers::pi / 180.0);
}

TEST_F(RecordStructure, AnglesCountInBaseUnitsWhenTheSetupHasNoDegree) {
  m_pProject->GetController().GetUnits().RemoveUnit("deg");
  Read(DemoMotionText());
  std::unique_ptr<CMC_Parameter> x, y, radius, initAngle, angleIncrement;
  m_pRecord->CreateEditParameters(x, y, radius, initAngle, angleIncrement);
  ASSERT_NE(angleIncrement, nullptr);
  EXPECT_EQ(initAngle->IUToBaseUnit(1.0), 1.0);
  EXPECT_EQ(angleIncrement->IUToBaseUnit(1.0), 1.0);
  EXPECT_EQ(angleIncrement->GetValueInInternalUnit(), 90.0);
}

}  // namespace
