#include "tools/host/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>

#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ModuleLoader.h"
#include "tools/host/TextIO.h"
#include "tools/host/UserMessages.h"

namespace {

constexpr size_t kHelpWidth = 100;
constexpr const char* kProgram = "motion-host";
constexpr const char* kGlobalSynopsis = "[--module PATH] [--setup FILE.json]";

std::string Shown(double number) {
  std::ostringstream text;
  text << number;
  return text.str();
}

// The words of `text` in lines of at most kHelpWidth characters, each after `indent` blanks;
// a line feed in `text` starts a new line.
std::string Wrapped(const std::string& text, size_t indent) {
  std::string result;
  std::istringstream paragraphs(text);
  for (std::string paragraph; std::getline(paragraphs, paragraph);) {
    std::istringstream words(paragraph);
    size_t column = 0;
    for (std::string word; words >> word;) {
      if (column > indent && column + 1 + word.size() > kHelpWidth) {
        result += '\n';
        column = 0;
      }
      if (column == 0) {
        result.append(indent, ' ');
        column = indent;
      } else {
        result += ' ';
        ++column;
      }
      result += word;
      column += word.size();
    }
    result += '\n';
  }
  return result;
}

// "-o, --output FILE": how the user writes the option.
std::string Spelling(const CLI::Option& option) {
  std::string spelling;
  for (const std::string& name : option.get_snames()) spelling += (spelling.empty() ? "-" : ", -") + name;
  for (const std::string& name : option.get_lnames()) spelling += (spelling.empty() ? "--" : ", --") + name;
  if (option.get_positional()) spelling = option.get_name();
  if (!option.get_type_name().empty() && !option.get_positional()) spelling += " " + option.get_type_name();
  return spelling;
}

std::string Described(const CLI::Option& option) {
  std::string description = option.get_description();
  if (!option.get_default_str().empty()) description += " (default: " + option.get_default_str() + ")";
  return description;
}

// Rows of a left column, aligned to its longest entry, and a wrapped right column.
std::string Table(const std::vector<std::pair<std::string, std::string>>& rows) {
  size_t width = 0;
  for (const auto& row : rows) width = std::max(width, row.first.size());
  std::string table;
  for (const auto& [left, right] : rows) {
    const std::string line = "  " + left + std::string(width - left.size() + 2, ' ');
    table += line + Wrapped(right, line.size()).substr(line.size());
  }
  return table;
}

std::vector<const CLI::Option*> Options(const CLI::App& app, bool positional) {
  return app.get_options([positional](const CLI::Option* option) { return option->get_positional() == positional; });
}

std::string OptionTable(const CLI::App& app, bool positional) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const CLI::Option* option : Options(app, positional)) rows.emplace_back(Spelling(*option), Described(*option));
  return Table(rows);
}

std::string Synopsis(const CLI::App& command) {
  std::string synopsis;
  for (const CLI::Option* option : Options(command, false))
    if (option != command.get_help_ptr()) synopsis += " [" + Spelling(*option) + "]";
  for (const CLI::Option* option : Options(command, true)) synopsis += " " + option->get_type_name();
  return synopsis;
}

// The main help names each command with its summary; a command's help describes its options.
class HelpFormatter : public CLI::Formatter {
 public:
  std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const override {
    return app->get_parent() == nullptr ? MainHelp(*app) : CommandHelp(*app);
  }

 private:
  static std::string MainHelp(const CLI::App& root) {
    std::vector<std::pair<std::string, std::string>> commands;
    for (const Command& command : AllCommands()) commands.emplace_back(command.name, command.summary);
    return std::string("usage: ") + kProgram + " " + kGlobalSynopsis + " [COMMAND [ARGUMENTS]]\n\n" +
           Wrapped(root.get_description(), 0) + "\noptions:\n" + OptionTable(root, false) + "\ncommands:\n" +
           Table(commands) + "\n" + Wrapped(root.get_footer(), 0);
  }

  static std::string CommandHelp(const CLI::App& command) {
    std::string help = std::string("usage: ") + kProgram + " " + kGlobalSynopsis + " " + command.get_name() +
                       Synopsis(command) + "\n\n" + Wrapped(command.get_description(), 0);
    if (!Options(command, true).empty()) help += "\narguments:\n" + OptionTable(command, true);
    return help + "\noptions:\n" + OptionTable(command, false);
  }
};

