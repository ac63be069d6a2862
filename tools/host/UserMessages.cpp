#include "tools/host/UserMessages.h"

#include <cstdio>

void TellUser(const std::string& command, const std::string& source, const std::string& message) {
  std::string line = "motion-host";
  if (!command.empty()) line += " " + command;
  if (!source.empty()) line += ": " + source;
  line += ": " + message + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}
