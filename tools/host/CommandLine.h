#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

// motion-host's command line, read by one parser: the options of motion-host itself, then one
// command with its own options and operands, in any order. Every command declares its part with
// the helpers below, so that all of them read, check and explain their options alike.

// Every value an option refuses is told alike, after the option's name: "--contour: takes a
// whole number from 1 to 2147483647, not \"abc\"".
std::string RefusedValue(const std::string& takes, const std::string& text);

// A number option whose range the parser checks: `name UNIT`, for example "--corner-angle DEG".
// The value keeps what it holds when the option is not given; the help shows it as the default.
// A value out of range is refused in one form for every option, after its name: "--tolerance:
// takes a number from 0.0001 to 10, not \"20\"".
CLI::Option* AddNumberOption(CLI::App& command, const std::string& name, double& value, double min, double max,
                             const std::string& unit, const std::string& help);

// A whole-number option, alike: "--contour N".
CLI::Option* AddWholeNumberOption(CLI::App& command, const std::string& name, int& value, int min, int max,
                                  const std::string& unit, const std::string& help);

// An option that takes one of a few words, shown as "table|csv".
CLI::Option* AddChoiceOption(CLI::App& command, const std::string& name, std::string& value,
                             const std::vector<std::string>& words, const std::string& help);

// "-o FILE": where the command's output goes instead of standard output, replaced as a whole.
CLI::Option* AddOutputOption(CLI::App& command, std::string& path);

// An option that turns something on or off: `name on|off`; the help shows what `value` holds.
CLI::Option* AddOnOffOption(CLI::App& command, const std::string& name, bool& value, const std::string& help);

// The command's one operand. A missing required operand, or a second one, is refused in the
// words of `what` ("motion file").
void AddOperand(CLI::App& command, std::string& operand, const std::string& name, const std::string& what,
                const std::string& help, bool required = true);

// Reads the command line and runs the command it names. Returns the exit status.
int RunCommandLine(int argc, char** argv);

// The bash completion script of motion-host's commands and options, as `root` declares them.
std::string BashCompletionScript(const CLI::App& root);
