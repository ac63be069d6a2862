#pragma once

#include <cstdio>
#include <string>

// Where an import's messages come from: the command and the file it reads.
// "motion-host import-gcode: part.nc: line 12: what".
class ImportMessages {
 public:
  ImportMessages(const char* command, const std::string& source) : m_Command(command), m_Source(source) {}

  void Tell(const std::string& message) const {
    std::fprintf(stderr, "motion-host %s: %s: %s\n", m_Command, m_Source.c_str(), message.c_str());
  }
  void TellAtLine(int line, const std::string& message) const { Tell("line " + std::to_string(line) + ": " + message); }

 private:
  const char* m_Command;
  std::string m_Source;
};
