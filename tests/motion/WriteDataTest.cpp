#include "tests/motion/MotionFixture.h"

namespace {

using WriteData = RecordFixture;

// The fields a parameter text carries, for comparing two records.
struct Fields {
  int configure, clear, endSegment, x, y, tangent, execute, wait;
  CString arrays;
  CString event;
  bool operator==(const Fields&) const = default;
};

Fields FieldsOf(CInternalData& record) {
  Fields fields{record.m_ConfigureMode,
                record.m_ClearBuffer,
                record.m_InsertEndSegment,
                record.m_SlaveX,
                record.m_SlaveY,
                record.m_SlaveTangent,
                record.m_Execute,
                record.m_WaitForCompletion,
                {},
                {}};
  for (const CMC_ArrayParameter* array : record.SegmentArrays())
    fields.arrays += array->GetName() + "[" + array->GetUnitName() + "]=" + array->SaveData() + "\n";
  if (record.m_Execute == 1) fields.event = record.m_Event.GetDescription(1);
  return fields;
}

TEST_F(WriteData, WhatIsWrittenReadsBackTheSame) {
  for (int configure = 0; configure <= 1; ++configure)
    for (int endSegment = 0; endSegment <= 1; ++endSegment)
      for (int execute = 0; execute <= 1; ++execute) {
        CString text = WithLine(DemoMotionText(), "ConfigureMode", configure ? "ConfigureMode=1" : "ConfigureMode=0");
        text = WithLine(text, "ClearBuffer", "ClearBuffer=1");
        text = WithLine(text, "InsertEndSegment", endSegment ? "InsertEndSegment=1" : "InsertEndSegment=0");
        text = WithLine(text, "SlaveTangent", "SlaveTangent=2");
        text = WithLine(text, "Execute", execute ? "Execute=1\nEventType=0\nEventInput=7\nEventLevel=0" : "Execute=0");
        const int read = Read(text);
        EXPECT_TRUE(read) << errors.GetString();
        if (!read) continue;
        const Fields original = FieldsOf(*m_pRecord);
        CString written;
        m_pRecord->WriteData(written);
        EXPECT_EQ(written.Find("ClearBuffer") >= 0, configure == 1) << written.GetString();
        EXPECT_EQ(written.Find("WaitForCompletion") >= 0, endSegment == 1);
        EXPECT_EQ(written.Find("EventInput") >= 0, execute == 1);

        ASSERT_TRUE(Read(written)) << errors.GetString() << written.GetString();
        Fields reread = FieldsOf(*m_pRecord);
        if (configure == 0) reread.clear = original.clear;  // left out: the reader's default
        if (endSegment == 0) reread.wait = original.wait;
        EXPECT_EQ(reread, original) << written.GetString();
      }
}

TEST_F(WriteData, ValuesSurviveInTheUnitsTheUserChose) {
  ASSERT_TRUE(Read(WithLine(DemoMotionText(), "X_TPOS", "X_TPOS[mm]=10.0005"))) << errors.GetString();
  m_pRecord->m_pPosIncrY->ChangeUnit("um");
  CString written;
  m_pRecord->WriteData(written);
  EXPECT_GE(written.Find("X_TPOS[mm]=10.0005\n"), 0) << written.GetString();
  EXPECT_GE(written.Find("Y_TPOS[um]=5000\n"), 0) << written.GetString();
}

TEST_F(WriteData, AFaultyTextStillWritesEveryEntryUnderItsName) {
  EXPECT_EQ(Read("SlaveX=0\nSlaveY=1\nSegmentType[]=x\nCACC=1\nRadius[deg]=1\nInitAngle[mm]=5\n"), 0);
  CString written;
  m_pRecord->WriteData(written);
  for (const char* entry : {"\nSegmentType[]=\n", "\nCACC[m/s^2]=\n", "\nCSPD[m/s]=\n", "\nX_TPOS[mm]=\n",
                            "\nY_TPOS[mm]=\n", "\nRadius[mm]=\n", "\nInitAngle[deg]=\n", "\nAngleIncrement[deg]=\n"})
    EXPECT_GE(written.Find(entry), 0) << entry << " in\n" << written.GetString();
}

TEST_F(WriteData, DefaultSlavesAreTheFirstWiredOnes) {
  struct Case {
    std::vector<std::optional<TestDrive>> slaves;
    const char* expected;
  };
  const Case cases[] = {
      {{std::nullopt, TestDrive{}, std::nullopt, TestDrive{}}, "SlaveX=1\nSlaveY=3\nSlaveTangent=-1\n"},
      {{TestDrive{}, TestDrive{}, TestDrive{}, TestDrive{}}, "SlaveX=0\nSlaveY=1\nSlaveTangent=2\n"},
      {{TestDrive{}}, "SlaveX=0\nSlaveY=0\nSlaveTangent=-1\n"},
      {{std::nullopt, std::nullopt}, "SlaveX=0\nSlaveY=0\nSlaveTangent=-1\n"},
  };
  for (const Case& c : cases) {
    Use(ControllerWithSlaves(c.slaves));
    EXPECT_GE(m_pRecord->GetDefaultText().Find(c.expected), 0) << c.expected;
  }
}

TEST_F(WriteData, TheDefaultMotionIsOneLinearSegmentThatStillNeedsAMovement) {
  const CString text = m_pRecord->GetDefaultText();
  EXPECT_EQ(text,
            "ConfigureMode=1\nClearBuffer=1\nInsertEndSegment=1\nSlaveX=0\nSlaveY=1\nSlaveTangent=2\n"
            "SegmentType[]=0\nCACC[m/s^2]=0\nCSPD[m/s]=0\nX_TPOS[mm]=0\nY_TPOS[mm]=0\n"
            "Radius[mm]=\nInitAngle[deg]=\nAngleIncrement[deg]=\nExecute=0\nWaitForCompletion=1\n");
  EXPECT_EQ(Read(text), 0);
  EXPECT_EQ(errors, "Illegal position increment values!\nLinear segments cannot have all increments equal to 0.");
  EXPECT_EQ(m_pRecord->m_SegmentType.GetValuesCount(), 1);
  EXPECT_EQ(m_pRecord->m_TangentUnitsPerRev, 4096);
}

}  // namespace
