#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/CFile.h"
#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "tests/framework/CStringPrinter.h"
#include "tests/framework/TemporaryDirectory.h"

namespace {

// Every key the loader knows, with a drive of each load and an axis without a drive.
const char kCellFile[] = R"({
  "controller": {
    "name": "Cell controller",
    "motion_controller": true,
    "load": "linear",
    "counts_per_unit": 1000,
    "sample_period_s": 0.001,
    "variables": ["CSPD", "TPOS"],
    "options": {"IsClosedPosition": 1}
  },
  "drives": [
    {"name": "X drive", "counts_per_unit": 2000, "options": {"IsClosedPosition": 0}},
    {"name": "Turntable", "load": "rotary", "counts_per_unit": 8192, "sample_period_s": 0.0005}
  ],
  "axes": [
    {"id": 1, "name": "X", "drive": "X drive"},
    {"id": 4, "drive": "Turntable"},
    {"id": 9, "name": "Spare"}
  ],
  "slaves": [1, null, 4]
})";

void ExpectResolution(const CMC_Setup* setup, const char* name, LoadKind load, double countsPerUnit,
                      double samplePeriod) {
  ASSERT_NE(nullptr, setup) << name;
  EXPECT_EQ(name, setup->GetName());
  EXPECT_EQ(load, setup->GetUnits().GetResolution().load) << name;
  EXPECT_EQ(countsPerUnit, setup->GetUnits().GetResolution().countsPerUnit) << name;
  EXPECT_EQ(samplePeriod, setup->GetUnits().GetResolution().samplePeriod) << name;
}

// The names of the axes the controller's slaves reach, "-" for none, from slave -1 to one past the last.
std::string AxesOfSlaves(const CMC_Project& project) {
  const CMC_Motion motion(project.GetController());
  std::string names;
  for (int slave = -1; slave <= project.GetController().GetMotionControllerSlaveCount(); ++slave) {
    const CMC_AxisData* axis = motion.GetMotionControllerSlaveAxis(slave);
    names += std::string(axis != nullptr ? axis->GetName().GetString() : "-") + " ";
  }
  return names;
}

class SetupFileTest : public TemporaryDirectoryTest {};

}  // namespace

TEST(DemoProjectTest, HoldsAControllerWithFiveSlavesAndFourDrives) {
  const auto demo = CMC_Project::CreateDemo();
  CMC_Setup& controller = demo->GetController();
  ExpectResolution(&controller, "Vector controller", LoadKind::Linear, 1000.0, 0.001);
  EXPECT_TRUE(controller.IsMotionController());
  for (const char* name : {"CACC", "CSPD", "TPOS", "NLINESTAN"})
    EXPECT_NE(nullptr, controller.FindVariable(name, FV_EXACT_NAME)) << name;
  EXPECT_EQ(nullptr, controller.FindVariable("tpos", FV_EXACT_NAME));
  EXPECT_NE(nullptr, controller.FindVariable("tpos", 0));
  EXPECT_EQ("- X Y C - Conveyor - ", AxesOfSlaves(*demo));

  ExpectResolution(demo->FindAxis(1)->GetSetup(), "X drive", LoadKind::Linear, 2000.0, 0.001);
  ExpectResolution(demo->FindAxis(2)->GetSetup(), "Y drive", LoadKind::Linear, 1000.0, 0.001);
  ExpectResolution(demo->FindAxis(3)->GetSetup(), "Rotary table", LoadKind::Rotary, 4096.0, 0.001);
  ExpectResolution(demo->FindAxis(5)->GetSetup(), "Conveyor drive", LoadKind::Linear, 100.0, 0.001);
  for (const char* name : {"X drive", "Y drive", "Rotary table", "Conveyor drive"}) {
    CMC_Setup& drive = *demo->FindSetup(name);
    EXPECT_FALSE(drive.IsMotionController()) << name;
    EXPECT_EQ(name == std::string("Conveyor drive") ? 0 : 1, drive.GetIntOption("IsClosedPosition", -1)) << name;
    EXPECT_NE(nullptr, drive.FindVariable("TPOS", FV_EXACT_NAME)) << name;
  }
}

TEST(SetupTest, AVariableWhoseUnitTheSetupCannotHoldIsNotAdded) {
  CMC_Setup setup("tiny counts", false, DriveResolution{LoadKind::Linear, 1e-320, 0.001});
  EXPECT_FALSE(setup.AddVariable("TPOS"));
  EXPECT_EQ(nullptr, setup.FindVariable("TPOS", FV_EXACT_NAME));
}

