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

// What the path commands say about themselves; each lives beside its command.
extern const char kPlotHelp[];
extern const char kReportHelp[];
extern const char kImportGcodeHelp[];
extern const char kEditHelp[];

int RunDemo(HostSession& session, const std::vector<std::string>& arguments);
int RunInfo(HostSession& session, const std::vector<std::string>& arguments);
int RunNew(HostSession& session, const std::vector<std::string>& arguments);
int RunTranslate(HostSession& session, const std::vector<std::string>& arguments);
int RunPlot(HostSession& session, const std::vector<std::string>& arguments);
int RunReport(HostSession& session, const std::vector<std::string>& arguments);
int RunImportGcode(HostSession& session, const std::vector<std::string>& arguments);
int RunEdit(HostSession& session, const std::vector<std::string>& arguments);