CLI::Validator NumberFrom(double min, double max) {
  return CLI::Validator(
      [min, max](std::string& text) -> std::string {
        const char* begin = text.data() + (text.starts_with('+') ? 1 : 0);
        const char* end = text.data() + text.size();
        double value = NAN;
        const auto [rest, fault] = std::from_chars(begin, end, value);
        if (fault == std::errc() && rest == end && std::isfinite(value) && value >= min && value <= max) return {};
        return RefusedValue("a number from " + Shown(min) + " to " + Shown(max), text);
      },
      "");
}

CLI::Validator WholeNumberFrom(long long min, long long max) {
  return CLI::Validator(
      [min, max](std::string& text) -> std::string {
        const char* begin = text.data() + (text.starts_with('+') ? 1 : 0);
        const char* end = text.data() + text.size();
        long long value = 0;
        const auto [rest, fault] = std::from_chars(begin, end, value);
        if (fault == std::errc() && rest == end && value >= min && value <= max) return {};
        return RefusedValue("a whole number from " + std::to_string(min) + " to " + std::to_string(max), text);
      },
      "");
}

// "table or csv", "a, b or c".
std::string Alternatives(const std::vector<std::string>& words) {
  std::string text;
  for (size_t i = 0; i < words.size(); ++i) text += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i];
  return text;
}

CLI::Validator OneOf(const std::vector<std::string>& words) {
  return CLI::Validator(
      [words](std::string& text) -> std::string {
        if (std::find(words.begin(), words.end(), text) != words.end()) return {};
        return RefusedValue(Alternatives(words), text);
      },
      "");
}

// A mistake on the command line, told in the words of the command it belongs to.
struct Mistake {
  std::string command;  // empty: motion-host's own options or no command at all
  std::string message;
};

// The parser's refusal in the user's words; only a value left out is worded anew.
std::string Explained(const CLI::ParseError& error) {
  const std::string message = error.what();
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr && message.ends_with(" missing"))
    return message.substr(0, message.find(':')) + " needs a value";
  return message;
}

// Words the parser could not place: an unknown option, or an unknown command.
Mistake Leftover(const std::string& word, const CLI::App* command) {
  if (command != nullptr) return {command->get_name(), "unknown option \"" + word + "\""};
  return {"", "unknown command or option \"" + word + "\""};
}

class CommandLine {
 public:
  CommandLine() : m_Root("", kProgram) {
    m_Root.description(
        "Loads the vector-mode motion module and calls it as the host application would. Without a command it "
        "translates the built-in demo motion. Options may also follow the command.\n"
        "Exit status: 0 done, 1 the module refused the motion, 2 the command could not run or its output could "
        "not be written.");
    m_Root.footer(std::string("`") + kProgram + " COMMAND --help` describes a command and its options.");
    m_Root.formatter(std::make_shared<HelpFormatter>());
    m_Root.fallthrough();
    m_Root.allow_extras();
    m_Root.set_help_flag("-h,--help", "this text; after a command, that command's help");
    m_Root.set_version_flag("--version", std::string(kProgram) + " " + MOTION_HOST_VERSION,
                            "the version of motion-host");
    m_Root.add_option("--module", m_ModulePath, "the module file to load (default: Zoventa.so beside motion-host)")
        ->type_name("PATH");
    m_Root
        .add_option("--setup", m_SetupPath,
                    "the project setup to use, or - for standard input (default: the built-in demo setup)")
        ->type_name("FILE.json");
    AddWholeNumberOption(m_Root, "--max-input", m_MaxInput, 1, static_cast<int>(kLargestMaxInputMegabytes), "MB",
                         "refuse any file, or standard input, larger than MB megabytes of 2^20 bytes");
    for (const Command& command : AllCommands()) {
      CLI::App* part = m_Root.add_subcommand(command.name);
      part->set_help_flag("-h,--help", "this text");
      m_Runners[part] = {&command, command.define(*part)};
    }
  }

  int Run(int argc, char** argv) {
    try {
      m_Root.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
      std::fputs(m_Root.help().c_str(), stdout);
      return kExitOk;
    } catch (const CLI::CallForVersion& version) {
      std::printf("%s\n", version.what());
      return kExitOk;
    } catch (const CLI::ParseError& error) {
      return Refuse({ChosenCommandName(), Explained(error)});
    }
    const CLI::App* chosen = Chosen();
    if (!m_Root.remaining().empty()) return Refuse(Leftover(m_Root.remaining().front(), chosen));
    // Without a command, motion-host does what the first one does.
    const auto& [command, runner] = m_Runners.at(chosen != nullptr ? chosen : m_Root.get_subcommands({}).front());
    SetMaxInput(static_cast<std::uint64_t>(m_MaxInput));
    HostSession session;
    std::string error;
    if (command->loadsModule && !session.Open(m_ModulePath, m_SetupPath, error)) {
      HostSession::ReportError(error);
      return kExitUsage;
    }
    return runner(session);
  }

