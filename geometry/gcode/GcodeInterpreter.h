#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"
#include "geometry/gcode/GcodeArcs.h"
#include "geometry/gcode/GcodeContours.h"
#include "geometry/gcode/GcodeMotion.h"
#include "geometry/gcode/GcodeReader.h"
#include "geometry/gcode/GcodeState.h"

// A G-code program followed line by line, as a machine would: each line read into a block of
// words, then carried out: its modal words, its feed, a non-modal word or its motion. Used by the
// G-code reader.
namespace geometry {

class GcodeInterpreter {
 public:
  // `lines`: how many lines the program has.
  GcodeInterpreter(const GcodeOptions& options, GcodeProgram& program, int lines);

  // Throws a Fault for what the line cannot do.
  void ReadLine(std::string_view line, int number);
  bool Ended() const { return m_Ended; }
  // Where the program ended before the end of the file, a note that the rest is not read.
  void NoteRest(std::string_view rest);
  // After the last line.
  void Finish() { m_Contours.End(); }

  double ArcTolerance() const { return m_Arcs.Tolerance(); }
  std::optional<Fault> ArcFault() const { return m_Arcs.FirstFault(); }
  std::vector<std::string> Notes() const { return m_State.notes.Lines(); }

 private:
  void Delimiter(std::string_view line);
  void NoteBlockDeleted();
  void NoteComments(int count);
  void Execute(GcodeBlock& block);
  void ApplyModalWord(const ModalWord& word, GcodeBlock& block);
  bool AppliesCompensation(const GcodeCode& code) const;
  void ApplyCompensation(const GcodeCode& code, GcodeBlock& block);
  void SelectSystem(const ModalWord& word, GcodeBlock& block);
  void SetFeed(double feed);

  const GcodeOptions& m_Options;
  GcodeState m_State;
  GcodeContours m_Contours;
  GcodeArcs m_Arcs;
  GcodeMotion m_Motion;
  std::vector<GcodeWord> m_Words;
  bool m_SeenWords = false;
  bool m_Opened = false;
  bool m_Ended = false;
};

}  // namespace geometry
