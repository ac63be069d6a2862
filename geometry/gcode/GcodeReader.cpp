#include "geometry/gcode/GcodeReader.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <numbers>
#include <optional>

#include "geometry/core/Angles.h"
#include "geometry/core/NoteTally.h"
#include "geometry/core/Tolerances.h"
#include "geometry/gcode/GcodeCodes.h"
#include "geometry/gcode/GcodePosition.h"
#include "geometry/gcode/GcodeWords.h"

namespace geometry {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kArcToleranceFloor = 0.002;  // mm
// Start, end and centre each rounded by half a unit in X and in Y can set an arc's end radius off
// its start radius by up to 2·√2 units.
constexpr double kRadiusMissPerUnit = 2.0 * std::numbers::sqrt2;
constexpr const char* kAxisNames[] = {"X", "Y", "Z"};

struct Value {
  double value = 0.0;
  int decimals = 0;
  std::string_view text;
};

// A word whose use depends on the line: P turns of an arc or a dwell, L and K repeats of a
// cycle, Q a cycle's peck. Where nothing uses it, it is skipped with a note.
struct Parameter {
  std::optional<Value> word;
  bool used = false;

  std::optional<double> Use() {
    used = true;
    return word ? std::optional<double>(word->value) : std::nullopt;
  }
};

// What one line asks for, before it is carried out.
struct Block {
  const GcodeCode* motion = nullptr;  // a motion mode or G80 the line sets
  const GcodeCode* nonModal = nullptr;
  std::string_view nonModalText;
  std::string_view machineText;  // G53
  std::array<std::optional<Value>, kAxisCount> axes;
  std::optional<Value> i, j, r, f;
  std::array<Parameter, 4> parameters;  // P, Q, L, K
  bool ends = false;

  bool HasMotionWords() const { return axes[kAxisX] || axes[kAxisY] || axes[kAxisZ] || i || j || r; }
  Parameter& P() { return parameters[0]; }
  Parameter& L() { return parameters[2]; }
  Parameter& K() { return parameters[3]; }
};

// A mode in force that the reader cannot follow, and the word that turned it on.
struct ActiveMode {
  int line;
  std::string word;
  const char* meaning;
};

// An arc whose written numbers disagree by more than the smallest tolerance, checked once the
// file's precision is known.
struct ArcMiss {
  int line;
  double miss;    // mm
  double radius;  // mm; for an R arc: |R|
  double chord;   // mm; R arcs only
  bool byRadius;
};

// The program's state from line to line: position and frame, units, modes, contours.
class Interpreter {
 public:
  Interpreter(const GcodeOptions& options, GcodeProgram& program) : m_Options(options), m_Program(program) {}

  void ReadLine(std::string_view line, int number) {
    m_Line = number;
    if (IsPercentLine(line)) return Delimiter(line);
    NoteComments(ScanGcodeLine(line, m_Words));
    if (m_Words.empty()) return;
    m_SeenWords = true;
    Block block;
    for (const GcodeWord& word : m_Words) Take(word, block);
    Execute(block);
  }

  bool Ended() const { return m_Ended; }

  // Where the program ended before the end of the file, a note that the rest is not read.
  void NoteRest(std::string_view rest) {
    if (rest.find_first_not_of(" \t\r\n%") == std::string_view::npos) return;
    m_Notes.Add("end", m_Line, "",
                [] { return std::string("the program ends here; the lines after it are not read"); });
  }

  double ArcTolerance() const {
    return m_Options.arcTolerance > 0.0 ? m_Options.arcTolerance : ArcToleranceForPrecision(m_FinestUnit);
  }

  // The first arc that misses by more than the tolerance, as an error.
  std::optional<GcodeError> ArcFault() const {
    const double tolerance = ArcTolerance();
    for (const ArcMiss& arc : m_ArcMisses)
      if (arc.miss > tolerance) return GcodeError{arc.line, ArcMessage(arc, tolerance)};
    return std::nullopt;
  }

