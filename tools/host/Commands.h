#pragma once

#include <string>
#include <vector>

class HostSession;

// Exit codes of motion-host: the module refused the motion, or the command could not run.
enum ExitCode { kExitOk = 0, kExitRefused = 1, kExitUsage = 2 };

struct Command {
  const char* name;
  const char* synopsis;  // the arguments after the command's name
  const char* help;
  int (*run)(HostSession& session, const std::vector<std::string>& arguments);
};

const std::vector<Command>& AllCommands();

int RunDemo(HostSession& session, const std::vector<std::string>& arguments);
int RunInfo(HostSession& session, const std::vector<std::string>& arguments);
int RunNew(HostSession& session, const std::vector<std::string>& arguments);
int RunTranslate(HostSession& session, const std::vector<std::string>& arguments);
