#include "geometry/gcode/GcodeInterpreter.h"

#include <fmt/format.h>

#include <cmath>
#include <utility>

#include "geometry/gcode/GcodeNonModal.h"

namespace geometry {

namespace {

constexpr double kMillimetresPerInch = 25.4;

// A line that holds nothing but % (and blanks or comments) opens the program before any word
// and ends it after.
bool IsPercentLine(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t\r");
  return first != std::string_view::npos && line[first] == '%';
}

// The '/' that starts a line the operator may have the control skip (block delete), or npos.
size_t BlockDeleteSlash(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t\r");
  return first != std::string_view::npos && line[first] == '/' ? first : std::string_view::npos;
}

// "/2 N10 ...": the block delete switch the line belongs to, on controls with several.
bool IsSwitchDigit(char c) { return c >= '1' && c <= '9'; }

}  // namespace

GcodeInterpreter::GcodeInterpreter(const GcodeOptions& options, GcodeProgram& program, int lines)
    : m_Options(options), m_Contours(program, lines), m_Arcs(options), m_Motion(options, m_State, m_Contours, m_Arcs) {}

void GcodeInterpreter::ReadLine(std::string_view line, int number) {
  m_State.line = number;
  if (IsPercentLine(line)) return Delimiter(line);
  if (const size_t slash = BlockDeleteSlash(line); slash != std::string_view::npos) {
    if (m_Options.blockDelete) return NoteBlockDeleted();
    line = line.substr(slash + (slash + 1 < line.size() && IsSwitchDigit(line[slash + 1]) ? 2 : 1));
  }
  NoteComments(ScanGcodeLine(line, m_Words));
  if (m_Words.empty()) return;
  m_SeenWords = true;
  GcodeBlock block = ReadBlock(m_Words, m_Options.strict, m_State);
  Execute(block);
}

void GcodeInterpreter::NoteRest(std::string_view rest) {
  if (rest.find_first_not_of(" \t\r\n%") == std::string_view::npos) return;
  m_State.notes.Add("end", m_State.line, "",
                    [] { return std::string("the program ends here; the lines after it are not read"); });
}

void GcodeInterpreter::Delimiter(std::string_view line) {
  NoteComments(ScanGcodeLine(line.substr(line.find('%') + 1), m_Words));
  if (!m_Words.empty()) FailGcode("% stands alone on its line, not with " + Quoted(m_Words.front().text));
  if (m_SeenWords || m_Opened) m_Ended = true;
  m_Opened = true;
}

void GcodeInterpreter::NoteBlockDeleted() {
  m_State.notes.Add("/", m_State.line, "such lines", [] {
    return std::string("block delete: a line starting with / skipped; --block-delete off runs such lines");
  });
}

void GcodeInterpreter::NoteComments(int count) {
  for (int c = 0; c < count; ++c) m_State.notes.Add("(", m_State.line, "comments", [] { return "comment skipped"; });
}

// Modal words first, so that units and modes hold for the whole line; then the feed, then what
// the axis words are for.
void GcodeInterpreter::Execute(GcodeBlock& block) {
  for (const ModalWord& word : block.modalWords) ApplyModalWord(word, block);
  if (block.f) SetFeed(block.f->value);
  m_Arcs.RecordPrecision(block, m_State.modal.scale);
  if (block.motion) m_State.modal.motion = block.motion->role == GcodeRole::CancelMotion ? nullptr : block.motion;
  if (block.nonModal)
    RunNonModal(block, m_State, m_Contours);
  else if (block.HasMotionWords())
    m_Motion.Run(block);
  NoteUnusedParameters(block, m_State);
  if (block.ends) m_Ended = true;
}

void GcodeInterpreter::ApplyModalWord(const ModalWord& word, GcodeBlock& block) {
  GcodeModalState& modal = m_State.modal;
  const GcodeCode* code = word.code;
  switch (code->role) {
    case GcodeRole::Plane:
      if (code->detail == 17)
        modal.plane.reset();
      else
        modal.plane = OtherPlane{m_State.line, Quoted(word.text), code->meaning};
      return;
    case GcodeRole::Units:
      modal.scale = code->detail == 20 ? kMillimetresPerInch : 1.0;
      return;
    case GcodeRole::Distance:
      modal.incremental = code->detail == 91;
      return;
    case GcodeRole::System:
      return SelectSystem(word, block);
    case GcodeRole::ModeOn:
      if (AppliesCompensation(*code)) return ApplyCompensation(*code, block);
      modal.unfollowed[code->detail] = UnfollowedMode{m_State.line, Quoted(word.text), code->meaning};
      return;
    default:  // ModeOff
      if (static_cast<GcodeMode>(code->detail) == GcodeMode::Compensation) {
        modal.compensation.reset();
        m_Contours.EndCompensation();
      }
      modal.unfollowed[code->detail].reset();
      return;
  }
}

// G41 and G42 with a radius to apply; G41.1 and G42.1 take the tool's diameter from the line, which
// programs write for controls that compensate themselves.
bool GcodeInterpreter::AppliesCompensation(const GcodeCode& code) const {
  return (code.code == 410 || code.code == 420) && (m_Options.toolRadius > 0.0 || !m_Options.toolRadii.empty());
}

// The radius is the one the D word selects from the tool table, or the one tool's radius.
void GcodeInterpreter::ApplyCompensation(const GcodeCode& code, GcodeBlock& block) {
  double radius = m_Options.toolRadius;
  if (const std::optional<double> d = block.d.Use(); !m_Options.toolRadii.empty()) {
    if (!d)
      FailGcode(fmt::format("G{} names no tool: a D word selects its radius from the tool table", code.code / 10));
    const auto found = m_Options.toolRadii.find(static_cast<int>(std::lround(*d)));
    if (*d != std::round(*d) || found == m_Options.toolRadii.end())
      FailGcode(fmt::format("{} names no tool of the tool table", Quoted(block.d.word->text)));
    radius = found->second;
  }
  m_Contours.EndCompensation();
  m_State.modal.compensation = AppliedCompensation{code.code == 410 ? radius : -radius, m_State.line};
}

// Another coordinate system puts every known position where the file does not say. G54.1 names
// one of many by its P.
void GcodeInterpreter::SelectSystem(const ModalWord& word, GcodeBlock& block) {
  std::string system = fmt::format("G{:.6g}", word.code->code / 10.0);
  if (word.code->detail == kNumberedSystem) system += fmt::format(" P{:.6g}", block.P().Use().value_or(0.0));
  if (system == m_State.modal.system) return;
  m_State.modal.system = std::move(system);
  for (const GcodeAxis axis : kAllAxes)
    if (!m_State.position.Unknown(axis))
      m_State.position.Lose(
          axis, m_State.line,
          Quoted(word.text) + " selects another coordinate system, whose origin the file does not give");
}

// A speed given under inverse-time or per-revolution feed is no speed per minute: none is in
// force until the next F after the mode ends.
void GcodeInterpreter::SetFeed(double feed) {
  if (feed <= 0.0) FailGcode("F must be greater than 0");
  m_State.modal.feed = m_State.modal.InForce(GcodeMode::FeedMode) ? 0.0 : feed * m_State.modal.scale;
  m_State.modal.newFeed = true;
}

}  // namespace geometry
