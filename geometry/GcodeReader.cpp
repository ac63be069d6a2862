#include "geometry/GcodeReader.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>

namespace geometry {

namespace {

constexpr double kMillimetresPerInch = 25.4;
// Larger numbers are no position or speed any machine reaches; they would only overflow.
constexpr double kLargestValue = 1e9;

struct Fault {
  std::string message;
};

[[noreturn]] void Fail(std::string message) { throw Fault{std::move(message)}; }

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::string AtLine(int line, const std::string& what) { return "line " + std::to_string(line) + ": " + what; }

double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }
double AngleOf(Point p) { return std::atan2(p.y, p.x); }

struct Word {
  char letter;
  double value;
  std::string text;  // as written, for messages
};

// The words of one line, its comments taken out.
class LineScanner {
 public:
  LineScanner(std::string_view line, int number, std::vector<std::string>& notes)
      : m_Line(line), m_Number(number), m_Notes(notes) {}

  std::vector<Word> Words() {
    std::vector<Word> words;
    while (SkipBlanksAndComments()) words.push_back(ReadWord());
    return words;
  }

 private:
  // False at the end of the line.
  bool SkipBlanksAndComments() {
    while (m_Position < m_Line.size()) {
      const char c = m_Line[m_Position];
      if (c == ' ' || c == '\t' || c == '\r') {
        ++m_Position;
      } else if (c == ';') {
        Note("comment skipped");
        m_Position = m_Line.size();
      } else if (c == '(') {
        Note("comment skipped");
        const size_t close = m_Line.find(')', m_Position);
        m_Position = close == std::string_view::npos ? m_Line.size() : close + 1;
      } else {
        return true;
      }
    }
    return false;
  }

  Word ReadWord() {
    const size_t begin = m_Position;
    const unsigned char c = static_cast<unsigned char>(m_Line[m_Position++]);
    if (!std::isalpha(c)) {
      char shown[16];
      std::snprintf(shown, sizeof shown, std::isprint(c) ? "'%c'" : "byte 0x%02X", c);
      Fail(std::string("unexpected ") + shown);
    }
    const char letter = static_cast<char>(std::toupper(c));
    const double value = ReadNumber(letter);
    return {letter, value, std::string(m_Line.substr(begin, m_Position - begin))};
  }

  // Optional sign, digits with at most one decimal point, at least one digit.
  double ReadNumber(char letter) {
    size_t end = m_Position;
    if (end < m_Line.size() && (m_Line[end] == '+' || m_Line[end] == '-')) ++end;
    const size_t digitsBegin = end;
    bool point = false;
    bool digit = false;
    for (; end < m_Line.size(); ++end) {
      const char c = m_Line[end];
      if (c == '.' && !point) {
        point = true;
      } else if (std::isdigit(static_cast<unsigned char>(c))) {
        digit = true;
      } else {
        break;
      }
    }
    if (!digit) Fail(std::string(1, letter) + " needs a number");
    double value = 0.0;
    const auto [rest, fault] = std::from_chars(m_Line.data() + digitsBegin, m_Line.data() + end, value);
    if (fault != std::errc() || rest != m_Line.data() + end || value > kLargestValue)
      Fail(std::string(m_Line.substr(m_Position - 1, end - m_Position + 1)) + " is out of range");
    if (m_Line[m_Position] == '-') value = -value;
    m_Position = end;
    return value;
  }

  void Note(const char* what) { m_Notes.push_back(AtLine(m_Number, what)); }

  std::string_view m_Line;
  size_t m_Position = 0;
  int m_Number;
  std::vector<std::string>& m_Notes;
};

// What one line asks for, before it is carried out.
struct Block {
  std::optional<int> motion;  // 0 to 3
  std::optional<double> x, y, i, j, r, f;

  bool HasCoordinates() const { return x || y || i || j || r; }
};

// The program's state from line to line: position, units, distance mode, motion mode, speed.
class Interpreter {
 public:
  Interpreter(const GcodeOptions& options, GcodePath& path) : m_Options(options), m_Path(path) {}

  void ReadLine(std::string_view line, int number) {
    m_Line = number;
    if (line == "%" || line == "%\r") return;  // the program's delimiter
    Block block;
    for (const Word& word : LineScanner(line, number, m_Path.notes).Words()) Take(word, block);
    Execute(block);
  }

  void Finish() { m_Path.end = m_Position; }

 private:
  void Take(const Word& word, Block& block) {
    switch (word.letter) {
      case 'G':
        return TakeG(word, block);
      case 'X':
        return Set(block.x, word);
      case 'Y':
        return Set(block.y, word);
      case 'I':
        return Set(block.i, word);
      case 'J':
        return Set(block.j, word);
      case 'R':
        return Set(block.r, word);
      case 'F':
        return Set(block.f, word);
      case 'N':
        return;  // a line number
      default:
        return Unknown(word);
    }
  }

  void Set(std::optional<double>& slot, const Word& word) {
    if (slot) Fail(std::string("two ") + word.letter + " words");
    slot = word.value;
  }

  // Units and distance mode take effect at once, so they hold for the whole line.
  void TakeG(const Word& word, Block& block) {
    const double code = word.value;
    if (code == 0 || code == 1 || code == 2 || code == 3) {
      if (block.motion) Fail("two motion words G" + std::to_string(*block.motion) + " and " + word.text);
      block.motion = static_cast<int>(code);
    } else if (code == 18 || code == 19) {
      Fail("only the XY plane (G17) can be read, not " + word.text);
    } else if (code == 20 || code == 21) {
      m_MillimetresPerUnit = code == 20 ? kMillimetresPerInch : 1.0;
    } else if (code == 90 || code == 91) {
      m_Incremental = code == 91;
    } else if (code != 17) {
      Unknown(word);
    }
  }