TEST(DemoProjectTest, VariablesConvertBetweenUnitsOfTheirSetup) {
  const auto demo = CMC_Project::CreateDemo();
  CMC_Variable& speed = *demo->GetController().FindVariable("CSPD", FV_EXACT_NAME);
  EXPECT_EQ(PhysicalQuantity::Speed, speed.GetQuantity());
  EXPECT_EQ("m/s", speed.GetUnitName());
  ASSERT_TRUE(speed.SetValue(0.25));
  EXPECT_EQ(250.0, speed.GetValueInInternalUnit());  // 1 um per count, 1 ms per sample
  ASSERT_TRUE(speed.ChangeUnit("mm/min"));
  EXPECT_EQ("15000", speed.PrintValue());

  CMC_Variable& turn = *demo->FindSetup("Rotary table")->FindVariable("TPOS", FV_EXACT_NAME);
  EXPECT_EQ("rot", turn.GetUnitName());
  ASSERT_TRUE(turn.SetValue(2.0));
  EXPECT_EQ("8192L", turn.PrintValueForOrvel());
}

TEST_F(SetupFileTest, LoadsEveryPartOfAFile) {
  const std::string path = PathOf("cell.json");
  CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
  file.Write(kCellFile, sizeof kCellFile - 1);
  file.Close();
  const auto loaded = CMC_Project::LoadFromFile(path.c_str());
  ASSERT_TRUE(loaded) << loaded.Failure().message;
  const CMC_Project* project = loaded.Value().get();

  CMC_Setup& controller = project->GetController();
  ExpectResolution(&controller, "Cell controller", LoadKind::Linear, 1000.0, 0.001);
  EXPECT_TRUE(controller.IsMotionController());
  EXPECT_EQ(1, controller.GetIntOption("IsClosedPosition"));
  EXPECT_NE(nullptr, controller.FindVariable("CSPD", FV_EXACT_NAME));
  EXPECT_EQ(nullptr, controller.FindVariable("CACC", FV_EXACT_NAME));
  ExpectResolution(project->FindAxis(1)->GetSetup(), "X drive", LoadKind::Linear, 2000.0, 0.001);
  EXPECT_EQ(0, project->FindSetup("X drive")->GetIntOption("IsClosedPosition", -1));
  ExpectResolution(project->FindAxis(4)->GetSetup(), "Turntable", LoadKind::Rotary, 8192.0, 0.0005);
  EXPECT_EQ(nullptr, project->FindAxis(9)->GetSetup());
  EXPECT_EQ("- X - 4 - ", AxesOfSlaves(*project));  // an axis without a name is called by its id
}

TEST_F(SetupFileTest, AbsentKeysTakeTheirDefaults) {
  const auto loaded =
      CMC_Project::LoadFromJsonText(R"({"controller": {"name": "C"}, "drives": [{"name": "D"}]})", "small.json");
  ASSERT_TRUE(loaded) << loaded.Failure().message;
  const CMC_Project* project = loaded.Value().get();
  CMC_Setup& controller = project->GetController();
  ExpectResolution(&controller, "C", LoadKind::Linear, 1000.0, 0.001);
  EXPECT_TRUE(controller.IsMotionController());
  EXPECT_EQ(0, controller.GetMotionControllerSlaveCount());
  for (const char* name : {"CACC", "CSPD", "TPOS", "NLINESTAN"})
    EXPECT_NE(nullptr, controller.FindVariable(name, FV_EXACT_NAME)) << name;
  CMC_Setup& drive = *project->FindSetup("D");
  EXPECT_NE(nullptr, drive.FindVariable("TPOS", FV_EXACT_NAME));
  EXPECT_EQ(nullptr, drive.FindVariable("CSPD", FV_EXACT_NAME));
  EXPECT_EQ(7, drive.GetIntOption("IsClosedPosition", 7));
}