  void Finish() {
    m_Program.notes = m_Notes.Lines();
    m_Program.arcTolerance = ArcTolerance();
  }

 private:
  // A line that holds nothing but % (and blanks or comments) opens the program before any word
  // and ends it after.
  static bool IsPercentLine(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t\r");
    return first != std::string_view::npos && line[first] == '%';
  }

  void Delimiter(std::string_view line) {
    NoteComments(ScanGcodeLine(line.substr(line.find('%') + 1), m_Words));
    if (!m_Words.empty()) FailGcode("% stands alone on its line, not with " + Quoted(m_Words.front().text));
    if (m_SeenWords || m_Opened) m_Ended = true;
    m_Opened = true;
  }

  void NoteComments(int count) {
    for (int c = 0; c < count; ++c) m_Notes.Add("(", m_Line, "comments", [] { return "comment skipped"; });
  }

  void Take(const GcodeWord& word, Block& block) {
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
        return Set(block.parameters[0].word, word);
      case 'Q':
        return Set(block.parameters[1].word, word);
      case 'L':
        return Set(block.parameters[2].word, word);
      case 'K':
        return Set(block.parameters[3].word, word);
      case 'N':
        return;  // a line number
      case 'O':
      case 'S':
      case 'T':
      case 'H':
      case 'D':
        return Skip(word);  // program number, spindle speed, tool, its length and radius registers
      default:
        return Unknown(word);
    }
  }

  static void Set(std::optional<Value>& slot, const GcodeWord& word) {
    if (slot) FailGcode(std::string("two ") + word.letter + " words");
    slot = Value{word.value, word.decimals, word.text};
  }

  // Modal words take effect at once, so they hold for the whole line, whatever their place in it.
  void TakeCode(const GcodeWord& word, Block& block) {
    const GcodeCode* code = FindGcodeCode(word.letter, word.value);
    if (code == nullptr) return Unknown(word);
    switch (code->role) {
      case GcodeRole::Motion:
      case GcodeRole::Cycle:
      case GcodeRole::CancelMotion:
        if (block.motion) FailGcode("two motion words on one line: " + Quoted(word.text) + " is the second");
        block.motion = code;
        return;
      case GcodeRole::Plane:
        if (code->detail != 17) FailGcode("only the XY plane (G17) can be read, not " + Quoted(word.text));
        return;
      case GcodeRole::Units:
        m_Scale = code->detail == 20 ? kMillimetresPerInch : 1.0;
        return;
      case GcodeRole::Distance:
        m_Incremental = code->detail == 91;
        return;
      case GcodeRole::System:
        return SelectSystem(code, word);
      case GcodeRole::Machine:
        block.machineText = word.text;
        return;
      case GcodeRole::ModeOn:
        m_Modes[code->detail] = ActiveMode{m_Line, Quoted(word.text), code->meaning};
        if (TakesCentre(code)) ClaimAxisWords(code, word, block);
        return;
      case GcodeRole::ModeOff:
        m_Modes[code->detail].reset();
        return;
      case GcodeRole::Refused:
        FailGcode(Quoted(word.text) + " (" + code->meaning + ") cannot be read");
      case GcodeRole::End:
        block.ends = true;
        return;
      case GcodeRole::Harmless:
        return Skip(word);
      default:  // the words that use the axis words for something other than a move
        return ClaimAxisWords(code, word, block);
    }
  }

  // Rotation, scaling and mirroring name their centre or axes with X, Y and Z.
  static bool TakesCentre(const GcodeCode* code) {
    const auto mode = static_cast<GcodeMode>(code->detail);
    return mode == GcodeMode::Rotation || mode == GcodeMode::Scaling || mode == GcodeMode::Mirror;
  }

  static void ClaimAxisWords(const GcodeCode* code, const GcodeWord& word, Block& block) {
    if (block.nonModal)
      FailGcode(std::string(block.nonModalText) + " and " + Quoted(word.text) + " both use the axis words");
    block.nonModal = code;
    block.nonModalText = word.text;
  }

