#include <memory>
#include <string>

#include "plugin/ModuleExports.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/DemoMotion.h"
#include "tools/host/HostSession.h"
#include "tools/host/TextIO.h"

namespace {

// The program into `output`, or on standard output when it is empty.
int Translate(HostSession& session, CString parameters, const std::string& output = {}) {
  const auto translate = session.Export<TranslateMotionSequenceFn>("TranslateMotionSequence");
  if (translate == nullptr) return kExitUsage;
  CString result;
  if (!translate(session.Controller(), session.Motion(), parameters, result)) {
    ReportModuleMessages(result);
    return kExitRefused;
  }
  return WriteOutput(output, result) ? kExitOk : kExitUsage;
}

int New(HostSession& session) {
  const auto getDefaults = session.Export<GetDefaultParametersFn>("GetDefaultParameters");
  if (getDefaults == nullptr) return kExitUsage;
  CString text;
  getDefaults(session.Controller(), session.Motion(), text);
  WriteText(stdout, text);
  return kExitOk;
}

}  // namespace

CommandRunner DefineDemo(CLI::App& command) {
  command.description(
      "Translates the built-in demo motion, a rounded rectangle with the rotary table as tangent axis; what "
      "motion-host does without a command.");
  return [](HostSession& session) { return Translate(session, kDemoMotion); };
}

CommandRunner DefineNew(CLI::App& command) {
  command.description("Prints the parameter text of a new motion on the setup.");
  return New;
}

CommandRunner DefineTranslate(CLI::App& command) {
  struct Options {
    std::string motionFile = "-";
    std::string output;
  };
  auto options = std::make_shared<Options>();
  command.description(
      "Prints the program of a motion file and exits 0, or prints the module's messages on standard error and "
      "exits 1; exits 2 when the file cannot be read or the program cannot be written.");
  AddOutputOption(command, options->output);
  AddOperand(command, options->motionFile, "MOTION_FILE", "motion file",
             "the motion file (default: - for standard input)", false);
  return [options](HostSession& session) {
    CString parameters;
    if (!ReadInput(options->motionFile, parameters)) return static_cast<int>(kExitUsage);
    return Translate(session, parameters, options->output);
  };
}
