#pragma once

#include <functional>
#include <string>
#include <utility>

#include "common/Result.h"
#include "tools/host/UserMessages.h"

// Where an import's messages come from: the command and the file it reads, told as
// "motion-host import-gcode: part.nc: line 12: what" (tools/host/UserMessages.h).
class ImportMessages {
 public:
  // What a move's line (ContourMove::line) names in the source: by default the line itself; a
  // drawing names the entity the move comes from ("ARC 2F").
  using MoveSource = std::function<std::string(int line)>;

  ImportMessages(const char* command, const std::string& source, MoveSource moveSource = nullptr)
      : m_Command(command), m_Source(source), m_MoveSource(std::move(moveSource)) {}

  void Tell(const std::string& message) const { TellUser(m_Command, m_Source, message); }
  void TellAtLine(int line, const std::string& message) const { Tell("line " + std::to_string(line) + ": " + message); }
  // At its line where it has one; each line of its message told on its own.
  void TellFault(const Fault& fault) const;
  // A fault whose line is a move's (ContourMove::line), where it has one.
  void TellAtMove(const Fault& fault) const {
    if (fault.line > 0) return TellAtMove(fault.line, fault.message);
    Tell(fault.message);
  }
  void TellAtMove(int line, const std::string& message) const { Tell(PlaceOfMove(line) + ": " + message); }
  // "line 12", or what the move source names.
  std::string PlaceOfMove(int line) const { return m_MoveSource ? m_MoveSource(line) : "line " + std::to_string(line); }

 private:
  const char* m_Command;
  std::string m_Source;
  MoveSource m_MoveSource;
};
