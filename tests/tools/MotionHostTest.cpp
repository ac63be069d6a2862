#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct HostRun {
  int status;
  std::string output;  // standard output and standard error, in that order
};

// Runs motion-host with the arguments, as a user would from a shell.
HostRun MotionHost(const std::string& arguments, const std::string& input = "") {
  const std::string errorFile = "/tmp/motion-host-test-" + std::to_string(getpid()) + ".err";
  const std::string command = std::string(MOTION_HOST) + " " + arguments + " 2>" + errorFile +
                              (input.empty() ? " </dev/null" : " <<'EOF'\n" + input + "EOF\n");
  std::FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[4096];
  while (const size_t count = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, count);
  const int status = pclose(pipe);
  std::ifstream errors(errorFile);
  output.append(std::istreambuf_iterator<char>(errors), std::istreambuf_iterator<char>());
  std::remove(errorFile.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(MotionHost, WithoutArgumentsTranslatesTheDemo) {
  const HostRun run = MotionHost("");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, ReadFile(std::string(EXAMPLES_DIR) + "/rounded_rectangle.program"));
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
  };
  for (const auto& c : cases) {
    const HostRun run = MotionHost(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << c.arguments << "\n" << run.output;
  }
}

TEST(MotionHost, EveryCommandExplainsItself) {
  for (const char* command : {"demo", "info", "new", "translate"}) {
    const HostRun run = MotionHost(std::string(command) + " --help");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.find("usage: motion-host"), 0u) << command;
    EXPECT_NE(run.output.find(command), std::string::npos);
  }
}

}  // namespace
