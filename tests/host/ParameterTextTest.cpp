#include <gtest/gtest.h>

#include <memory>
#include <numbers>
#include <vector>

#include "host/CMC_ArrayParameter.h"
#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "host/HostMessages.h"
#include "tests/framework/CStringPrinter.h"
#include "tests/host/InvalidEntryMessage.h"
#include "tests/host/ParameterTextProbe.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

class ParameterTextTest : public ::testing::Test {
 protected:
  CMC_Setup& Controller() const { return m_Demo->GetController(); }
  CMC_Setup& Rotary() const { return *m_Demo->FindSetup("Rotary table"); }

  std::unique_ptr<CMC_Project> m_Demo = CMC_Project::CreateDemo();
  CMC_Motion m_Motion{Controller()};
  ParameterTextProbe m_Probe{Controller(), m_Motion};
};

}  // namespace

TEST_F(ParameterTextTest, EveryEntryKindReadsBackWhatWasWritten) {
  CMC_ArrayParameter positions(Controller());
  CMC_ArrayParameter speeds(Controller());
  CMC_ArrayParameter angles(Controller());
  CMC_ArrayParameter kinds(Controller());
  CMC_ArrayParameter none(Controller());
  ASSERT_TRUE(positions.InitializeMotionParam(VT_INT32, "X_TPOS", "mm", "12.5, -2", IU_OF_SETUP, IU_OF_SETUP));
  ASSERT_TRUE(speeds.InitializeMotionParam(VT_FIXED16_16, "CSPD", "mm/s", "50, 100.5", IU_OF_SETUP, IU_OF_SETUP));
  ASSERT_TRUE(angles.InitializeMotionParam(VT_FIXED16_16, "Angle", "deg", "90, 0.5", kDegree, 0.0));
  ASSERT_TRUE(kinds.InitializeMotionParam(VT_INT32, "SegmentType", "", "1, 2, 3", 1.0, 0.0));
  ASSERT_TRUE(none.InitializeMotionParam(VT_INT32, "Empty", "", "", 1.0, 0.0));

  CString text;
  m_Probe.WriteRadioParam(text, "Execute", 1);
  m_Probe.WriteRadioParam(text, "Mode", -3);
  for (const CMC_ArrayParameter* written : {&positions, &speeds, &angles, &kinds, &none})
    m_Probe.WriteArrayDataParam(text, *written);
  EXPECT_EQ(
      "Execute=1\nMode=-3\nX_TPOS[mm]=12.5, -2\nCSPD[mm/s]=50, 100.5\nAngle[deg]=90, 0.5\n"
      "SegmentType[]=1, 2, 3\nEmpty[]=\n",
      text);

  // Another program's lines around them, keys that only start like ours, and CR LF line ends.
  text = "Comment[mm]=not a number\nExecuted=7\nModeX=x\n" + text + "  Extra = 1  ";
  text.Replace("\n", "\r\n");
  int execute = 0;
  int mode = 0;
  std::vector<CMC_ArrayParameter> read(5, CMC_ArrayParameter(Controller()));
  EXPECT_EQ("", m_Probe.ReadRadioParam(text, "Execute", 0, 1, execute));
  EXPECT_EQ("", m_Probe.ReadRadioParam(text, "Mode", -5, 5, mode));
  EXPECT_EQ("", m_Probe.ReadArrayDataParam(text, read[0], "TPOS", "X_"));
  EXPECT_EQ("", m_Probe.ReadArrayDataParam(text, read[1], "CSPD"));
  EXPECT_EQ("", m_Probe.ReadArrayDataParamWithUnit(text, read[2], "Angle", VT_FIXED16_16, "rad", kDegree, 0.0));
  EXPECT_EQ("", m_Probe.ReadNoUnitArrayDataParam(text, read[3], "SegmentType", VT_INT32));
  EXPECT_EQ("", m_Probe.ReadNoUnitArrayDataParam(text, read[4], "Empty", VT_INT32));
  EXPECT_EQ(1, execute);
  EXPECT_EQ(-3, mode);
  const CMC_ArrayParameter* written[] = {&positions, &speeds, &angles, &kinds, &none};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(written[i]->GetName(), read[i].GetName());
    EXPECT_EQ(written[i]->GetType(), read[i].GetType());
    EXPECT_EQ(written[i]->GetUnitName(), read[i].GetUnitName());
    EXPECT_EQ(written[i]->SaveData(), read[i].SaveData());
    EXPECT_EQ(written[i]->GetValuesCount(), read[i].GetValuesCount());
    for (int index = 0; index < written[i]->GetValuesCount(); ++index)
      EXPECT_EQ(written[i]->GetValueInInternalUnit(index), read[i].GetValueInInternalUnit(index));
  }
}