  // Another coordinate system puts every known position where the file does not say.
  void SelectSystem(const GcodeCode* code, const GcodeWord& word) {
    if (code == m_System) return;
    m_System = code;
    for (const GcodeAxis axis : {kAxisX, kAxisY, kAxisZ})
      if (!m_Position.Unknown(axis))
        m_Position.Lose(axis, m_Line,
                        Quoted(word.text) + " selects another coordinate system, whose origin the file does not give");
  }

  static std::string NoteKey(const GcodeWord& word) {
    return word.letter == 'G' || word.letter == 'M' ? fmt::format("{}{:.6g}", word.letter, word.value)
                                                    : std::string(1, word.letter);
  }

  void Skip(const GcodeWord& word) {
    const std::string key = NoteKey(word);
    m_Notes.Add(key, m_Line, key + " words", [&] { return Quoted(word.text) + " skipped"; });
  }

  void Unknown(const GcodeWord& word) {
    if (m_Options.strict) FailGcode("unknown word " + Quoted(word.text));
    const std::string key = NoteKey(word);
    m_Notes.Add(key, m_Line, key + " words", [&] { return "unknown word " + Quoted(word.text) + " skipped"; });
  }

  void Execute(Block& block) {
    if (block.f) SetFeed(block.f->value);
    RecordPrecision(block);
    if (block.motion) m_Motion = block.motion->role == GcodeRole::CancelMotion ? nullptr : block.motion;
    if (block.nonModal)
      RunNonModal(block);
    else if (block.HasMotionWords())
      RunMotion(block);
    for (const Parameter& parameter : block.parameters)
      if (parameter.word && !parameter.used)
        Skip({static_cast<char>(std::toupper(static_cast<unsigned char>(parameter.word->text.front()))),
              parameter.word->value, 0, parameter.word->text});
    if (block.ends) m_Ended = true;
  }

  // A speed given under inverse-time or per-revolution feed is no speed per minute: none is in
  // force until the next F after the mode ends.
  void SetFeed(double feed) {
    if (feed <= 0.0) FailGcode("F must be greater than 0");
    m_Feed = ModeInForce(GcodeMode::FeedMode) ? 0.0 : feed * m_Scale;
    m_NewFeed = true;
  }

  // The finest digit that X, Y, I, J and R are written to, in mm: the file's precision.
  // Post-processors leave off trailing zeros, so a number with fewer decimals is not coarser.
  void RecordPrecision(const Block& block) {
    for (const auto& value : {block.axes[kAxisX], block.axes[kAxisY], block.i, block.j, block.r}) {
      if (!value || value->decimals == 0) continue;
      const double unit = std::pow(10.0, -value->decimals) * m_Scale;
      m_FinestUnit = m_FinestUnit == 0.0 ? unit : std::min(m_FinestUnit, unit);
    }
  }

  void RunNonModal(Block& block) {
    switch (block.nonModal->role) {
      case GcodeRole::Home:
        return Home(block);
      case GcodeRole::SetOffsets:
        block.L().Use();
        block.P().Use();
        return ForNamedAxes(block, [&](GcodeAxis axis, double) {
          m_Position.Lose(axis, m_Line, Quoted(block.nonModalText) + " changes the offsets the coordinates rest on");
        });
      case GcodeRole::LocalOffset:
        return ForNamedAxes(
            block, [&](GcodeAxis axis, double value) { m_Position.SetOffset(axis, value, m_Line, FrameLost(block)); });
      case GcodeRole::ModeOn:
        block.P().Use();  // a scale
        return;
      case GcodeRole::Origin:
        return ForNamedAxes(block, [&](GcodeAxis axis, double value) { m_Position.Name(axis, value); });
      case GcodeRole::OriginCancel:
      case GcodeRole::OriginSuspend:
        for (const GcodeAxis axis : {kAxisX, kAxisY, kAxisZ})
          m_Position.ClearOffset(axis, block.nonModal->role == GcodeRole::OriginSuspend, m_Line, FrameLost(block));
        return;
      default:  // OriginRestore
        for (const GcodeAxis axis : {kAxisX, kAxisY, kAxisZ}) m_Position.RestoreOffset(axis, m_Line, FrameLost(block));
        return;
    }
  }