 private:
  const CLI::App* Chosen() const {
    const std::vector<CLI::App*> chosen = m_Root.get_subcommands();
    return chosen.empty() ? nullptr : chosen.front();
  }
  std::string ChosenCommandName() const { return Chosen() != nullptr ? Chosen()->get_name() : std::string(); }

  int Refuse(const Mistake& mistake) const {
    if (!mistake.command.empty()) return CommandFailure(mistake.command, mistake.message);
    std::string help = m_Root.help();
    if (!help.empty() && help.back() == '\n') help.pop_back();
    TellUser("", "", mistake.message + "\n\n" + help);
    return kExitUsage;
  }

  CLI::App m_Root;
  std::string m_ModulePath = ModuleLoader::DefaultModulePath();
  std::string m_SetupPath;
  int m_MaxInput = static_cast<int>(kDefaultMaxInputMegabytes);
  std::map<const CLI::App*, std::pair<const Command*, CommandRunner>> m_Runners;
};

}  // namespace

std::string RefusedValue(const std::string& takes, const std::string& text) {
  return "takes " + takes + ", not \"" + text + "\"";
}

CLI::Option* AddNumberOption(CLI::App& command, const std::string& name, double& value, double min, double max,
                             const std::string& unit, const std::string& help) {
  return command.add_option(name, value, help)->type_name(unit)->check(NumberFrom(min, max))->capture_default_str();
}

CLI::Option* AddWholeNumberOption(CLI::App& command, const std::string& name, int& value, int min, int max,
                                  const std::string& unit, const std::string& help) {
  return command.add_option(name, value, help)
      ->type_name(unit)
      ->check(WholeNumberFrom(min, max))
      ->capture_default_str();
}

CLI::Option* AddOutputOption(CLI::App& command, std::string& path) {
  return command.add_option("-o", path, "write into FILE (atomically) instead of standard output")->type_name("FILE");
}

CLI::Option* AddChoiceOption(CLI::App& command, const std::string& name, std::string& value,
                             const std::vector<std::string>& words, const std::string& help) {
  std::string type;
  for (const std::string& word : words) type += (type.empty() ? "" : "|") + word;
  return command.add_option(name, value, help)->type_name(type)->check(OneOf(words))->capture_default_str();
}

CLI::Option* AddOnOffOption(CLI::App& command, const std::string& name, bool& value, const std::string& help) {
  return command.add_option(name, value, help)
      ->type_name("on|off")
      ->check(OneOf({"on", "off"}))
      ->default_str(value ? "on" : "off");
}
namespace {

bool UnknownOptionGiven(const CLI::App& command) {
  const CLI::App* root = &command;
  while (root->get_parent() != nullptr) root = root->get_parent();
  const std::vector<std::string> words = root->remaining();
  return std::any_of(words.begin(), words.end(),
                     [](const std::string& word) { return word.size() > 1 && word.front() == '-'; });
}

}  // namespace

void AddOperand(CLI::App& command, std::string& operand, const std::string& name, const std::string& what,
                const std::string& help, bool required) {
  // The parser takes every operand, so that a second one is refused here in the command's words.
  auto operands = std::make_shared<std::vector<std::string>>();
  command.add_option(name, *operands, help)->type_name(required ? name : "[" + name + "]");
  command.parse_complete_callback([operands, &operand, what, required, &command] {
    // A value after an unknown option lands among the operands: the option is what to tell.
    if (UnknownOptionGiven(command)) return;
    if (operands->size() > 1)
      throw CLI::ValidationError("one " + what + " at most, not " + std::to_string(operands->size()));
    if (operands->empty() && required) throw CLI::ValidationError("needs a " + what);
    if (!operands->empty()) operand = operands->front();
  });
}

int RunCommandLine(int argc, char** argv) { return CommandLine().Run(argc, argv); }

int CommandFailure(const std::string& command, const std::string& message) {
  TellUser(command, "", message);
  return kExitUsage;
}