TEST_F(ParameterTextTest, EmptyUnitPartMeansTheDefaultUnitAndPlainEntriesIgnoreTheUnitPart) {
  CMC_ArrayParameter position(Controller());
  CMC_ArrayParameter turn(Rotary());
  CMC_ArrayParameter angle(Controller());
  EXPECT_EQ("", m_Probe.ReadArrayDataParam("X_TPOS[]=10", position, "TPOS", "X_"));
  EXPECT_EQ("mm", position.GetUnitName());
  EXPECT_EQ(10000.0, position.GetValueInInternalUnit(0));
  EXPECT_EQ("", m_Probe.ReadArrayDataParam("TPOS[ ]=0.25", turn, "TPOS"));
  EXPECT_EQ("rot", turn.GetUnitName());
  EXPECT_EQ(1024.0, turn.GetValueInInternalUnit(0));
  EXPECT_EQ("", m_Probe.ReadArrayDataParamWithUnit("Angle[]=45", angle, "Angle", VT_FIXED16_16, "deg", kDegree, 0.0));
  EXPECT_EQ("deg", angle.GetUnitName());
  EXPECT_EQ(45.0, angle.GetValueInInternalUnit(0));

  CMC_ArrayParameter kinds(Controller());
  EXPECT_EQ("", m_Probe.ReadNoUnitArrayDataParam("SegmentType[mm]=1, 0", kinds, "SegmentType", VT_INT32));
  EXPECT_EQ("", kinds.GetUnitName());
  EXPECT_EQ("1, 0", kinds.SaveData());
  EXPECT_EQ("", m_Probe.ReadUnitlessArrayDataParam("SegmentType[ ]=0, 1", kinds, "SegmentType", VT_INT32));
  EXPECT_EQ("", m_Probe.ReadUnitlessArrayDataParam("SegmentType=1", kinds, "SegmentType", VT_INT32));
}

TEST_F(ParameterTextTest, AHandWrittenTextReadsOnTheDemoController) {
  const CString text =
      "Execute=1\nEventType=1\nEventDelay=250\nSlaveX=0\nSegmentType[]=0, 1\nCSPD[mm/s]=50, 20.5\nCACC[]=2, 2\n"
      "X_TPOS[mm]=10, 0\nRadius[mm]=\nInitAngle[deg]=90\nComment=written by hand\n";
  std::vector<CMC_ArrayParameter> read(5, CMC_ArrayParameter(Controller()));
  EXPECT_EQ("", m_Probe.ReadArrayDataParam(text, read[0], "CSPD"));
  EXPECT_EQ("", m_Probe.ReadArrayDataParam(text, read[1], "CACC"));
  EXPECT_EQ("", m_Probe.ReadArrayDataParam(text, read[2], "TPOS", "X_"));
  EXPECT_EQ("", m_Probe.ReadArrayDataParamWithUnit(text, read[3], "Radius", VT_INT32, "mm", IU_OF_SETUP, 0.0));
  EXPECT_EQ("", m_Probe.ReadArrayDataParamWithUnit(text, read[4], "InitAngle", VT_FIXED16_16, "deg", kDegree, 0.0));
  EXPECT_EQ(20.5, read[0].GetValueInInternalUnit(1));
  EXPECT_EQ("50.0", read[0].PrintValueForOrvel(0));
  EXPECT_EQ("m/s^2", read[1].GetUnitName());
  EXPECT_EQ(2.0, read[1].GetValueInInternalUnit(0));
  EXPECT_EQ(10000.0, read[2].GetValueInInternalUnit(0));
  EXPECT_EQ(0, read[3].GetValuesCount());
  EXPECT_EQ(90.0, read[4].GetValueInInternalUnit(0));
}

