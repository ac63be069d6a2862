#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tools/MotionHostRun.h"

namespace {

TEST(MotionHost, WithoutArgumentsTranslatesTheDemo) {
  const HostRun run = MotionHost("");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, ReadFile(std::string(EXAMPLES_DIR) + "/rounded_rectangle.program"));
}

TEST(MotionHost, OptionsMayStandBeforeOrAfterTheCommand) {
  const std::string motion = std::string(EXAMPLES_DIR) + "/rotary.motion";
  const std::string setup = "--setup " + std::string(EXAMPLES_DIR) + "/rotary.setup.json";
  const std::string setupWithEquals = "--setup=" + std::string(EXAMPLES_DIR) + "/rotary.setup.json";
  for (const std::string& arguments :
       {setup + " translate " + motion, "translate " + motion + " " + setup, "translate " + setup + " " + motion,
        setupWithEquals + " translate " + motion, "translate " + motion + " " + setupWithEquals}) {
    const HostRun run = MotionHost(arguments);
    EXPECT_EQ(run.status, 0) << arguments << "\n" << run.err;
    EXPECT_EQ(run.out, ReadFile(std::string(EXAMPLES_DIR) + "/rotary.program")) << arguments;
  }
}

TEST(MotionHost, ANewMotionTranslatesToItsValidationMessage) {
  const HostRun created = MotionHost("new");
  ASSERT_EQ(created.status, 0);
  EXPECT_EQ(created.out.find("ConfigureMode=1\n"), 0u);
  const HostRun translated = MotionHost("translate -", created.out);
  EXPECT_EQ(translated.status, 1);
  EXPECT_EQ(translated.out, "");
  EXPECT_EQ(translated.err,
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
      {"import-gcode --join-tolerance=20 x.nc",
       "motion-host import-gcode: --join-tolerance: takes a number from 1e-06 to 10, not \"20\""},
      {"report --corner-angle -1 x.motion", "--corner-angle: takes a number from 0 to 180, not \"-1\""},
      {"report --format=xml x.motion", "motion-host report: --format: takes table or csv, not \"xml\""},
      {"import-gcode --contour abc x.nc",
       "motion-host import-gcode: --contour: takes a whole number from 1 to 2147483647, not \"abc\""},
      {"import-dxf --contour 0 x.dxf",
       "motion-host import-dxf: --contour: takes a whole number from 1 to 2147483647, not \"0\""},
      {"--max-input 0 info", "motion-host info: --max-input: takes a whole number from 1 to 2047, not \"0\""},
      {"--max-input 1.5 translate x.motion", "--max-input: takes a whole number from 1 to 2047, not \"1.5\""},
      {"plot --bogus x.motion", "motion-host plot: unknown option \"--bogus\""},
      {"plot", "motion-host plot: needs a motion file"},
      {"plot -o", "motion-host plot: -o needs a value"},
  };
  for (const auto& c : cases) {
    const HostRun run = MotionHost(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << "\n" << run.err;
  }
}

TEST(MotionHost, EveryCommandExplainsItself) {
  for (const char* command : {"demo", "info", "new", "translate", "plot", "report", "import-gcode"}) {
    const HostRun run = MotionHost(std::string(command) + " --help");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.find("usage: motion-host"), 0u) << command;
    EXPECT_NE(run.out.find(command), std::string::npos);
  }
}

// Each command's help names every option it takes; the main help names every command.
TEST(MotionHost, EveryCommandExplainsItselfAndItsOptions) {
  const struct {
    std::string command;
    std::vector<std::string> options;
  } cases[] = {
      {"demo", {}},
      {"info", {}},
      {"new", {}},
      {"translate", {"MOTION_FILE"}},
      {"plot", {"-o FILE.svg", "--corner-angle DEG", "MOTION_FILE"}},
      {"report", {"--format table|csv", "--corner-angle DEG", "MOTION_FILE"}},
      {"import-gcode",
       {"-o FILE", "--segments", "--strict", "--join-tolerance MM", "--block-delete on|off", "--speed MM/MIN",
        "GCODE_FILE"}},
      {"edit", {"--script SCRIPT", "MOTION_FILE"}},
      {"completion", {}},
  };
  const HostRun main = MotionHost("--help");
  for (const auto& c : cases) {
    const HostRun run = MotionHost(c.command + " --help");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.find("usage: motion-host [--module PATH] [--setup FILE.json] " + c.command), 0u) << c.command;
    EXPECT_EQ(run.out.back(), '\n') << c.command;
    for (const std::string& option : c.options)
      EXPECT_NE(run.out.find("\n  " + option + " "), std::string::npos) << c.command << ": " << option;
    EXPECT_NE(main.out.find("\n  " + c.command + " "), std::string::npos) << c.command;
  }
}

TEST(MotionHost, TellsItsVersion) {
  EXPECT_EQ(MotionHost("--version").out, "motion-host " PROJECT_VERSION "\n");
  EXPECT_NE(MotionHost("info").out.find("\nmotion-host: " PROJECT_VERSION "\n"), std::string::npos);
}

// The completion script, sourced into bash, completes what the command line reads.
TEST(MotionHost, CompletesCommandsOptionsAndTheirValues) {
  const struct {
    std::string words;  // the command line up to the word being completed
    std::string expected;
  } cases[] = {
      {"motion-host imp", "import-gcode import-dxf import-svg"},
      {"motion-host import-dxf --lay", "--layer"},
      {"motion-host import-gcode --join", "--join-tolerance"},
      {"motion-host import-gcode --block-delete o", "on off"},
      {"motion-host --setup s.json report --format c", "csv"},
      {"motion-host plot --se", "--setup"},
      {"motion-host plot --he", "--help"},
      {"motion-host --he", "--help"},
  };
  for (const auto& c : cases) {
    const HostRun run = Shell("bash -c 'source <(" + std::string(MOTION_HOST) + " completion); COMP_WORDS=(" + c.words +
                              "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                              "_motion_host; echo \"${COMPREPLY[*]}\"'");
    EXPECT_EQ(run.out, c.expected + "\n") << c.words;
  }
}

}  // namespace