  void Unknown(const Word& word) {
    if (m_Options.strict) Fail("unknown word " + word.text);
    m_Path.notes.push_back(AtLine(m_Line, "unknown word " + word.text + " skipped"));
  }

  void Execute(const Block& block) {
    if (block.f) {
      if (*block.f <= 0.0) Fail("F must be greater than 0");
      m_PendingFeed = *block.f * m_MillimetresPerUnit;
    }
    if (block.motion) m_Motion = *block.motion;
    if (!block.HasCoordinates()) return;
    if (!m_Motion) Fail("coordinates without G0, G1, G2 or G3 before them");
    const Point target = Target(block);
    if (*m_Motion <= 1) {
      if (block.i || block.j || block.r) Fail("I, J and R belong to arcs (G2, G3)");
      MoveLinear(target, *m_Motion == 0);
    } else {
      MoveCircular(block, target, *m_Motion == 2);
    }
    m_Position = target;
  }

  Point Target(const Block& block) const {
    const auto axis = [&](const std::optional<double>& value, double current) {
      if (!value) return current;
      return (m_Incremental ? current : 0.0) + *value * m_MillimetresPerUnit;
    };
    return {axis(block.x, m_Position.x), axis(block.y, m_Position.y)};
  }

  void MoveLinear(Point target, bool rapid) {
    if (!m_Started && rapid) {
      Note("rapid move before the contour: it only leads to the start");
      m_Path.start = target;
      return;
    }
    Start();
    if (Distance(target, m_Position) < m_Options.joinTolerance) return Note("move within the join tolerance joined");
    if (rapid) Note("rapid move inside the contour runs at the speed in force");
    Append({PathSegment::Kind::Linear, target});
  }

  void MoveCircular(const Block& block, Point target, bool clockwise) {
    Start();
    if (!block.r && !block.i && !block.j) Fail("an arc needs I and J or R");
    if (block.r && (block.i || block.j)) Fail("an arc takes I and J or R, not both");
    const bool fullCircle = !block.r && Distance(target, m_Position) < m_Options.joinTolerance;
    const Point centre = block.r
                             ? CentreFromRadius(*block.r * m_MillimetresPerUnit, target, clockwise)
                             : m_Position + m_MillimetresPerUnit * Point{block.i.value_or(0.0), block.j.value_or(0.0)};
    const double radius = Distance(m_Position, centre);
    if (radius < m_Options.joinTolerance) Fail("the arc's radius is within the join tolerance of 0");
    const double miss = std::abs(Distance(target, centre) - radius);
    if (miss > m_Options.joinTolerance)
      Fail("the arc's end point lies " + Number(miss) + " mm off its circle of radius " + Number(radius) + " mm");
    const double initialAngle = AngleOf(m_Position - centre);
    const double sweep =
        fullCircle ? 2.0 * std::numbers::pi : Sweep(AngleOf(target - centre) - initialAngle, clockwise);
    GcodeMove move{PathSegment::Kind::Circular, target, radius, initialAngle, clockwise ? -std::abs(sweep) : sweep};
    Append(move);
  }

  // The turn from the start angle to the end angle in the arc's direction, within one turn.
  static double Sweep(double difference, bool clockwise) {
    const double turn = 2.0 * std::numbers::pi;
    const double sweep = std::fmod(difference, turn);
    if (clockwise) return sweep >= 0.0 ? sweep - turn : sweep;
    return sweep <= 0.0 ? sweep + turn : sweep;
  }

  // The centre lies on the chord's perpendicular bisector: left of the chord for the shorter
  // counterclockwise arc and the longer clockwise one, right of it otherwise.
  Point CentreFromRadius(double radius, Point target, bool clockwise) const {
    const double chord = Distance(target, m_Position);
    if (chord < m_Options.joinTolerance)
      Fail("an arc by R needs an end point away from its start; a full circle needs I and J");
    if (chord > 2.0 * std::abs(radius) + m_Options.joinTolerance)
      Fail("R" + Number(radius) + " mm is too small for an end point " + Number(chord) + " mm away");
    const Point along = (1.0 / chord) * (target - m_Position);
    const Point left{-along.y, along.x};
    const double height = std::sqrt(std::max(0.0, radius * radius - chord * chord / 4.0));
    const double side = clockwise == (radius < 0.0) ? 1.0 : -1.0;
    return 0.5 * (m_Position + target) + (side * height) * left;
  }

  void Start() {
    if (m_Started) return;
    m_Started = true;
    m_Path.start = m_Position;
  }

  void Append(GcodeMove move) {
    move.feed = m_PendingFeed;
    move.line = m_Line;
    m_PendingFeed = 0.0;
    m_Path.moves.push_back(move);
  }

  void Note(const char* what) { m_Path.notes.push_back(AtLine(m_Line, what)); }

  const GcodeOptions& m_Options;
  GcodePath& m_Path;
  int m_Line = 0;
  Point m_Position;
  double m_MillimetresPerUnit = 1.0;
  bool m_Incremental = false;
  std::optional<int> m_Motion;
  double m_PendingFeed = 0.0;
  bool m_Started = false;
};

}  // namespace

bool ReadGcode(std::string_view text, const GcodeOptions& options, GcodePath& path, GcodeError& error) {
  path = GcodePath();
  Interpreter interpreter(options, path);
  int number = 0;
  for (size_t begin = 0; begin < text.size();) {
    const size_t end = std::min(text.find('\n', begin), text.size());
    try {
      interpreter.ReadLine(text.substr(begin, end - begin), ++number);
    } catch (const Fault& fault) {
      error = {number, fault.message};
      return false;
    }
    begin = end + 1;
  }
  interpreter.Finish();
  return true;
}

}  // namespace geometry
