#include "tests/motion/MotionFixture.h"

namespace {

const TestDrive kFineLinear{LoadKind::Linear, 2000.0};    // 1000 counts = 0.5 mm
const TestDrive kCoarseLinear{LoadKind::Linear, 1000.0};  // 1000 counts = 1 mm
const TestDrive kRotary{LoadKind::Rotary, 4096.0};

class AxisUnits : public RecordFixture {
 protected:
  // Sets the three slaves and recomputes, as the editor does when an axis changes.
  void Assign(int x, int y, int tangent = -1) {
    m_pRecord->m_SlaveX = x;
    m_pRecord->m_SlaveY = y;
    m_pRecord->m_SlaveTangent = tangent;
    m_pRecord->UpdateAxisUnits();
  }
  void ExpectArrayUnits(const char* acceleration, const char* speed, const char* position) {
    EXPECT_EQ(m_pRecord->m_pVectorAcc->GetUnitName(), acceleration);
    EXPECT_EQ(m_pRecord->m_pVectorSpeed->GetUnitName(), speed);
    EXPECT_EQ(m_pRecord->m_pPosIncrX->GetUnitName(), position);
    EXPECT_EQ(m_pRecord->m_pPosIncrY->GetUnitName(), position);
    EXPECT_EQ(m_pRecord->m_pRadius->GetUnitName(), position);
  }
};

TEST_F(AxisUnits, TheFinerLinearAxisIsTheReference) {
  Use(ControllerWithSlaves({kFineLinear, kCoarseLinear}));
  Assign(0, 1);
  EXPECT_EQ(m_pRecord->m_UnitMode, 1);
  EXPECT_EQ(m_pRecord->m_ResRatioX, 0u);
  EXPECT_EQ(m_pRecord->m_ResRatioY, 1u << 31);

  Assign(1, 0);
  EXPECT_EQ(m_pRecord->m_UnitMode, 1);
  EXPECT_EQ(m_pRecord->m_ResRatioX, 1u << 31);
  EXPECT_EQ(m_pRecord->m_ResRatioY, 0u);
  EXPECT_EQ(&m_pRecord->m_pVectorAcc->GetSetup(), m_pProject->FindSetup("drive 0"));
}

TEST_F(AxisUnits, EqualResolutionsNeedNoRatio) {
  Use(ControllerWithSlaves({kCoarseLinear, kCoarseLinear}));
  Assign(0, 1);
  EXPECT_EQ(m_pRecord->m_UnitMode, 1);
  EXPECT_EQ(m_pRecord->m_ResRatioX, 0u);
  EXPECT_EQ(m_pRecord->m_ResRatioY, 0u);
  EXPECT_EQ(&m_pRecord->m_pVectorAcc->GetSetup(), m_pProject->FindSetup("drive 0")) << "X wins a tie";
}

TEST_F(AxisUnits, MixedKindsOfLoadLeaveTheUnitsUndetermined) {
  Use(ControllerWithSlaves({kFineLinear, kRotary}));
  Assign(0, 1);
  EXPECT_EQ(m_pRecord->m_UnitMode, 0);
  EXPECT_EQ(m_pRecord->m_ResRatioX, 0u);
  EXPECT_EQ(m_pRecord->m_ResRatioY, 0u);
  Assign(0, 1);  // the arrays exist now and are rebuilt for the empty unit
  ExpectArrayUnits("", "", "");
}

TEST_F(AxisUnits, MissingDriveDataLeavesTheUnitsUndetermined) {
  Use(ControllerWithSlaves({kFineLinear, std::nullopt, TestDrive{LoadKind::Linear, 1000.0, 1, false}}));
  Assign(0, 1);
  EXPECT_EQ(m_pRecord->m_UnitMode, 0) << "Y wired to no axis";
  Assign(0, 2);
  EXPECT_EQ(m_pRecord->m_UnitMode, 0) << "Y drive without a position variable";
  Assign(1, 0);
  EXPECT_EQ(m_pRecord->m_UnitMode, 0) << "X wired to no axis";
  EXPECT_EQ(&m_pRecord->m_pVectorAcc->GetSetup(), &m_pProject->GetController());
}

TEST_F(AxisUnits, RotaryLoadsUseAngularUnits) {
  Use(ControllerWithSlaves({kRotary, TestDrive{LoadKind::Rotary, 8192.0}}));
  Assign(0, 1);
  Assign(0, 1);
  EXPECT_EQ(m_pRecord->m_UnitMode, 2);
  EXPECT_EQ(m_pRecord->m_ResRatioX, 1u << 31) << "Y has the finer resolution";
  EXPECT_EQ(m_pRecord->m_ResRatioY, 0u);
  ExpectArrayUnits("rad/s^2", "rad/s", "rot");  // rebuilt from the empty unit: internal numbers kept
  CString text = WithLines(DemoMotionText(), {{"X_TPOS", "X_TPOS[rot]=0.25"},
                                              {"Y_TPOS", "Y_TPOS[rot]=0"},
                                              {"CACC", "CACC[rad/s^2]=1, 2"},
                                              {"CSPD", "CSPD[rad/s]=1, 2"},
                                              {"Radius", "Radius[rot]=0.5"}});
  ASSERT_TRUE(Read(text)) << errors.GetString();
  ExpectArrayUnits("rad/s^2", "rad/s", "rot");
  EXPECT_EQ(m_pRecord->m_pPosIncrX->GetValueInInternalUnit(0), 2048.0) << "in the finer Y drive's counts";
}

TEST_F(AxisUnits, TangentAxisCountsPerRevolution) {
  Assign(0, 1, 2);
  EXPECT_EQ(m_pRecord->m_TangentUnitsPerRev, 4096);
  EXPECT_EQ(m_pProject->FindSetup("Rotary table")->FindVariable("TPOS", 1)->GetUnitName(), "rot")
      << "the tangent drive's variable is back in its own unit";
  Assign(0, 2, 1);
  EXPECT_EQ(m_pRecord->m_TangentUnitsPerRev, 0) << "a linear drive has no revolution";
  Assign(0, 1, 3);
  EXPECT_EQ(m_pRecord->m_TangentUnitsPerRev, 0) << "slave 3 is wired to no axis";
}

TEST_F(AxisUnits, UnchangedSlavesLeaveTheArraysAlone) {
  ASSERT_TRUE(Read(DemoMotionText())) << errors.GetString();
  const CMC_ArrayParameter* before = m_pRecord->m_pPosIncrX.get();
  m_pRecord->UpdateAxisUnits();
  EXPECT_EQ(m_pRecord->m_pPosIncrX.get(), before);
  EXPECT_EQ(m_pRecord->m_pPosIncrX->GetUnitName(), "mm");
}

TEST_F(AxisUnits, AnotherLinearReferenceKeepsPhysicalValues) {
  ASSERT_TRUE(Read(DemoMotionText())) << errors.GetString();
  EXPECT_EQ(m_pRecord->m_pPosIncrX->GetValueInInternalUnit(0), 20000.0);
  m_pRecord->m_SlaveX = 4;  // the conveyor: 100 counts/mm, coarser, so Y becomes the reference
  m_pRecord->UpdateAxisUnits();
  EXPECT_EQ(&m_pRecord->m_pPosIncrX->GetSetup(), m_pProject->FindSetup("Y drive"));
  EXPECT_EQ(m_pRecord->m_pPosIncrX->GetUnitName(), "mm");
  EXPECT_EQ(m_pRecord->m_pPosIncrX->GetValue(0), 10.0);
  EXPECT_EQ(m_pRecord->m_pPosIncrX->GetValueInInternalUnit(0), 10000.0);
  EXPECT_EQ(m_pRecord->m_pVectorAcc->GetValue(0), 1.0);
  EXPECT_EQ(m_pRecord->m_pVectorAcc->GetUnitName(), "m/s^2");
}

TEST_F(AxisUnits, ADetourThroughMixedKindsKeepsPhysicalSizesAndUnits) {
  ASSERT_TRUE(Read(DemoMotionText())) << errors.GetString();
  Assign(0, 2);  // rotary Y: kinds differ, plain numbers on the X drive
  Assign(0, 1);  // linear Y again
  ExpectArrayUnits("m/s^2", "m/s", "mm");
  Assign(4, 1);  // the coarse conveyor as X: the Y drive becomes the reference
  ExpectArrayUnits("m/s^2", "m/s", "mm");
  EXPECT_EQ(&m_pRecord->m_pPosIncrX->GetSetup(), m_pProject->FindSetup("Y drive"));
  EXPECT_EQ(m_pRecord->m_pPosIncrX->GetValue(0), 10.0);
  EXPECT_EQ(m_pRecord->m_pPosIncrX->GetValueInInternalUnit(0), 10000.0);
  EXPECT_EQ(m_pRecord->m_pRadius->GetValue(0), 20.0);
  EXPECT_EQ(m_pRecord->m_pVectorSpeed->GetValue(0), 0.5);
}

TEST_F(AxisUnits, MovedArraysKeepTheirLimits) {
  ASSERT_TRUE(Read(DemoMotionText())) << errors.GetString();
  Assign(4, 1);
  for (CMC_ArrayParameter* array : {m_pRecord->m_pVectorAcc.get(), m_pRecord->m_pVectorSpeed.get()}) {
    EXPECT_EQ(array->GetMinInInternalUnit(), 0.0) << array->GetName();
    EXPECT_FALSE(array->SetValue(0, -1.0)) << array->GetName();
  }
  EXPECT_EQ(m_pRecord->m_pRadius->GetMinInInternalUnit(), 1.0);
  EXPECT_EQ(m_pRecord->m_pRadius->GetMaxInInternalUnit(), CInternalData::kMaxRadius) << "counts of the new drive";
  EXPECT_FALSE(m_pRecord->m_pRadius->SetValueInInternalUnit(0, CInternalData::kMaxRadius + 1.0));
}

TEST_F(AxisUnits, SwitchingToRotaryKeepsInternalNumbers) {
  Use(ControllerWithSlaves({kFineLinear, kCoarseLinear, kRotary, kRotary}));
  ASSERT_TRUE(Read(DemoMotionText())) << errors.GetString();
  Assign(2, 3);
  EXPECT_EQ(m_pRecord->m_UnitMode, 2);
  ExpectArrayUnits("rad/s^2", "rad/s", "rot");
  EXPECT_EQ(m_pRecord->m_pPosIncrX->GetValueInInternalUnit(0), 20000.0);
  EXPECT_EQ(m_pRecord->m_pRadius->GetValueInInternalUnit(0), 40000.0);
  EXPECT_EQ(m_pRecord->m_pVectorSpeed->GetValueInInternalUnit(0), 1000.0) << "0.5 m/s at 2000 counts/mm and 1 ms";
}

TEST_F(AxisUnits, ValuesTheNewReferenceCannotHoldAreDroppedNotMisscaled) {
  Use(ControllerWithSlaves(
      {TestDrive{LoadKind::Linear, 10.0}, TestDrive{LoadKind::Linear, 10.0}, TestDrive{LoadKind::Linear, 10000.0}}));
  ASSERT_TRUE(Read(WithLine(DemoMotionText(), "X_TPOS", "X_TPOS[mm]=1000000"))) << errors.GetString();
  Assign(2, 1);  // 1000 m on a drive of 10000 counts/mm is beyond 32 bits
  EXPECT_EQ(m_pRecord->m_pPosIncrX->GetValuesCount(), 0);
  EXPECT_EQ(m_pRecord->m_pPosIncrX->GetName(), "X_TPOS");
  EXPECT_EQ(m_pRecord->m_pPosIncrY->GetValue(0), 5.0);
  int index = 0;
  EXPECT_EQ(m_pRecord->CheckData(index), "The position increment array on slave X has an incorrect size.");
}

}  // namespace
