#include "tests/motion/MotionFixture.h"

namespace {

using ReadData = RecordFixture;

const char kCircularMessage[] =
    "Illegal radius or angle increment values!\nCircular segments cannot have radius or angle increments equal to 0.";

TEST_F(ReadData, AValidTextFillsTheRecord) {
  ASSERT_NE(Read(DemoMotionText()), 0);
  EXPECT_EQ(errors, "");
  const CInternalData& record = *m_pRecord;
  EXPECT_EQ(record.m_ConfigureMode, 1);
  EXPECT_EQ(record.m_ClearBuffer, 0);
  EXPECT_EQ(record.m_InsertEndSegment, 1);
  EXPECT_EQ(record.m_SlaveX, 0);
  EXPECT_EQ(record.m_SlaveY, 1);
  EXPECT_EQ(record.m_SlaveTangent, -1);
  EXPECT_EQ(record.m_UnitMode, 1);
  EXPECT_EQ(record.m_ResRatioY, 1u << 31);
  EXPECT_EQ(record.m_pPosIncrY->GetValueInInternalUnit(0), 10000.0) << "5 mm in X's counts";
  EXPECT_EQ(record.m_pRadius->PrintValueForOrvel(0), "40000L");
  EXPECT_EQ(record.m_AngleIncrement.PrintValueForOrvel(0), "90.0");
  EXPECT_EQ(record.m_pVectorAcc->GetMinInInternalUnit(), 0.0);
  EXPECT_EQ(record.m_SegmentType.GetMaxInInternalUnit(), 1.0);
  EXPECT_EQ(record.m_pRadius->GetMaxInInternalUnit(), CInternalData::kMaxRadius);
  EXPECT_EQ(record.m_Execute, 0);
  EXPECT_EQ(record.m_WaitForCompletion, 1);
}

TEST_F(ReadData, PassingEntriesThenFailingValidationGiveOnlyTheValidationMessage) {
  EXPECT_EQ(Read(WithLine(DemoMotionText(), "AngleIncrement", "AngleIncrement[deg]=0")), 0);
  EXPECT_EQ(errors, kCircularMessage);
}

TEST_F(ReadData, SlavesMustBeDistinctUsableAxes) {
  EXPECT_EQ(Read(WithLine(DemoMotionText(), "SlaveY", "SlaveY=0")), 0);
  EXPECT_EQ(errors, EntryMessage("SlaveY"));

  EXPECT_EQ(Read(WithLine(DemoMotionText(), "SlaveTangent", "SlaveTangent=0")), 0);
  EXPECT_EQ(errors, EntryMessage("SlaveTangent"));

  EXPECT_EQ(Read(WithLine(DemoMotionText(), "SlaveTangent", "SlaveTangent=2")), 1) << errors.GetString();

  EXPECT_EQ(Read(WithLine(DemoMotionText(), "SlaveX", "SlaveX=4")), 0);
  EXPECT_EQ(errors, EntryMessage("SlaveX")) << "the conveyor drive is not position-controlled";

  EXPECT_EQ(Read(WithLine(DemoMotionText(), "SlaveX", "SlaveX=3")), 0);
  EXPECT_EQ(errors, EntryMessage("SlaveX")) << "slave 3 is wired to no axis";

  EXPECT_EQ(Read(WithLine(DemoMotionText(), "SlaveY", "SlaveY=5")), 0);
  EXPECT_EQ(errors, EntryMessage("SlaveY")) << "5 is within the bounds but there is no slave 5";

  EXPECT_EQ(Read(WithLine(DemoMotionText(), "SlaveY", "SlaveY=6")), 0);
  EXPECT_EQ(errors, EntryMessage("SlaveY"));

  Use(ControllerWithSlaves(std::vector<std::optional<TestDrive>>(27, TestDrive{})));
  EXPECT_EQ(Read(WithLines(DemoMotionText(), {{"SlaveX", "SlaveX=25"}, {"SlaveY", "SlaveY=26"}})), 0);
  EXPECT_EQ(errors, EntryMessage("SlaveY")) << "slave 25 is Z, slave 26 has no letter";
}

TEST_F(ReadData, AxisWithoutDriveSetupIsRefused) {
  auto project = ControllerWithSlaves({TestDrive{}, TestDrive{}});
  project->AddAxis(9, "bare", nullptr);
  project->GetController().AddSlave(9);
  Use(std::move(project));
  EXPECT_EQ(Read(WithLine(DemoMotionText(), "SlaveY", "SlaveY=2")), 0);
  EXPECT_EQ(errors, EntryMessage("SlaveY"));
}

TEST_F(ReadData, EveryFaultyEntryGivesOneMessageInTableOrder) {
  CString text = WithLines(DemoMotionText(), {{"ConfigureMode", "ConfigureMode=yes"},
                                              {"SlaveTangent", "SlaveTangent=9"},
                                              {"CSPD", "CSPD[m/s]=1, 2, 3"},
                                              {"Radius", "Radius[deg]=20"},
                                              {"Execute", ""}});
  EXPECT_EQ(Read(text), 0);
  EXPECT_EQ(errors, EntryMessage("ConfigureMode") + EntryMessage("SlaveTangent") + EntryMessage("CSPD") +
                        EntryMessage("Radius") + EntryMessage("Execute"));
}

TEST_F(ReadData, AnEmptyPathIsOneMessageForTheSegmentList) {
  CString text = WithLines(DemoMotionText(), {{"SegmentType", "SegmentType[]="},
                                              {"CACC", "CACC[m/s^2]="},
                                              {"CSPD", "CSPD[m/s]="},
                                              {"X_TPOS", "X_TPOS[mm]="},
                                              {"Y_TPOS", "Y_TPOS[mm]="},
                                              {"Radius", "Radius[mm]="},
                                              {"InitAngle", "InitAngle[deg]="},
                                              {"AngleIncrement", "AngleIncrement[deg]="}});
  EXPECT_EQ(Read(text), 0);
  EXPECT_EQ(errors, EntryMessage("SegmentType"));
}

TEST_F(ReadData, CountsMustFitTheSegmentList) {
  EXPECT_EQ(Read(WithLine(DemoMotionText(), "CACC", "CACC[m/s^2]=1, 2, 3")), 0);
  EXPECT_EQ(errors, EntryMessage("CACC"));
  EXPECT_EQ(Read(WithLine(DemoMotionText(), "X_TPOS", "X_TPOS[mm]=1, 2")), 0);
  EXPECT_EQ(errors, EntryMessage("X_TPOS"));
  EXPECT_EQ(Read(WithLine(DemoMotionText(), "InitAngle", "InitAngle[deg]=")), 0);
  EXPECT_EQ(errors, EntryMessage("InitAngle"));
}

TEST_F(ReadData, ValuesOutsideTheArraysLimitsAreRefused) {
  EXPECT_EQ(Read(WithLine(DemoMotionText(), "CACC", "CACC[m/s^2]=-1, 2")), 0);
  EXPECT_EQ(errors, EntryMessage("CACC"));
  EXPECT_EQ(Read(WithLine(DemoMotionText(), "SegmentType", "SegmentType[]=0, 2")), 0);
  EXPECT_EQ(errors, EntryMessage("SegmentType"));
  EXPECT_EQ(Read(WithLine(DemoMotionText(), "Radius", "Radius[mm]=200000")), 0);
  EXPECT_EQ(errors, EntryMessage("Radius")) << "400 million counts exceed the radius limit";
}

TEST_F(ReadData, OptionalEntriesMayBeLeftOut) {
  CString text = DemoMotionText();
  for (const char* key : {"ConfigureMode", "ClearBuffer", "InsertEndSegment", "WaitForCompletion"})
    text = WithLine(text, key, "");
  EXPECT_EQ(Read(text), 1) << errors.GetString();
  EXPECT_EQ(m_pRecord->m_ConfigureMode, 0);
  EXPECT_EQ(m_pRecord->m_WaitForCompletion, 0);
  EXPECT_EQ(Read(WithLine(DemoMotionText(), "ClearBuffer", "ClearBuffer=7")), 0) << "present but out of bounds";
  EXPECT_EQ(errors, EntryMessage("ClearBuffer"));
}

TEST_F(ReadData, UndeterminedUnitsReadPlainNumbersWrittenWithoutUnit) {
  const CString text = WithLines(DemoMotionText(), {{"SlaveY", "SlaveY=2"},  // linear X with rotary Y
                                                    {"CACC", "CACC[]=3, 0"},
                                                    {"CSPD", "CSPD[]=1, 0"},
                                                    {"X_TPOS", "X_TPOS=100"},
                                                    {"Y_TPOS", "Y_TPOS[]=5"},
                                                    {"Radius", "Radius[]=30"}});
  EXPECT_EQ(Read(text), 1) << errors.GetString();
  EXPECT_EQ(m_pRecord->m_UnitMode, 0);
  EXPECT_EQ(m_pRecord->m_pPosIncrX->GetValueInInternalUnit(0), 100.0);
  EXPECT_EQ(m_pRecord->m_pPosIncrX->GetUnitName(), "");
  EXPECT_EQ(m_pRecord->m_pVectorAcc->PrintValueForOrvel(0), "3.0");
  EXPECT_EQ(m_pRecord->m_pRadius->PrintValueForOrvel(0), "30L");
  EXPECT_EQ(Read(WithLine(text, "X_TPOS", "X_TPOS[mm]=10")), 0) << "millimetres cannot become counts of both axes";
  EXPECT_EQ(errors, EntryMessage("X_TPOS"));
}

TEST_F(ReadData, AnglesReadOnASetupWithoutDegrees) {
  m_pProject->GetController().GetUnits().RemoveUnit("deg");
  for (const char* increment : {"AngleIncrement[deg]=90", "AngleIncrement[]=90", "AngleIncrement[rad]=90"}) {
    EXPECT_EQ(Read(WithLine(DemoMotionText(), "AngleIncrement", increment)), 1) << increment << errors.GetString();
    EXPECT_EQ(m_pRecord->m_AngleIncrement.PrintValueForOrvel(0), "90.0") << "a degree counts as one base unit";
  }
}

TEST_F(ReadData, StartEventEntriesAreReadOnlyWhenExecutingOnTheEvent) {
  CString text = WithLine(DemoMotionText(), "Execute", "Execute=1");
  EXPECT_EQ(Read(text), 0);
  EXPECT_EQ(errors, EntryMessage("EventType") + EntryMessage("EventInput") + EntryMessage("EventLevel"));
  text += "EventType=1\nEventDelay=250\n";
  EXPECT_EQ(Read(text), 1) << errors.GetString();
  EXPECT_EQ(m_pRecord->m_Event.GetDelayMs(), 250);
}

TEST_F(ReadData, CarriageReturnsForeignLinesAndAByteOrderMarkAreTolerated) {
  CString text = DemoMotionText();
  text.Replace("\n", "\r\n");
  text = "Comment=written by hand\r\n" + text;
  EXPECT_EQ(Read(text), 1) << errors.GetString();
  EXPECT_EQ(Read("\xEF\xBB\xBF" + DemoMotionText()), 1) << errors.GetString();
  EXPECT_EQ(m_pRecord->m_ConfigureMode, 1) << "the first entry follows the byte-order mark";
}

TEST_F(ReadData, AnyBytesGiveMessagesNotCrashes) {
  const CString samples[] = {CString(),
                             CString("\0\0\0", 3),
                             "SlaveX=99999999999999999999\n",
                             "=\n[\n]\n==\n",
                             "SegmentType[=0\nSegmentType[]=0\n",
                             "CACC[m/s^2]=nan\nCACC[m/s^2]=1e400\n"};
  for (const CString& text : samples) {
    EXPECT_EQ(Read(text), 0);
    EXPECT_FALSE(errors.IsEmpty());
    EXPECT_NE(m_pRecord->m_pRadius, nullptr) << "the record is complete enough to edit";
  }
}

}  // namespace