TEST_F(ParameterTextTest, EachFaultyEntryGivesOneMessageNamingItAndChangesNothing) {
  enum class Reader { Radio, Data, WithUnit, NoUnit, Unitless };
  struct Fault {
    Reader reader;
    const char* text;
  };
  const Fault faults[] = {
      {Reader::Radio, ""},
      {Reader::Radio, "Execute=1\nExecute=1\n"},
      {Reader::Radio, "Execute=x"},
      {Reader::Radio, "Execute="},
      {Reader::Radio, "Execute=1.0"},
      {Reader::Radio, "Execute=+-1"},
      {Reader::Radio, "Execute=1 1"},
      {Reader::Radio, "Execute=2"},
      {Reader::Radio, "Execute=-1"},
      {Reader::Radio, "Execute=99999999999999999999"},
      {Reader::Radio, "Execute[]=1"},
      {Reader::Radio, "Execute[mm]=1"},
      {Reader::Radio, "Execute 1"},
      {Reader::Radio, "Execute\r\n"},
      {Reader::Data, "Other[mm]=1"},
      {Reader::Data, "X_TPOS[mm]=1\r\nX_TPOS[mm]=2\r\n"},
      {Reader::Data, "X_TPOS[mm]=1, x"},
      {Reader::Data, "X_TPOS[mm]=1,"},
      {Reader::Data, "X_TPOS[mm]=nan"},
      {Reader::Data, "X_TPOS[mm]=1e10"},
      {Reader::Data, "X_TPOS[deg]=1"},
      {Reader::Data, "X_TPOS[mm/s]=1"},
      {Reader::Data, "X_TPOS[IU/ST]=1"},
      {Reader::Data, "X_TPOS[furlong]=1"},
      {Reader::Data, "X_TPOS=1"},
      {Reader::Data, "X_TPOS[mm]"},
      {Reader::Data, "X_TPOS[mm=1"},
      {Reader::Data, "X_TPOS[mm] 1"},
      {Reader::WithUnit, "Angle[mm]=1"},
      {Reader::WithUnit, "Angle[rad/s]=1"},
      {Reader::WithUnit, "Angle[deg]=40000"},
      {Reader::WithUnit, "Angle"},
      {Reader::NoUnit, "SegmentType=1e10"},
      {Reader::NoUnit, "SegmentType:1"},
      {Reader::Unitless, "SegmentType[mm]=1"},
  };
  for (const Fault& fault : faults) {
    CMC_ArrayParameter target(Controller());
    EXPECT_TRUE(target.InitializeMotionParam(VT_INT32, "Before", "mm", "7", IU_OF_SETUP, IU_OF_SETUP));
    int value = 42;
    CString message;
    const char* name = "";
    switch (fault.reader) {
      case Reader::Radio:
        name = "Execute";
        message = m_Probe.ReadRadioParam(fault.text, name, 0, 1, value);
        break;
      case Reader::Data:
        name = "X_TPOS";
        message = m_Probe.ReadArrayDataParam(fault.text, target, "TPOS", "X_");
        break;
      case Reader::WithUnit:
        name = "Angle";
        message = m_Probe.ReadArrayDataParamWithUnit(fault.text, target, name, VT_FIXED16_16, "deg", kDegree, 0.0);
        break;
      case Reader::NoUnit:
        name = "SegmentType";
        message = m_Probe.ReadNoUnitArrayDataParam(fault.text, target, name, VT_INT32);
        break;
      case Reader::Unitless:
        name = "SegmentType";
        message = m_Probe.ReadUnitlessArrayDataParam(fault.text, target, name, VT_INT32);
        break;
    }
    EXPECT_EQ(InvalidEntryMessage(name), message) << fault.text;
    EXPECT_EQ(42, value) << fault.text;
    EXPECT_EQ("Before", target.GetName()) << fault.text;
    EXPECT_EQ("7", target.SaveData()) << fault.text;
  }
}

