#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

// A command's own options and its operands, in any order. Every failure is told to the user
// with the command's name.
class CommandArguments {
 public:
  // `valued` options take the next argument as their value; `flags` stand alone.
  CommandArguments(const char* command, std::set<std::string> valued, std::set<std::string> flags);

  bool Parse(const std::vector<std::string>& arguments);

  bool Has(const std::string& flag) const { return m_Flags.count(flag) != 0; }
  // The option's value, or `fallback` when it was not given.
  std::string Value(const std::string& option, const std::string& fallback = "") const;
  // The option as a number within [min, max], or `fallback` when it was not given.
  bool Number(const std::string& option, double fallback, double min, double max, double& value) const;
  // Exactly one operand: the file the command works on.
  bool SingleOperand(const char* what, std::string& operand) const;

  // Reports a failure in the command's name; returns false so a caller can pass it on.
  bool Fail(const std::string& message) const;

 private:
  const char* m_Command;
  std::set<std::string> m_ValuedNames;
  std::set<std::string> m_FlagNames;
  std::map<std::string, std::string> m_Values;
  std::set<std::string> m_Flags;
  std::vector<std::string> m_Operands;
};
