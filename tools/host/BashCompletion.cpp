#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"

// The script is made from the parser's own declarations, so that it offers exactly the commands
// and options motion-host reads.

namespace {

std::string Joined(const std::vector<std::string>& words, char separator = ' ') {
  std::string joined;
  for (const std::string& word : words) joined += (joined.empty() ? "" : std::string(1, separator)) + word;
  return joined;
}

std::vector<std::string> Names(const CLI::Option& option) {
  std::vector<std::string> names;
  for (const std::string& name : option.get_snames()) names.push_back("-" + name);
  for (const std::string& name : option.get_lnames()) names.push_back("--" + name);
  return names;
}

std::vector<std::string> OptionNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::Option* option : app.get_options([](const CLI::Option* o) { return !o->get_positional(); }))
    for (const std::string& name : Names(*option)) names.push_back(name);
  return names;
}

// What follows a command: its own options, and motion-host's that it does not have itself (both
// have --help), each once.
std::vector<std::string> CommandOptionNames(const CLI::App& command, const CLI::App& root) {
  std::vector<std::string> names = OptionNames(command);
  for (const std::string& name : OptionNames(root))
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  return names;
}

// What follows an option that takes a value: one of its listed words ("table|csv"), a file's
// name, or nothing to offer (a number).
std::string ValueCompletion(const CLI::Option& option) {
  const std::string type = option.get_type_name();
  if (type.find('|') != std::string::npos) {
    std::string words = type;
    std::replace(words.begin(), words.end(), '|', ' ');
    return "COMPREPLY=($(compgen -W \"" + words + "\" -- \"$cur\")); return;;";
  }
  for (const char* file : {"FILE", "PATH", "SCRIPT"})
    if (type.find(file) != std::string::npos) return "COMPREPLY=($(compgen -f -- \"$cur\")); return;;";
  return "return;;";
}

std::string ValueCases(const CLI::App& root) {
  std::set<std::string> seen;
  std::string cases;
  std::vector<const CLI::App*> apps{&root};
  for (const CLI::App* command : root.get_subcommands({})) apps.push_back(command);
  for (const CLI::App* app : apps)
    for (const CLI::Option* option : app->get_options([](const CLI::Option* o) { return !o->get_positional(); })) {
      if (option->get_type_name().empty()) continue;  // a flag takes no value
      const std::string pattern = Joined(Names(*option), '|');
      if (seen.insert(pattern).second) cases += "    " + pattern + ") " + ValueCompletion(*option) + "\n";
    }
  return cases;
}

}  // namespace

std::string BashCompletionScript(const CLI::App& root) {
  std::vector<std::string> commandNames;
  std::string commandCases;
  for (const CLI::App* command : root.get_subcommands({})) {
    commandNames.push_back(command->get_name());
    const std::string options = Joined(CommandOptionNames(*command, root));
    commandCases += "    " + command->get_name() + ") options=\"" + options + "\";;\n";
  }
  const std::string commands = Joined(commandNames);
  return "# bash completion for motion-host: its commands, their options, and files as operands\n"
         "_motion_host() {\n"
         "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
         "  local command=\"\" word options\n"
         "  for word in \"${COMP_WORDS[@]:1:COMP_CWORD-1}\"; do\n"
         "    case $word in " + Joined(commandNames, '|') + ") command=$word; break;; esac\n"
         "  done\n"
         "  case $prev in\n" +
         ValueCases(root) +
         "  esac\n"
         "  case $command in\n" +
         commandCases +
         "    *) if [[ $cur != -* ]]; then COMPREPLY=($(compgen -W \"" + commands +
         "\" -- \"$cur\")); return; fi\n"
         "       options=\"" + Joined(OptionNames(root)) + "\";;\n"
         "  esac\n"
         "  if [[ $cur == -* ]]; then\n"
         "    COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
         "  else\n"
         "    COMPREPLY=($(compgen -f -- \"$cur\"))\n"
         "  fi\n"
         "}\n"
         "complete -o filenames -F _motion_host motion-host\n";
}

CommandRunner DefineCompletion(CLI::App& command) {
  command.description(
      "Prints a bash completion script for motion-host's commands and options. Installed with motion-host; from "
      "a build folder: source <(build/bin/motion-host completion)");
  const CLI::App& root = *command.get_parent();
  return [&root](HostSession&) {
    std::fputs(BashCompletionScript(root).c_str(), stdout);
    return static_cast<int>(kExitOk);
  };
}