  std::string FrameLost(const Block& block) const {
    return Quoted(block.nonModalText) + " moves the frame by an offset the file does not give";
  }

  // Each axis the line names, with its written value in mm.
  template <typename Action>
  void ForNamedAxes(const Block& block, Action action) {
    for (const GcodeAxis axis : {kAxisX, kAxisY, kAxisZ})
      if (block.axes[axis]) action(axis, block.axes[axis]->value * m_Scale);
  }

  // G28 and G30 run to the written point first, then the named axes (all without one) go home.
  void Home(const Block& block) {
    EndContour();
    const bool named = block.axes[kAxisX] || block.axes[kAxisY] || block.axes[kAxisZ];
    ArriveAt(block);
    for (const GcodeAxis axis : {kAxisX, kAxisY, kAxisZ})
      if (!named || block.axes[axis])
        m_Position.Lose(axis, m_Line,
                        Quoted(block.nonModalText) + " sends " + kAxisNames[axis] +
                            " to its home position, which the file does not give");
  }

  void RunMotion(Block& block) {
    if (!block.machineText.empty()) return MachineMove(block);
    if (m_Motion == nullptr) FailGcode("coordinates without G0, G1, G2 or G3 before them");
    if (m_Motion->role == GcodeRole::Cycle) return CyclePositions(block);
    if (m_Motion->detail == 0) return Rapid(block);
    Cut(block);
  }

  void RequireNoArcWords(const Block& block) const {
    if (block.i || block.j || block.r) FailGcode("I, J and R belong to arcs (G2, G3)");
  }

  void MachineMove(const Block& block) {
    if (m_Motion == nullptr || m_Motion->role != GcodeRole::Motion || m_Motion->detail > 1)
      FailGcode(std::string(block.machineText) + " moves with G0 or G1 only");
    RequireNoArcWords(block);
    EndContour();
    ForNamedAxes(block, [&](GcodeAxis axis, double) {
      m_Position.Lose(axis, m_Line,
                      Quoted(block.machineText) + " moves " + kAxisNames[axis] +
                          " in machine coordinates, which the file's coordinates do not give");
    });
  }

  void Rapid(const Block& block) {
    RequireNoArcWords(block);
    EndContour();
    ArriveAt(block);
  }

  // A drilling or boring cycle: only where it positions is read; it ends at a Z the reader does not follow.
  void CyclePositions(Block& block) {
    EndContour();
    const double repeats = block.L().word ? *block.L().Use() : block.K().Use().value_or(1.0);
    block.P().Use();
    block.parameters[1].Use();
    if (repeats < 1.0 || repeats != std::floor(repeats)) FailGcode("a cycle repeats a whole number of times from 1");
    for (const GcodeAxis axis : {kAxisX, kAxisY}) {
      if (!block.axes[axis]) continue;
      const double written = block.axes[axis]->value * m_Scale;
      m_Position.MoveTo(axis, m_Incremental ? m_Position.At(axis) + repeats * written : written, !m_Incremental);
      LoseUnderModes(axis);
    }
    m_Position.Lose(kAxisZ, m_Line, "a canned cycle ends at its return level");
    const GcodeCode* cycle = m_Motion;
    m_Notes.Add("cycle" + std::to_string(cycle->code), m_Line, "cycle positions",
                [&] { return std::string("a ") + cycle->meaning + ": only the positions it moves to are read"; });
  }

  // A move that is no cut: each named axis goes where the line says.
  void ArriveAt(const Block& block) {
    ForNamedAxes(block, [&](GcodeAxis axis, double) {
      m_Position.MoveTo(axis, Target(axis, block), !m_Incremental);
      LoseUnderModes(axis);
    });
  }

