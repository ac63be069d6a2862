#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

struct HostRun {
  int status;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs a shell command line, as a user would.
inline HostRun Shell(const std::string& commandLine, const std::string& input = "") {
  const std::string errorFile = "/tmp/motion-host-test-" + std::to_string(getpid()) + ".err";
  const std::string command =
      "{ " + commandLine + "; } 2>" + errorFile + (input.empty() ? " </dev/null" : " <<'EOF'\n" + input + "EOF\n");
  std::FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[4096];
  while (const size_t count = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, count);
  const int status = pclose(pipe);
  std::ifstream errors(errorFile);
  std::string error{std::istreambuf_iterator<char>(errors), std::istreambuf_iterator<char>()};
  std::remove(errorFile.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output, error};
}

// Whether the run exited with 0; if not, a failure tells `what` and what the command said, and a
// table of cases goes on with its next case.
inline bool RanCleanly(const HostRun& run, const std::string& what) {
  EXPECT_EQ(run.status, 0) << what << "\n" << run.err;
  return run.status == 0;
}

// Runs motion-host with the arguments.
inline HostRun MotionHost(const std::string& arguments, const std::string& input = "") {
  return Shell(std::string(MOTION_HOST) + " " + arguments, input);
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}
