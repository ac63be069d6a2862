#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "plugin/ModuleExports.h"
#include "tests/plugin/LoadedModule.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Every examples/NAME.motion translates, on examples/NAME.setup.json or the demo setup, to
// exactly examples/NAME.program.
TEST(Examples, EachMotionTranslatesToItsCheckedInProgram) {
  LoadedModule module;
  const auto translate = module.Find<TranslateMotionSequenceFn>("TranslateMotionSequence");
  int examples = 0;
  for (const auto& entry : fs::directory_iterator(EXAMPLES_DIR)) {
    if (entry.path().extension() != ".motion") continue;
    ++examples;
    const fs::path setupFile = fs::path(entry.path()).replace_extension(".setup.json");
    auto loaded = fs::exists(setupFile) ? CMC_Project::LoadFromFile(setupFile.c_str())
                                        : Result<std::unique_ptr<CMC_Project>>(CMC_Project::CreateDemo());
    ASSERT_TRUE(loaded) << loaded.Failure().message;
    const std::unique_ptr<CMC_Project> project = std::move(loaded).Value();
    CMC_Motion motion(project->GetController());
    const std::string text = ReadFile(entry.path());
    CString parameters(text.data(), static_cast<int>(text.size()));
    CString result;
    EXPECT_EQ(translate(project->GetController(), motion, parameters, result), 1) << entry.path() << result.GetString();
    EXPECT_EQ(std::string(result.GetString()), ReadFile(fs::path(entry.path()).replace_extension(".program")))
        << entry.path();
  }
  EXPECT_GE(examples, 5);
}

}  // namespace
