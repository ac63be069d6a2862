#include "tests/motion/MotionFixture.h"

namespace {

// Starts from a valid two-segment motion and changes one option at a time.
class ProgramGenerator : public RecordFixture {
 protected:
  CString Program(const CString& text) {
    EXPECT_TRUE(Read(text)) << errors.GetString();
    return m_pRecord->GenerateCode();
  }
  static CString Base() { return WithLine(DemoMotionText(), "CSPD", "CSPD[m/s]=0.5, 0.25"); }
};

bool Contains(const CString& text, const char* part) { return text.Find(part) >= 0; }

bool EndsWith(const CString& text, const char* tail) {
  const CString expected(tail);
  return text.Right(expected.GetLength()) == expected;
}

TEST_F(ProgramGenerator, TheTwoSegmentExampleLineForLine) {
  EXPECT_EQ(Program(Base()),
            "  SETMODE 0x4F00; //Leave buffer intact\r\n"
            "  VPLANE (A, B);\r\n"
            "  RESRATIOX=0u;\r\n"
            "  RESRATIOY=2147483648u;\r\n"
            "  MODE VM; // Set Vector Mode\r\n"
            "  VACC = 2.0; // Vector Acceleration = 1[m/s^2]\r\n"
            "  VSPD = 1000.0; // Vector Speed = 0.5[m/s]\r\n"
            "  // Increment position with (X, Y) = (10[mm], 5[mm])\r\n"
            "  VSEG1 20000L, 10000L; VSEG2 20000L, 10000L;\r\n"
            "  UPD; //Execute immediate\r\n"
            "  VACC = 4.0; // Vector Acceleration = 2[m/s^2]\r\n"
            "  VSPD = 500.0; // Vector Speed = 0.25[m/s]\r\n"
            "  // Circular segment of radius 20[mm], with initial angle 0[deg] and angle increment 90[deg]\r\n"
            "  CIRCLE1 40000L, 90.0; CIRCLE2 40000L, 0.0;\r\n"
            "  // Insert End Segment\r\n"
            "  VSEG1 0L, 0L; VSEG2 0L, 0L;\r\n"
            "  WMC (A, B); // wait for motion completion\r\n");
}

TEST_F(ProgramGenerator, WithoutConfigurationTheProgramStartsWithTheFirstSegment) {
  const CString program = Program(WithLine(Base(), "ConfigureMode", "ConfigureMode=0"));
  EXPECT_EQ(program.Find("  VACC = 2.0;"), 0);
  for (const char* absent : {"SETMODE", "VPLANE", "RESRATIO", "NLINESTAN", "MODE VM"})
    EXPECT_FALSE(Contains(program, absent)) << absent;

  CString still = WithLine(Base(), "ConfigureMode", "ConfigureMode=0");
  still = WithLine(still, "CACC", "CACC[m/s^2]=0, 2");
  still = WithLine(still, "CSPD", "CSPD[m/s]=0, 0.25");
  EXPECT_EQ(Program(still).Find("  // Increment position"), 0);
}

TEST_F(ProgramGenerator, ClearingTheBufferAndUndeterminedUnits) {
  CString text = WithLine(Base(), "ClearBuffer", "ClearBuffer=1");
  text = WithLine(text, "SlaveY", "SlaveY=2");  // rotary Y beside linear X: units undetermined
  text = WithLine(text, "CACC", "CACC[]=3, 0");
  text = WithLine(text, "CSPD", "CSPD[]=0, 0");
  text = WithLine(text, "X_TPOS", "X_TPOS[]=100");
  text = WithLine(text, "Y_TPOS", "Y_TPOS=5");
  text = WithLine(text, "Radius", "Radius[]=300");
  const CString program = Program(text);
  EXPECT_EQ(program.Find("  SETMODE 0xCF00; //Clear buffer\r\n  VPLANE (A, C);\r\n  MODE VM; // Set Vector Mode\r\n"),
            0)
      << program.GetString();
  EXPECT_TRUE(Contains(program, "  VACC = 3.0; // Vector Acceleration = 3[]\r\n  // Increment"));
  EXPECT_TRUE(Contains(program, "VSEG1 100L, 5L;")) << "5 is read as a plain count too";
}

TEST_F(ProgramGenerator, TangentAxisJoinsTheAxisListAndSetsItsResolution) {
  CString program = Program(WithLine(Base(), "SlaveTangent", "SlaveTangent=2"));
  EXPECT_TRUE(Contains(program,
                       "  VPLANE (A, B, C);\r\n  RESRATIOX=0u;\r\n  RESRATIOY=2147483648u;\r\n"
                       "  NLINESTAN=4096;\r\n  MODE VM;"));
  EXPECT_TRUE(Contains(program, "  WMC (A, B, C); // wait"));

  Use(ControllerWithSlaves(
      {TestDrive{LoadKind::Rotary, 4096.0}, TestDrive{}, TestDrive{LoadKind::Linear, 2000.0}, std::nullopt}));
  CString text =
      WithLines(Base(), {{"SlaveX", "SlaveX=1"}, {"SlaveY", "SlaveY=2"}, {"SlaveTangent", "SlaveTangent=0"}});
  program = Program(text);
  EXPECT_TRUE(
      Contains(program, "  VPLANE (B, C, A);\r\n  RESRATIOX=2147483648u;\r\n  RESRATIOY=0u;\r\n  NLINESTAN=4096;\r\n"))
      << program.GetString();
}

TEST_F(ProgramGenerator, LettersFollowTheSlaveIndexes) {
  auto project = ControllerWithSlaves({TestDrive{}, TestDrive{}, std::nullopt, TestDrive{LoadKind::Rotary, 1000.0}});
  Use(std::move(project));
  CString text =
      WithLines(Base(), {{"SlaveX", "SlaveX=1"}, {"SlaveY", "SlaveY=0"}, {"SlaveTangent", "SlaveTangent=3"}});
  const CString program = Program(text);
  EXPECT_TRUE(Contains(program, "  VPLANE (B, A, D);\r\n")) << program.GetString();
  EXPECT_TRUE(Contains(program, "  NLINESTAN=1000;\r\n"));
}

TEST_F(ProgramGenerator, EachKindOfSegmentTakesItsOwnRank) {
  CString text = WithLines(Base(), {{"SegmentType", "SegmentType[]=1, 0, 1"},
                                    {"CACC", "CACC[m/s^2]=0, 0, 0"},
                                    {"CSPD", "CSPD[m/s]=0, 0.5, 0"},
                                    {"X_TPOS", "X_TPOS[mm]=-1"},
                                    {"Y_TPOS", "Y_TPOS[mm]=0"},
                                    {"Radius", "Radius[mm]=1, 2"},
                                    {"InitAngle", "InitAngle[deg]=10, 20"},
                                    {"AngleIncrement", "AngleIncrement[deg]=-30, 40.5"}});
  const CString program = Program(text);
  const int first = program.Find("CIRCLE1 2000L, -30.0; CIRCLE2 2000L, 10.0;");
  const int update = program.Find("UPD;");
  const int speed = program.Find(
      "  VSPD = 1000.0; // Vector Speed = 0.5[m/s]\r\n  // Increment position with (X, Y) = (-1[mm], 0[mm])\r\n  VSEG1 "
      "-2000L, 0L; VSEG2 -2000L, 0L;");
  const int last = program.Find(
      "  // Circular segment of radius 2[mm], with initial angle 20[deg] and angle increment 40.5[deg]\r\n"
      "  CIRCLE1 4000L, 40.5; CIRCLE2 4000L, 20.0;");
  EXPECT_TRUE(first >= 0 && first < update && update < speed && speed < last) << program.GetString();
  EXPECT_FALSE(Contains(program, "VACC")) << "acceleration 0 keeps the one in force";
}

TEST_F(ProgramGenerator, OneSegmentEndsAfterTheStartOrTheEndSegment) {
  CString text =
      WithLines(Base(), {{"SegmentType", "SegmentType[]=0"}, {"CACC", "CACC[m/s^2]=1"}, {"CSPD", "CSPD[m/s]=0.5"}});
  for (const char* key : {"Radius", "InitAngle", "AngleIncrement"}) text = WithLine(text, key, "");
  text += "Radius[mm]=\nInitAngle[deg]=\nAngleIncrement[deg]=\n";
  const char kStart[] = "  UPD; //Execute immediate\r\n";
  const char kEnd[] = "  // Insert End Segment\r\n  VSEG1 0L, 0L; VSEG2 0L, 0L;\r\n";
  const char kWait[] = "  WMC (A, B); // wait for motion completion\r\n";
  EXPECT_TRUE(EndsWith(Program(text), (CString(kStart) + kEnd + kWait).GetString()));
  const CString bare = Program(WithLine(text, "InsertEndSegment", "InsertEndSegment=0"));
  EXPECT_TRUE(EndsWith(bare, kStart));
  EXPECT_FALSE(Contains(bare, "WMC")) << "no wait without the end segment";
  EXPECT_TRUE(EndsWith(Program(WithLine(text, "WaitForCompletion", "WaitForCompletion=0")), kEnd));
}

TEST_F(ProgramGenerator, TheStartEventWaitsBetweenTheFirstSegmentAndTheStart) {
  const CString program = Program(WithLine(Base(), "Execute", "Execute=1\nEventType=0\nEventInput=3\nEventLevel=1"));
  EXPECT_TRUE(Contains(program,
                       "  VSEG1 20000L, 10000L; VSEG2 20000L, 10000L;\r\n"
                       "  // Wait for event: input 3 high\r\n"
                       "  WAITINPUT 3, 1;\r\n"
                       "  UPD; //Execute immediate\r\n"))
      << program.GetString();
}

TEST_F(ProgramGenerator, GeneratingTwiceGivesTheSameText) {
  const CString first = Program(Base());
  EXPECT_EQ(m_pRecord->GenerateCode(), first);
}

}  // namespace
