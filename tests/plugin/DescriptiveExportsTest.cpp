#include <gtest/gtest.h>

#include <memory>

#include "framework/CWinApp.h"
#include "framework/ResourceChain.h"
#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "plugin/ModuleExports.h"
#include "tests/plugin/ExportedFunctions.h"
#include "tests/plugin/LoadedModule.h"

namespace {

class DescriptiveExports : public ::testing::Test {
 protected:
  LoadedModule module;
  IsEnabledFn isEnabled = module.Find<IsEnabledFn>("IsEnabled");
};

std::unique_ptr<CMC_Project> ControllerWith(std::initializer_list<const char*> variables, bool isController = true) {
  auto project = std::make_unique<CMC_Project>();
  CMC_Setup& controller = project->AddSetup("controller", isController, DriveResolution{});
  for (const char* name : variables) controller.AddVariable(name);
  project->SetController(controller);
  return project;
}

TEST_F(DescriptiveExports, ExportTableHoldsOnlyTheEntryPoints) {
  ASSERT_TRUE(module.IsLoaded()) << dlerror();
  const std::set<std::string> expected = {
      "GetClassName",      "GetName", "GetOrderID", "IsEnabled", "GetDefaultParameters", "TranslateMotionSequence",
      "EditMotionSequence"};
  EXPECT_EQ(ExportedFunctions(LoadedModule::Path()), expected);
  for (const std::string& name : expected) EXPECT_NE(module.Find<void*>(name.c_str()), nullptr) << name;
}

// The host may keep the texts' addresses: they stay where they are, and what they say, while the
// module works on motions.
TEST_F(DescriptiveExports, DescribeTheMotionKindWithTextsThatStayValid) {
  const auto getClassName = module.Find<GetClassNameFn>("GetClassName");
  const auto getName = module.Find<GetNameFn>("GetName");
  const char* className = getClassName();
  const char* name = getName();
  EXPECT_STREQ(className, "Motion");
  EXPECT_STREQ(name, "Vector Mode");
  EXPECT_EQ(module.Find<GetOrderIDFn>("GetOrderID")(), 4103);

  auto demo = CMC_Project::CreateDemo();
  CMC_Motion motion(demo->GetController());
  CString text;
  module.Find<GetDefaultParametersFn>("GetDefaultParameters")(demo->GetController(), motion, text);
  CString program;
  module.Find<TranslateMotionSequenceFn>("TranslateMotionSequence")(demo->GetController(), motion, text, program);

  EXPECT_EQ(getClassName(), className);
  EXPECT_EQ(getName(), name);
  EXPECT_STREQ(className, "Motion");
  EXPECT_STREQ(name, "Vector Mode");
}

TEST_F(DescriptiveExports, EnabledOnTheDemoController) {
  auto demo = CMC_Project::CreateDemo();
  EXPECT_EQ(isEnabled(&demo->GetController()), 1);
}

TEST_F(DescriptiveExports, DisabledWhenAnyRequiredVariableIsMissing) {
  const char* all[] = {"CACC", "CSPD", "TPOS", "NLINESTAN"};
  for (const char* missing : all) {
    auto project = std::make_unique<CMC_Project>();
    CMC_Setup& controller = project->AddSetup("controller", true, DriveResolution{});
    for (const char* name : all)
      if (name != missing) controller.AddVariable(name);
    EXPECT_EQ(isEnabled(&controller), 0) << "without " << missing;
  }
}

TEST_F(DescriptiveExports, DisabledWithoutLookingUpVariablesWhenNotAMotionController) {
  auto project = ControllerWith({"CACC", "CSPD", "TPOS", "NLINESTAN"}, false);
  CMC_Setup& setup = project->GetController();
  EXPECT_EQ(isEnabled(&setup), 0);
  EXPECT_EQ(setup.GetVariableLookupCount(), 0);
}

TEST(ModuleLifetime, LoadingRegistersResourcesAndUnloadingRemovesThem) {
  ASSERT_EQ(dlopen(LoadedModule::Path().c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr) << "loaded too early";
  {
    LoadedModule module;
    ASSERT_TRUE(module.IsLoaded());
    EXPECT_NE(AfxFindApplication("Zoventa"), nullptr);
    EXPECT_NE(AfxFindNamedResource("MODULEICON"), nullptr);
  }
  EXPECT_EQ(AfxFindApplication("Zoventa"), nullptr);
  EXPECT_EQ(AfxFindNamedResource("MODULEICON"), nullptr);
}

}  // namespace
