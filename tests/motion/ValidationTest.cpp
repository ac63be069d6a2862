#include <cmath>

#include "tests/motion/MotionFixture.h"

namespace {

const char kLinearMessage[] =
    "Illegal position increment values!\nLinear segments cannot have all increments equal to 0.";
const char kCircularMessage[] =
    "Illegal radius or angle increment values!\nCircular segments cannot have radius or angle increments equal to 0.";
const char kSegmentCountMessage[] = "Invalid number of segments. You should have at least one segment.";

// Starts from the valid demo motion and breaks one thing at a time.
class Validation : public RecordFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(Read(DemoMotionText())) << errors.GetString(); }

  CString Check() {
    index = -1;
    return m_pRecord->CheckData(index);
  }
  // Replaces the segment list and sizes every array to it, all values 1.
  void Path(std::initializer_list<double> types) {
    CInternalData& record = *m_pRecord;
    record.m_SegmentType.SetValuesCount(0);
    for (double type : types)
      record.m_SegmentType.InsertValueInInternalUnitAt(record.m_SegmentType.GetValuesCount(), type);
    record.AdjustArraySizes();
    for (CMC_ArrayParameter* array : {record.m_pPosIncrX.get(), record.m_pPosIncrY.get(), record.m_pRadius.get(),
                                      &record.m_InitAngle, &record.m_AngleIncrement})
      for (int i = 0; i < array->GetValuesCount(); ++i) array->SetValueInInternalUnit(i, 1.0);
  }

  int index = -1;
};

TEST_F(Validation, AValidRecordLeavesTheCallersIndexAlone) {
  index = 42;
  EXPECT_EQ(m_pRecord->CheckData(index), "");
  EXPECT_EQ(index, 42);
}

TEST_F(Validation, TangentAxisMustTurnAndIsCheckedFirst) {
  m_pRecord->m_SlaveTangent = 2;
  m_pRecord->m_TangentUnitsPerRev = 0;
  m_pRecord->m_SegmentType.SetValuesCount(0);
  EXPECT_EQ(Check(), "Tangent axis should have a rotary load.");
  EXPECT_EQ(index, 0);
  m_pRecord->m_SlaveTangent = -1;
  EXPECT_EQ(Check(), kSegmentCountMessage) << "no tangent axis: nothing to turn";
}

TEST_F(Validation, SegmentCountMustMatchAccelerationsAndSpeeds) {
  m_pRecord->m_SegmentType.SetValuesCount(0);
  EXPECT_EQ(Check(), kSegmentCountMessage);
  EXPECT_EQ(index, 0);
  Path({0, 0});
  m_pRecord->m_pVectorSpeed->SetValuesCount(1);
  EXPECT_EQ(Check(), kSegmentCountMessage);
  Path({0, 0});
  m_pRecord->m_pVectorAcc->SetValuesCount(3);
  EXPECT_EQ(Check(), kSegmentCountMessage);
}

TEST_F(Validation, SegmentArraysMustFitTheirKindInOrder) {
  Path({0, 1});
  m_pRecord->m_pPosIncrX->SetValuesCount(2);
  EXPECT_EQ(Check(), "The position increment array on slave X has an incorrect size.");
  Path({0, 1});
  m_pRecord->m_pPosIncrY->SetValuesCount(0);
  EXPECT_EQ(Check(), "The position increment array on slave Y has an incorrect size.");
  Path({1, 1});
  m_pRecord->m_pRadius->SetValuesCount(3);
  EXPECT_EQ(Check(), "The radius array has an incorrect size.");
  Path({1, 1});
  m_pRecord->m_InitAngle.SetValuesCount(1);
  EXPECT_EQ(Check(), "The initial angle array has an incorrect size.");
  Path({1, 1});
  m_pRecord->m_AngleIncrement.SetValuesCount(1);
  m_pRecord->m_pRadius->SetValuesCount(3);
  EXPECT_EQ(Check(), "The radius array has an incorrect size.") << "the radius is checked before the angles";
  Path({1, 1});
  m_pRecord->m_AngleIncrement.SetValuesCount(0);
  EXPECT_EQ(Check(), "The increment angle array has an incorrect size.");
  EXPECT_EQ(index, 0);
}

TEST_F(Validation, ALinearSegmentMustMove) {
  Path({0});
  m_pRecord->m_pPosIncrX->SetValueInInternalUnit(0, 0.0);
  EXPECT_EQ(Check(), "") << "moving on Y alone is a movement";
  m_pRecord->m_pPosIncrY->SetValueInInternalUnit(0, 0.0);
  EXPECT_EQ(Check(), kLinearMessage);
  EXPECT_EQ(index, 0);

  Path({0, 1, 0});
  m_pRecord->m_pPosIncrX->SetValueInInternalUnit(1, 0.0);
  m_pRecord->m_pPosIncrY->SetValueInInternalUnit(1, 0.0);
  EXPECT_EQ(Check(), kLinearMessage);
  EXPECT_EQ(index, 2) << "the second linear segment is segment 2 of the path";
}

TEST_F(Validation, ACircularSegmentNeedsRadiusAndAngleIncrement) {
  Path({0, 1});
  m_pRecord->m_AngleIncrement.SetValueInInternalUnit(0, 0.0);
  EXPECT_EQ(Check(), kCircularMessage);
  EXPECT_EQ(index, 1);
  Path({1});
  m_pRecord->m_pRadius->SetValuesCount(0);  // below the radius limit: only a fresh entry holds 0
  m_pRecord->m_pRadius->SetValuesCount(1);
  EXPECT_EQ(Check(), kCircularMessage);
  Path({1});
  m_pRecord->m_InitAngle.SetValueInInternalUnit(0, 0.0);
  EXPECT_EQ(Check(), "") << "0 is a valid initial angle";
}

TEST(ValidationOfUnreadRecord, NotANumberSegmentKindCountsAsCircular) {
  // Kinds read from a text are whole numbers; a host-side double can still hold NaN.
  auto project = CMC_Project::CreateDemo();
  CMC_Motion motion(project->GetController());
  CInternalData record(project->GetController(), motion);
  record.m_SlaveX = 0;
  record.m_SlaveY = 1;
  record.UpdateAxisUnits();
  record.m_SegmentType.InitializeMotionParam(VT_DOUBLE, "SegmentType", "", "0, 1", 1.0, 0.0);
  ASSERT_TRUE(record.m_SegmentType.SetValueInInternalUnit(0, std::nan("")));
  record.AdjustArraySizes();
  ASSERT_EQ(record.m_pRadius->GetValuesCount(), 2);
  for (CMC_ArrayParameter* array : {record.m_pRadius.get(), &record.m_AngleIncrement})
    for (int i = 0; i < 2; ++i) array->SetValueInInternalUnit(i, 5.0);
  int index = -1;
  EXPECT_EQ(record.CheckData(index), "");
}

}  // namespace
