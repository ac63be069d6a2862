#include "tools/host/CommandArguments.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Shown(double number) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", number);
  return text;
}

}  // namespace

CommandArguments::CommandArguments(const char* command, std::set<std::string> valued, std::set<std::string> flags)
    : m_Command(command), m_ValuedNames(std::move(valued)), m_FlagNames(std::move(flags)) {}

bool CommandArguments::Fail(const std::string& message) const {
  std::fprintf(stderr, "motion-host %s: %s\n", m_Command, message.c_str());
  return false;
}

bool CommandArguments::Parse(const std::vector<std::string>& arguments) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (m_FlagNames.count(argument) != 0) {
      m_Flags.insert(argument);
    } else if (m_ValuedNames.count(argument) != 0) {
      if (i + 1 >= arguments.size()) return Fail(argument + " needs a value");
      m_Values[argument] = arguments[++i];
    } else if (argument.size() > 1 && argument[0] == '-') {
      return Fail("unknown option \"" + argument + "\"");
    } else {
      m_Operands.push_back(argument);
    }
  }
  return true;
}

std::string CommandArguments::Value(const std::string& option, const std::string& fallback) const {
  const auto found = m_Values.find(option);
  return found != m_Values.end() ? found->second : fallback;
}

bool CommandArguments::Number(const std::string& option, double fallback, double min, double max, double& value) const {
  const auto found = m_Values.find(option);
  if (found == m_Values.end()) {
    value = fallback;
    return true;
  }
  const char* text = found->second.c_str();
  char* end = nullptr;
  value = std::strtod(text, &end);
  if (end == text || *end != '\0' || !std::isfinite(value) || value < min || value > max)
    return Fail(option + " takes a number from " + Shown(min) + " to " + Shown(max) + ", not \"" + found->second +
                "\"");
  return true;
}

bool CommandArguments::SingleOperand(const char* what, std::string& operand) const {
  if (m_Operands.size() != 1)
    return Fail(std::string("takes one ") + what + ", not " + std::to_string(m_Operands.size()));
  operand = m_Operands.front();
  return true;
}
