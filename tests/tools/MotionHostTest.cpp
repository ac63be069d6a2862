#include <gtest/gtest.h>

#include <string>

#include "tests/tools/MotionHostRun.h"

namespace {

TEST(MotionHost, WithoutArgumentsTranslatesTheDemo) {
  const HostRun run = MotionHost("");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, ReadFile(std::string(EXAMPLES_DIR) + "/rounded_rectangle.program"));
}

TEST(MotionHost, OptionsMayStandBeforeOrAfterTheCommand) {
  const std::string motion = std::string(EXAMPLES_DIR) + "/rotary.motion";
  const std::string setup = "--setup " + std::string(EXAMPLES_DIR) + "/rotary.setup.json";
  for (const std::string& arguments :
       {setup + " translate " + motion, "translate " + motion + " " + setup, "translate " + setup + " " + motion}) {
    const HostRun run = MotionHost(arguments);
    EXPECT_EQ(run.status, 0) << arguments << "\n" << run.output;
    EXPECT_EQ(run.output, ReadFile(std::string(EXAMPLES_DIR) + "/rotary.program")) << arguments;
  }
}

TEST(MotionHost, ANewMotionTranslatesToItsValidationMessage) {
  const HostRun created = MotionHost("new");
  ASSERT_EQ(created.status, 0);
  EXPECT_EQ(created.output.find("ConfigureMode=1\n"), 0u);
  const HostRun translated = MotionHost("translate -", created.output);
  EXPECT_EQ(translated.status, 1);
  EXPECT_EQ(translated.output,
            "Illegal position increment values!\nLinear segments cannot have all increments equal to 0.\n");
}

TEST(MotionHost, FailuresToRunSayWhatIsMissing) {
  const struct {
    std::string arguments;
    std::string message;
  } cases[] = {
      {"--module /nonexistent/Zoventa.so info", "motion-host: cannot load the module \"/nonexistent/Zoventa.so\""},
      {"--module " + std::string(TARNOC_LIBRARY) + " info", "does not export GetClassName"},
      {"translate /nonexistent.motion", "motion-host: The file \"/nonexistent.motion\" was not found."},
      {"--setup /nonexistent.json info", "motion-host: setup file \"/nonexistent.json\": "},
      {"translate a b", "one motion file at most"},
      {"frobnicate", "unknown command or option \"frobnicate\""},
      {"--setup", "--setup needs a value"},
      {"--module Zoventa.so info", "cannot load the module \"Zoventa.so\""},  // not one on the loader's path
      {"translate " + std::string(EXAMPLES_DIR), "\"" + std::string(EXAMPLES_DIR) + "\" is a folder"},
      {"new >/dev/full", "motion-host: cannot write to standard output: No space left on device"},
      {"info >/dev/full", "cannot write to standard output"},
      {"translate " + std::string(EXAMPLES_DIR) + "/circle.motion >/dev/full", "cannot write to standard output"},
  };
  for (const auto& c : cases) {
    const HostRun run = MotionHost(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << c.arguments << "\n" << run.output;
  }
}

TEST(MotionHost, EveryCommandExplainsItself) {
  for (const char* command : {"demo", "info", "new", "translate", "plot", "report", "import-gcode"}) {
    const HostRun run = MotionHost(std::string(command) + " --help");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.find("usage: motion-host"), 0u) << command;
    EXPECT_NE(run.output.find(command), std::string::npos);
  }
}

}  // namespace