  void LoseUnderModes(GcodeAxis axis) {
    for (size_t mode = 0; mode < m_Modes.size(); ++mode)
      if (m_Modes[mode] && MovesOffWrittenPoints(static_cast<GcodeMode>(mode)))
        m_Position.Lose(
            axis, m_Modes[mode]->line,
            m_Modes[mode]->word + " (" + m_Modes[mode]->meaning + ") moves the tool off the written points");
  }

  double Target(GcodeAxis axis, const Block& block) const {
    const std::optional<Value>& written = block.axes[axis];
    if (!written) return m_Position.At(axis);
    return (m_Incremental ? m_Position.At(axis) : 0.0) + written->value * m_Scale;
  }

  Point Here() const { return {m_Position.At(kAxisX), m_Position.At(kAxisY)}; }
  Point TargetPoint(const Block& block) const { return {Target(kAxisX, block), Target(kAxisY, block)}; }

  bool ModeInForce(GcodeMode mode) const { return m_Modes[static_cast<size_t>(mode)].has_value(); }

  void Cut(Block& block) {
    const bool arc = m_Motion->detail >= 2;
    if (!arc) RequireNoArcWords(block);
    RefuseUnderModes(arc);
    if (block.axes[kAxisZ] && MovesInZ(block)) {
      if (!arc && Distance(TargetPoint(block), Here()) < m_Options.joinTolerance) return PlungeOrRetract(block);
      if (!m_Options.flatten) FailGcode("the cut moves in X/Y and Z at once (3-D work); --flatten drops its Z");
      m_Notes.Add("flatten", m_Line, "cuts flattened", [] { return "Z dropped from a cut in X/Y (--flatten)"; });
      m_Position.MoveTo(kAxisZ, Target(kAxisZ, block), !m_Incremental);
    }
    if (!arc && !block.axes[kAxisX] && !block.axes[kAxisY]) return;  // a Z at the depth the tool is at
    RequireKnownStart(block, kAxisX);
    RequireKnownStart(block, kAxisY);
    const Point from = Here();
    const Point to = TargetPoint(block);
    const std::optional<ContourSegment> move = arc ? ArcMove(block, from, to) : LineMove(from, to);
    Advance(move, from, to);
    m_Position.MoveTo(kAxisX, to.x, !m_Incremental && block.axes[kAxisX]);
    m_Position.MoveTo(kAxisY, to.y, !m_Incremental && block.axes[kAxisY]);
  }

  bool MovesInZ(const Block& block) const {
    return m_Position.Unknown(kAxisZ) ||
           std::abs(Target(kAxisZ, block) - m_Position.At(kAxisZ)) >= m_Options.joinTolerance;
  }

  // A cut in Z alone ends the contour, like a rapid.
  void PlungeOrRetract(const Block& block) {
    EndContour();
    ArriveAt(block);
  }

  void RefuseUnderModes(bool arc) const {
    for (size_t mode = 0; mode < m_Modes.size(); ++mode) {
      if (!m_Modes[mode] || (static_cast<GcodeMode>(mode) == GcodeMode::ArcCentres && !arc)) continue;
      const ActiveMode& active = *m_Modes[mode];
      throw GcodeFault{active.word + " (" + active.meaning + ") cannot be read" + CutsHere(active.line), active.line};
    }
  }

  std::string CutsHere(int line) const {
    return line == m_Line ? "" : "; line " + std::to_string(m_Line) + " cuts with it in force";
  }

  // An absolute cut needs to know where it starts; an incremental one, or an axis it leaves
  // alone, does not.
  void RequireKnownStart(const Block& block, GcodeAxis axis) const {
    const std::optional<UnknownPosition>& unknown = m_Position.Unknown(axis);
    if (!block.axes[axis] || m_Incremental || !unknown) return;
    if (unknown->line == 0)
      FailGcode(std::string("the cut starts where no move before it has placed ") + kAxisNames[axis] +
                ": a G0 to the start comes first");
    throw GcodeFault{unknown->why + "; line " + std::to_string(m_Line) + " cuts from there", unknown->line};
  }

