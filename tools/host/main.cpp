#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ModuleLoader.h"

// motion-host: the stand-in host application. It loads the motion-kind module, builds a project
// (the built-in demo or a setup file) and calls the module's exports as the host would.

namespace {

struct Options {
  std::string modulePath = ModuleLoader::DefaultModulePath();
  std::string setupPath;
  const Command* command = nullptr;
  std::vector<std::string> arguments;
  bool help = false;
};

void PrintUsage(std::FILE* out) {
  std::fprintf(out,
               "usage: motion-host [--module PATH] [--setup FILE.json] [COMMAND [ARGUMENTS]]\n\n"
               "Loads the vector-mode motion module and calls it as the host application would.\n"
               "Without a command it translates the built-in demo motion. Options may also follow the command.\n"
               "Exit status: 0 done, 1 the module refused the motion, 2 the command could not run or its\n"
               "output could not be written.\n\n"
               "options:\n"
               "  --module PATH      the module file to load (default: Zoventa.so beside motion-host)\n"
               "  --setup FILE.json  the project setup to use (default: the built-in demo setup)\n"
               "  --help             this text; after a command, that command's help\n\n"
               "commands:\n");
  for (const Command& command : AllCommands()) std::fprintf(out, "  %-10s %s\n", command.name, command.help);
}

void PrintCommandHelp(const Command& command) {
  std::printf("usage: motion-host [--module PATH] [--setup FILE.json] %s %s\n\n%s\n", command.name, command.synopsis,
              command.help);
}

const Command* FindCommand(const std::string& name) {
  for (const Command& command : AllCommands())
    if (name == command.name) return &command;
  return nullptr;
}

// False with a message for a malformed command line. The options may stand before or after the
// command; every other word after the command is one of its arguments.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--module" || argument == "--setup") {
      if (i + 1 >= argc) {
        error = argument + " needs a value";
        return false;
      }
      (argument == "--module" ? options.modulePath : options.setupPath) = argv[++i];
    } else if (options.command != nullptr) {
      options.arguments.push_back(argument);
    } else if (const Command* command = FindCommand(argument)) {
      options.command = command;
    } else {
      error = "unknown command or option \"" + argument + "\"";
      return false;
    }
  }
  return true;
}

}  // namespace

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"demo", "", "translates the built-in demo motion, a rounded rectangle with a tangent axis (the default)",
       RunDemo},
      {"info", "", "prints the module's class name, name, order ID and whether it is enabled for the setup", RunInfo},
      {"new", "", "prints the parameter text of a new motion", RunNew},
      {"translate", "[MOTION_FILE|-]",
       "prints the program of a motion file (or standard input) and exits 0, or prints the module's messages on\n"
       "             standard error and exits 1; exits 2 when the file cannot be read",
       RunTranslate},
      {"plot", "[--corner-angle DEG] [-o FILE.svg] MOTION_FILE", kPlotHelp, RunPlot},
      {"report", "[--corner-angle DEG] [--format table|csv] MOTION_FILE", kReportHelp, RunReport},
      {"import-gcode", "[--strict] [--join-tolerance MM] [--segments] [-o FILE] GCODE_FILE", kImportGcodeHelp,
       RunImportGcode},
      {"edit", "[--script SCRIPT] MOTION_FILE", kEditHelp, RunEdit},
  };
  return commands;
}

// A result that did not reach standard output is a failure, whatever the command made of it.
int WithOutputDelivered(int status) {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  HostSession::ReportError(std::string("cannot write to standard output") +
                           (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string()));
  return kExitUsage;
}

int Run(int argc, char** argv) {
  Options options;
  std::string error;
  if (!ParseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "motion-host: %s\n\n", error.c_str());
    PrintUsage(stderr);
    return kExitUsage;
  }
  if (options.help) {
    options.command != nullptr ? PrintCommandHelp(*options.command) : PrintUsage(stdout);
    return kExitOk;
  }
  HostSession session;
  if (!session.Open(options.modulePath, options.setupPath, error)) {
    HostSession::ReportError(error);
    return kExitUsage;
  }
  const Command& command = options.command != nullptr ? *options.command : AllCommands().front();
  return command.run(session, options.arguments);
}

int main(int argc, char** argv) { return WithOutputDelivered(Run(argc, argv)); }