TEST_F(ParameterTextTest, AValueHoldingANulByteIsMalformedNotCutShort) {
  CMC_ArrayParameter target(Controller());
  const CString text("SegmentType=1\0 2\n", 17);
  EXPECT_EQ(InvalidEntryMessage("SegmentType"),
            m_Probe.ReadNoUnitArrayDataParam(text, target, "SegmentType", VT_INT32));
}

TEST_F(ParameterTextTest, OptionalRadioEntryDefaultsToTheLowerBoundOnlyWhenMissing) {
  int value = 42;
  EXPECT_EQ("", m_Probe.ReadOptionalRadioParam("Other=3", "Mode", 2, 4, value));
  EXPECT_EQ(2, value);
  EXPECT_EQ("", m_Probe.ReadOptionalRadioParam("Mode=4\r\n", "Mode", 2, 4, value));
  EXPECT_EQ(4, value);
  for (const char* text : {"Mode=5", "Mode=", "Mode=3\nMode=3", "Mode[]=3", "Mode"}) {
    EXPECT_EQ(InvalidEntryMessage("Mode"), m_Probe.ReadOptionalRadioParam(text, "Mode", 2, 4, value)) << text;
    EXPECT_EQ(4, value) << text;
  }
}

TEST_F(ParameterTextTest, DataEntryNamesAndDefaultUnits) {
  EXPECT_EQ("X_TPOS", CMC_EditMotionInternalData::GetDataParamName("TPOS", "X_"));
  EXPECT_EQ("TPOS", CMC_EditMotionInternalData::GetDataParamName("TPOS"));
  EXPECT_EQ("Y_TPOS_END", CMC_EditMotionInternalData::GetDataParamName("TPOS", "Y_", "_END"));

  using Edit = CMC_EditMotionInternalData;
  EXPECT_EQ("mm", Edit::GetDefaultUnit("TPOS"));
  EXPECT_EQ("mm", Edit::GetDefaultUnit("TPOS", "X_", &Controller()));
  EXPECT_EQ("m/s", Edit::GetDefaultUnit("CSPD", nullptr, &Controller()));
  EXPECT_EQ("m/s^2", Edit::GetDefaultUnit("CACC"));
  EXPECT_EQ("rot", Edit::GetDefaultUnit("TPOS", "X_", &Rotary()));
  EXPECT_EQ("rad/s", Edit::GetDefaultUnit("CSPD", nullptr, &Rotary()));
  EXPECT_EQ("rad/s^2", Edit::GetDefaultUnit("CACC", nullptr, &Rotary()));
  EXPECT_EQ("", Edit::GetDefaultUnit("NLINESTAN"));
  EXPECT_EQ("", Edit::GetDefaultUnit("UNKNOWN"));
}

TEST_F(ParameterTextTest, HostStringsAreFoundThroughTheResourceChain) {
  CString text;
  ASSERT_TRUE(text.LoadString(IDS_HOST_SELECT_SLAVE_AXES));
  EXPECT_EQ("Select a slave axis for X and for Y.", text);
  ASSERT_TRUE(text.LoadString(IDS_HOST_INVALID_ENTRY));
  EXPECT_EQ("The parameter \"%s\" is missing or not valid.", text);
  EXPECT_EQ(20037u, static_cast<unsigned>(IDS_HOST_SELECT_SLAVE_AXES));
  EXPECT_EQ(20048u, static_cast<unsigned>(IDS_HOST_INVALID_ENTRY));
}