  std::optional<ContourSegment> LineMove(Point from, Point to) {
    if (Distance(to, from) < m_Options.joinTolerance) return Joined();
    return ContourSegment::Line(from, to);
  }

  std::optional<ContourSegment> Joined() {
    m_Notes.Add("joined", m_Line, "such cuts",
                [] { return std::string("a cut shorter than the join tolerance joined"); });
    return std::nullopt;
  }

  // A full turn is an arc whose end is written at its start, or that names neither X nor Y.
  std::optional<ContourSegment> ArcMove(Block& block, Point from, Point to) {
    const bool clockwise = m_Motion->detail == 2;
    if (!block.r && !block.i && !block.j) FailGcode("an arc needs I and J or R");
    if (block.r && (block.i || block.j)) FailGcode("an arc takes I and J or R, not both");
    const double turns = Turns(block);
    const bool fullTurn = (!block.axes[kAxisX] && !block.axes[kAxisY]) || Distance(to, from) <= kSamePoint;
    if (fullTurn && block.r)
      FailGcode("an arc by R needs an end point away from its start; a full circle needs I and J");
    if (!fullTurn && Distance(to, from) < m_Options.joinTolerance) return Joined();
    const Point centre = block.r
                             ? CentreFromRadius(block.r->value * m_Scale, from, to, clockwise)
                             : from + m_Scale * Point{block.i ? block.i->value : 0.0, block.j ? block.j->value : 0.0};
    const double radius = Distance(from, centre);
    if (radius < m_Options.joinTolerance) FailGcode("the arc's radius is within the join tolerance of 0");
    if (!block.r) CheckLater({m_Line, std::abs(Distance(to, centre) - radius), radius, 0.0, false});
    const double turn = AngleOf(to - centre) - AngleOf(from - centre);
    const double sweep = fullTurn ? turns * kFullTurn
                                  : (clockwise ? ClockwiseTurn(turn) : CounterclockwiseTurn(turn)) +
                                        (clockwise ? -1.0 : 1.0) * (turns - 1.0) * kFullTurn;
    return ContourSegment::Arc(from, to, centre, clockwise ? -std::abs(sweep) : sweep);
  }

  // P on an arc: how many turns it makes, the last one ending at its end point.
  static double Turns(Block& block) {
    const double turns = block.P().Use().value_or(1.0);
    if (turns < 1.0 || turns != std::floor(turns)) FailGcode("P on an arc counts its turns: a whole number from 1");
    return turns;
  }

  // The centre lies on the chord's perpendicular bisector: left of the chord for the shorter
  // counterclockwise arc and the longer clockwise one, right of it otherwise.
  Point CentreFromRadius(double radius, Point from, Point to, bool clockwise) {
    const double chord = Distance(to, from);
    const double shortfall = chord - 2.0 * std::abs(radius);
    if (shortfall > 0.0) CheckLater({m_Line, shortfall, std::abs(radius), chord, true});
    const Point along = (1.0 / chord) * (to - from);
    const Point left{-along.y, along.x};
    const double height = std::sqrt(std::max(0.0, radius * radius - chord * chord / 4.0));
    const double side = clockwise == (radius < 0.0) ? 1.0 : -1.0;
    return 0.5 * (from + to) + (side * height) * left;
  }

  // Only misses beyond the smallest tolerance the file could get need the file's precision.
  void CheckLater(const ArcMiss& arc) {
    const double smallest = m_Options.arcTolerance > 0.0 ? m_Options.arcTolerance : kArcToleranceFloor;
    if (arc.miss > smallest) m_ArcMisses.push_back(arc);
  }

