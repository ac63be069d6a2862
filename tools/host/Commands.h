#pragma once

#include <functional>
#include <string>
#include <vector>

namespace CLI {
class App;
}
class HostSession;

// Exit codes of motion-host: the module refused the motion, or the command could not run.
enum ExitCode { kExitOk = 0, kExitRefused = 1, kExitUsage = 2 };

// What a command does once its command line is read, with the session of the loaded module.
using CommandRunner = std::function<int(HostSession& session)>;

struct Command {
  const char* name;
  const char* summary;  // its line in the main help; the command's own help comes from `define`
  // Gives the command its description, options and operands on its part of the command line, and
  // returns what runs it with the values they receive.
  CommandRunner (*define)(CLI::App& command);
  bool loadsModule = true;
};

const std::vector<Command>& AllCommands();

// Tells the user why the command cannot go on, in the command's name; returns kExitUsage.
int CommandFailure(const std::string& command, const std::string& message);

CommandRunner DefineDemo(CLI::App& command);
CommandRunner DefineInfo(CLI::App& command);
CommandRunner DefineNew(CLI::App& command);
CommandRunner DefineTranslate(CLI::App& command);
CommandRunner DefinePlot(CLI::App& command);
CommandRunner DefineReport(CLI::App& command);
CommandRunner DefineImportGcode(CLI::App& command);
CommandRunner DefineFitArcs(CLI::App& command);
CommandRunner DefineOffset(CLI::App& command);
CommandRunner DefineImportDxf(CLI::App& command);
CommandRunner DefineImportSvg(CLI::App& command);
CommandRunner DefineEdit(CLI::App& command);
CommandRunner DefineCompletion(CLI::App& command);
