#include "geometry/gcode/GcodeBlock.h"

#include <fmt/format.h>

#include <algorithm>
#include <string_view>

#include "geometry/gcode/GcodeState.h"

namespace geometry {

namespace {

std::string NoteKey(const GcodeWord& word) {
  return word.letter == 'G' || word.letter == 'M' ? fmt::format("{}{:.6g}", word.letter, word.value)
                                                  : std::string(1, word.letter);
}

void NoteSkipped(GcodeState& state, const GcodeWord& word) {
  const std::string key = NoteKey(word);
  state.notes.Add(key, state.line, key + " words", [&] { return Quoted(word.text) + " skipped"; });
}

class BlockReader {
 public:
  BlockReader(bool strict, GcodeState& state) : m_Strict(strict), m_State(state) {}

  GcodeBlock Read(const std::vector<GcodeWord>& words) {
    m_AxisWords = std::any_of(words.begin(), words.end(), [](const GcodeWord& word) { return IsAxisWord(word.letter); });
    m_Dwell = std::any_of(words.begin(), words.end(), [](const GcodeWord& word) { return IsDwell(word); });
    GcodeBlock block;
    for (const GcodeWord& word : words) Take(word, block);
    return block;
  }

 private:
  void Take(const GcodeWord& word, GcodeBlock& block) {
    switch (word.letter) {
      case 'G':
      case 'M':
        return TakeCode(word, block);
      case 'X':
        return Set(block.axes[kAxisX], word);
      case 'Y':
        return Set(block.axes[kAxisY], word);
      case 'Z':
        return Set(block.axes[kAxisZ], word);
      case 'I':
        return Set(block.i, word);
      case 'J':
        return Set(block.j, word);
      case 'R':
        return Set(block.r, word);
      case 'F':
        return Set(block.f, word);
      case 'P':
        return Set(block.P().word, word);
      case 'Q':
        return Set(block.Q().word, word);
      case 'L':
        return Set(block.L().word, word);
      case 'K':
        return Set(block.K().word, word);
      case 'N':
        return;  // a line number
      case 'U':
        if (m_Dwell) return;  // the dwell's time
        return Unknown(word);
      case 'O':
      case 'S':
      case 'T':
      case 'H':
        return NoteSkipped(m_State, word);  // program number, spindle speed, tool, its length register
      case 'D':
        return Set(block.d.word, word);
      default:
        return Unknown(word);
    }
  }

  static void Set(std::optional<GcodeWord>& slot, const GcodeWord& word) {
    if (slot) FailGcode(std::string("two ") + word.letter + " words");
    slot = word;
  }

  void TakeCode(const GcodeWord& word, GcodeBlock& block) {
    const GcodeCode* code = FindGcodeCode(word.letter, word.value);
    if (code == nullptr) return UnknownCode(word);
    switch (code->role) {
      case GcodeRole::Motion:
      case GcodeRole::Cycle:
      case GcodeRole::CancelMotion:
        return TakeMotion(code, word, block);
      case GcodeRole::Plane:
      case GcodeRole::Units:
      case GcodeRole::Distance:
      case GcodeRole::System:
      case GcodeRole::ModeOff:
        block.modalWords.push_back({code, word.text});
        return;
      case GcodeRole::Machine:
        block.machineText = word.text;
        return;
      case GcodeRole::ModeOn:
        block.modalWords.push_back({code, word.text});
        if (TakesCentre(code)) ClaimAxisWords(code, word, block);
        return;
      case GcodeRole::Refused:
        FailGcode(Quoted(word.text) + " (" + code->meaning + ") cannot be read");
      case GcodeRole::End:
        block.ends = true;
        return;
      case GcodeRole::Harmless:
        return NoteSkipped(m_State, word);
      case GcodeRole::Dwell:
        NoteSkipped(m_State, word);
        return ClaimAxisWords(code, word, block);
      default:  // the words that use the axis words for something other than a move
        return ClaimAxisWords(code, word, block);
    }
  }

  // G80 beside G0 to G3 ends the canned cycle, and the motion word sets the mode.
  static void TakeMotion(const GcodeCode* code, const GcodeWord& word, GcodeBlock& block) {
    if (block.motion && IsCancelBesideMotion(block.motion, code)) {
      if (code->role == GcodeRole::Motion) block.motion = code;
      return;
    }
    if (block.motion) FailGcode("two motion words on one line: " + Quoted(word.text) + " is the second");
    block.motion = code;
  }

  static bool IsCancelBesideMotion(const GcodeCode* first, const GcodeCode* second) {
    const auto isCancel = [](const GcodeCode* code) { return code->role == GcodeRole::CancelMotion; };
    const auto isMotion = [](const GcodeCode* code) { return code->role == GcodeRole::Motion; };
    return (isCancel(first) && isMotion(second)) || (isMotion(first) && isCancel(second));
  }

  // Rotation, scaling and mirroring name their centre or axes with X, Y and Z.
  static bool TakesCentre(const GcodeCode* code) {
    const auto mode = static_cast<GcodeMode>(code->detail);
    return mode == GcodeMode::Rotation || mode == GcodeMode::Scaling || mode == GcodeMode::Mirror;
  }

  static void ClaimAxisWords(const GcodeCode* code, const GcodeWord& word, GcodeBlock& block) {
    if (block.nonModal)
      FailGcode(std::string(block.nonModalText) + " and " + Quoted(word.text) + " both use the axis words");
    block.nonModal = code;
    block.nonModalText = word.text;
  }

  // What an unknown G code does with axis words cannot be known: a probing move or a pocket
  // cycle read as the motion mode in force would be a wrong cut.
  void UnknownCode(const GcodeWord& word) {
    if (word.letter == 'G' && m_AxisWords)
      FailGcode("unknown word " + Quoted(word.text) +
                " on a line with axis words: what it does with them cannot be read");
    Unknown(word);
  }

  void Unknown(const GcodeWord& word) {
    if (m_Strict) FailGcode("unknown word " + Quoted(word.text));
    const std::string key = NoteKey(word);
    m_State.notes.Add(key, m_State.line, key + " words",
                      [&] { return "unknown word " + Quoted(word.text) + " skipped"; });
  }

  static bool IsDwell(const GcodeWord& word) {
    const GcodeCode* code = word.letter == 'G' && word.value < 10.0 ? FindGcodeCode('G', word.value) : nullptr;
    return code != nullptr && code->role == GcodeRole::Dwell;
  }

  // Letters that name a point or an arc's centre on some machine.
  static bool IsAxisWord(char letter) { return std::string_view("XYZABCUVWIJKR").find(letter) != std::string_view::npos; }

  bool m_Strict;
  GcodeState& m_State;
  bool m_AxisWords = false;  // on the line being read
  bool m_Dwell = false;      // the line holds G4, whose U is its time
};

}  // namespace

GcodeBlock ReadBlock(const std::vector<GcodeWord>& words, bool strict, GcodeState& state) {
  return BlockReader(strict, state).Read(words);
}

void NoteUnusedParameters(const GcodeBlock& block, GcodeState& state) {
  for (const GcodeParameter& parameter : block.parameters)
    if (parameter.word && !parameter.used) NoteSkipped(state, *parameter.word);
  if (block.d.word && !block.d.used) NoteSkipped(state, *block.d.word);
}

}  // namespace geometry