  std::string ArcMessage(const ArcMiss& arc, double tolerance) const {
    const std::string beyond =
        fmt::format(", more than the arc tolerance of {:.6g} mm (--arc-tolerance MM sets it)", tolerance);
    if (arc.byRadius)
      return fmt::format("R{:.6g} mm is too small for an end point {:.6g} mm away", arc.radius, arc.chord) + beyond;
    return fmt::format("the arc's end point lies {:.6g} mm off its circle of radius {:.6g} mm", arc.miss, arc.radius) +
           beyond;
  }

  // A cut into the open contour, or a new one; a joined cut only moves the contour's end point.
  // The contour's frame is the program's coordinates where it starts: a frame change inside it
  // moves the program's coordinates, not the contour's.
  void Advance(const std::optional<ContourSegment>& cut, Point from, Point to) {
    if (cut) {
      if (!m_Open) Open(from);
      Contour& contour = m_Program.contours.back();
      const Point shift = m_ContourAt - from;
      ContourMove move{*cut, m_NewFeed || contour.moves.empty() ? m_Feed : 0.0, m_Line};
      move.segment.start = contour.moves.empty() ? contour.start : contour.moves.back().segment.end;
      move.segment.end = cut->end + shift;
      move.segment.centre = cut->centre + shift;
      m_NewFeed = false;
      contour.moves.push_back(move);
    }
    if (m_Open) m_ContourAt = m_ContourAt + (to - from);
  }

  void Open(Point from) {
    Contour contour;
    contour.firstLine = m_Line;
    contour.start = from;
    contour.startKnown = !m_Position.Unknown(kAxisX) && !m_Position.Unknown(kAxisY);
    m_Program.contours.push_back(std::move(contour));
    m_ContourAt = from;
    m_Open = true;
  }

  void EndContour() { m_Open = false; }

  const GcodeOptions& m_Options;
  GcodeProgram& m_Program;
  NoteTally m_Notes;
  std::vector<GcodeWord> m_Words;
  int m_Line = 0;
  GcodePosition m_Position;
  double m_Scale = 1.0;  // mm per written unit
  bool m_Incremental = false;
  const GcodeCode* m_Motion = nullptr;
  const GcodeCode* m_System = nullptr;
  std::array<std::optional<ActiveMode>, static_cast<size_t>(GcodeMode::Count)> m_Modes;
  double m_Feed = 0.0;  // mm/min in force; 0: none
  bool m_NewFeed = false;
  double m_FinestUnit = 0.0;  // mm; 0: no decimals written yet
  std::vector<ArcMiss> m_ArcMisses;
  bool m_Open = false;
  Point m_ContourAt;  // where the open contour ends, in its own frame
  bool m_SeenWords = false;
  bool m_Opened = false;
  bool m_Ended = false;
};

std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  return text.substr(0, kMark.size()) == kMark ? text.substr(kMark.size()) : text;
}

}  // namespace

double ArcToleranceForPrecision(double unit) { return std::max(kArcToleranceFloor, kRadiusMissPerUnit * unit); }

bool ReadGcode(std::string_view text, const GcodeOptions& options, GcodeProgram& program, GcodeError& error) {
  program = GcodeProgram();
  text = WithoutByteOrderMark(text);
  Interpreter interpreter(options, program);
  int number = 0;
  size_t begin = 0;
  while (begin < text.size() && !interpreter.Ended()) {
    const size_t end = std::min(text.find('\n', begin), text.size());
    try {
      interpreter.ReadLine(text.substr(begin, end - begin), ++number);
    } catch (const GcodeFault& fault) {
      error = {fault.line == 0 ? number : fault.line, fault.message};
      if (const std::optional<GcodeError> arc = interpreter.ArcFault(); arc && arc->line < error.line) error = *arc;
      interpreter.Finish();
      return false;
    }
    begin = end + 1;
  }
  if (interpreter.Ended() && begin < text.size()) interpreter.NoteRest(text.substr(begin));
  interpreter.Finish();
  if (const std::optional<GcodeError> arc = interpreter.ArcFault()) {
    error = *arc;
    return false;
  }
  return true;
}

}  // namespace geometry
