#include <gtest/gtest.h>

#include <memory>
#include <numbers>
#include <random>
#include <string>

#include "host/CMC_ArrayParameter.h"
#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "host/CMotionEvent.h"
#include "tests/framework/CStringPrinter.h"
#include "tests/host/ParameterTextProbe.h"
#include "tests/support/PropertyCases.h"

// Damaged input must never crash a reader (the sanitizer build checks memory and undefined
// behaviour) and must give either no message or whole messages.
namespace {

const char kValidText[] =
    "Execute=1\r\nEventType=0\r\nEventInput=3\r\nEventLevel=1\r\nEventDelay=20\r\nMode=2\r\n"
    "X_TPOS[mm]=12.5, -2, 0.001\r\nCSPD[]=0.5\r\nAngle[deg]=90, -45\r\nSegmentType[]=1, 2\r\n";

const char kValidSetupFile[] =
    R"({"controller": {"name": "C", "variables": ["TPOS"], "options": {"IsClosedPosition": 1}},)"
    R"( "drives": [{"name": "D", "load": "rotary", "counts_per_unit": 4096}],)"
    R"( "axes": [{"id": 1, "name": "X", "drive": "D"}], "slaves": [1, null]})";

// Random damage of the kinds that make parsers stumble: changed, inserted and dropped bytes,
// with a bias towards the characters the syntax is made of.
std::string Mutated(std::string text, std::mt19937& random) {
  static const char kSyntax[] = "=[],.-+e\r\n\0 {}\":x9";
  const auto byte = [&] {
    return random() % 2 ? kSyntax[random() % (sizeof kSyntax - 1)] : static_cast<char>(random() % 256);
  };
  const int edits = 1 + static_cast<int>(random() % 6);
  for (int i = 0; i < edits; ++i) {
    const size_t at = text.empty() ? 0 : random() % text.size();
    switch (random() % 4) {
      case 0:
        if (!text.empty()) text[at] = byte();
        break;
      case 1:
        text.insert(at, 1, byte());
        break;
      case 2:
        text.erase(at, random() % 8);
        break;
      default:
        text.insert(at, text.substr(at, random() % 24));  // repeats a piece, keys included
    }
  }
  return text;
}

std::string RandomBytes(std::mt19937& random) {
  std::string text(random() % 64, '\0');
  for (char& c : text) c = static_cast<char>(random() % 256);
  return text;
}

// Empty, or one or more whole messages of the host's form.
void ExpectWholeMessages(const CString& message, const std::string& input) {
  const std::string text(message.GetString(), message.GetLength());
  if (text.empty()) return;
  EXPECT_EQ(0u, text.find("The parameter \"")) << input;
  EXPECT_EQ(text.size() - 2, text.rfind("\r\n")) << input;
}

}  // namespace

TEST(RobustnessTest, ParameterTextReadersSurviveDamagedText) {
  const auto demo = CMC_Project::CreateDemo();
  CMC_Motion motion(demo->GetController());
  ParameterTextProbe probe(demo->GetController(), motion);
  std::mt19937 random(4711);
  for (int i = 0, cases = PropertyCases(4000); i < cases; ++i) {
    const std::string input = i % 8 == 0 ? RandomBytes(random) : Mutated(kValidText, random);
    const CString text(input.data(), static_cast<int>(input.size()));
    CMC_ArrayParameter array(demo->GetController());
    int value = 0;
    ExpectWholeMessages(probe.ReadRadioParam(text, "Mode", 0, 3, value), input);
    ExpectWholeMessages(probe.ReadOptionalRadioParam(text, "Execute", 1, 1, value), input);
    ExpectWholeMessages(probe.ReadArrayDataParam(text, array, "TPOS", "X_"), input);
    ExpectWholeMessages(probe.ReadArrayDataParam(text, array, "CSPD"), input);
    ExpectWholeMessages(
        probe.ReadArrayDataParamWithUnit(text, array, "Angle", VT_FIXED16_16, "deg", std::numbers::pi / 180.0, 0.0),
        input);
    ExpectWholeMessages(probe.ReadNoUnitArrayDataParam(text, array, "SegmentType", VT_INT32), input);
    ExpectWholeMessages(probe.ReadUnitlessArrayDataParam(text, array, "CSPD", VT_INT32), input);
    for (int index = -1; index <= array.GetValuesCount(); ++index) {
      array.PrintValue(index);
      array.PrintValueForOrvel(index);
    }
    array.SaveData();

    CMotionEvent event(demo->GetController(), motion);
    event.m_wFlags = static_cast<WORD>(i % 2);
    CString message;
    event.ReadData(text, message);
    ExpectWholeMessages(message, input);
    event.GetDescription(i % 2);
    event.GenerateMLCode();
  }
}

TEST(RobustnessTest, SetupLoaderSurvivesDamagedFiles) {
  std::mt19937 random(815);
  int loaded = 0;
  for (int i = 0, cases = PropertyCases(4000); i < cases; ++i) {
    const std::string input = i % 8 == 0 ? RandomBytes(random) : Mutated(kValidSetupFile, random);
    const auto project =
        CMC_Project::LoadFromJsonText(CString(input.data(), static_cast<int>(input.size())), "fuzz.json");
    if (project) {
      ++loaded;
      CMC_Setup& controller = project.Value()->GetController();
      CMC_Motion motion(controller);
      for (int slave = 0; slave < controller.GetMotionControllerSlaveCount(); ++slave)
        motion.GetMotionControllerSlaveAxis(slave);
    } else {
      EXPECT_EQ(0u, project.Failure().message.find("setup file \"fuzz.json\": ")) << input;
    }
  }
  EXPECT_LT(0, loaded);  // some damage leaves a valid file, so the loaded path is exercised too
}