TEST_F(SetupFileTest, EachFaultNamesTheFileAndWhereInItItIs) {
  std::string manySlaves = R"({"controller": {"name": "C"}, "slaves": [null)";
  for (int i = 0; i < 255; ++i) manySlaves += ", null";
  manySlaves += "]}";
  struct Case {
    std::string json;
    const char* problem;
  };
  const Case cases[] = {
      {R"({"controller": )", "not valid JSON: "},
      {"[]", "the file must hold one JSON object"},
      {"{}", "\"controller\" is missing"},
      {R"({"controller": {}})", "controller: \"name\" is missing"},
      {R"({"controller": {"name": "C", "variables": ["TPOS", "SPEED"]}})",
       "controller.variables[1]: \"SPEED\" is unknown or listed twice (known: TPOS, CSPD, CACC, NLINESTAN)"},
      {R"({"controller": {"name": "C", "variables": ["TPOS", "TPOS"]}})", "controller.variables[1]: \"TPOS\" is"},
      {R"({"controller": {"name": "C"}, "drives": [{"name": "D", "counts_per_unit": -5}]})",
       "drives[0].counts_per_unit: must be a positive number, not -5"},
      {R"({"controller": {"name": "C", "sample_period_s": 0}})", "controller.sample_period_s: must be a positive"},
      {R"({"controller": {"name": "C", "sample_period_s": 1e300}})",
       "controller.sample_period_s: 1e+300 makes the internal units too large or too small to compute with"},
      {R"({"controller": {"name": "C"}, "drives": [{"name": "D", "counts_per_unit": 1e-320}]})",
       "drives[0].counts_per_unit: 1e-320 makes the internal units"},
      {R"({"controller": {"name": "C", "load": "diagonal"}})",
       "controller.load: must be \"linear\" or \"rotary\", not \"diagonal\""},
      {R"({"controller": {"name": "C"}, "drives": [{"name": "C"}]})", "drives[0].name: \"C\" is used twice"},
      {R"({"controller": {"name": "C"}, "axes": [{"id": 1, "drive": "Z"}]})", "axes[0].drive: no drive is named \"Z\""},
      {R"({"controller": {"name": "C"}, "axes": [{"id": 1, "drive": "C"}]})", "axes[0].drive: no drive is named \"C\""},
      {R"({"controller": {"name": "C"}, "axes": [{"id": 1}, {"id": 1}]})", "axes[1].id: 1 is used twice"},
      {R"({"controller": {"name": "C"}, "axes": [{"id": 1.5}]})", "axes[0].id: must be a whole number within 32 bits"},
      {R"({"controller": {"name": "C"}, "axes": [{"id": 18446744073709551615}]})",
       "axes[0].id: must be a whole number within 32 bits"},
      {R"({"controller": {"name": "C"}, "axes": [{"id": -2147483649}]})", "axes[0].id: must be a whole number"},
      {R"({"controller": {"name": "C"}, "slaves": [7]})", "slaves[0]: no axis has the id 7"},
      {R"({"controller": {"name": "C"}, "slaves": ["X"]})", "slaves[0]: must be a whole number"},
      {manySlaves, "slaves[255]: a controller has at most 255 slaves"},
      {R"({"controller": {"name": "C\u0000D"}})", "controller.name: must not contain a NUL character"},
      {R"({"controller": {"name": "C", "options": {"IsClosedPosition": true}}})",
       "controller.options.IsClosedPosition: must be a whole"},
      {R"({"controller": {"name": "C", "motion_controller": 1}})", "controller.motion_controller: must be true or"},
      {R"({"controller": {"name": "C"}, "drives": {}})", "drives: must be a list, not {}"},
  };
  for (const Case& c : cases) {
    const auto loaded =
        CMC_Project::LoadFromJsonText(CString(c.json.data(), static_cast<int>(c.json.size())), "bad.json");
    ASSERT_FALSE(loaded) << c.json;
    const std::string& message = loaded.Failure().message;
    EXPECT_EQ(0u, message.find(std::string("setup file \"bad.json\": ") + c.problem)) << message;
  }
}

TEST_F(SetupFileTest, AFileThatCannotBeReadIsNamedInTheMessage) {
  const std::string missing = PathOf("missing.json");
  const auto notFound = CMC_Project::LoadFromFile(missing.c_str());
  ASSERT_FALSE(notFound);
  EXPECT_EQ("setup file \"" + missing + "\": The file \"" + missing + "\" was not found.", notFound.Failure().message);
  const auto folder = CMC_Project::LoadFromFile(directory.c_str());
  ASSERT_FALSE(folder);
  EXPECT_EQ("setup file \"" + directory.string() + "\": Access to the file \"" + directory.string() + "\" was denied.",
            folder.Failure().message);
}
