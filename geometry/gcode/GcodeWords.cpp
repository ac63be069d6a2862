#include "geometry/gcode/GcodeWords.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace geometry {

namespace {

// Larger numbers are no position or speed any machine reaches; they would only overflow.
constexpr double kLargestValue = 1e9;
constexpr size_t kLongestQuote = 40;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// What may follow a number: the end of the line, a blank, a comment, or the next word's letter.
// An E there would make an exponent of another notation, which G-code does not have.
bool EndsWord(std::string_view line, size_t at) {
  if (at == line.size()) return true;
  const char c = line[at];
  return IsBlank(c) || c == '(' || c == ';' || (IsLetter(c) && c != 'e' && c != 'E');
}

class LineScanner {
 public:
  LineScanner(std::string_view line, std::vector<GcodeWord>& words) : m_Line(line), m_Words(words) {}

  int Scan() {
    m_Words.clear();
    while (SkipBlanksAndComments()) m_Words.push_back(ReadWord());
    return m_Comments;
  }

 private:
  // False at the end of the line.
  bool SkipBlanksAndComments() {
    while (m_At < m_Line.size()) {
      const char c = m_Line[m_At];
      if (IsBlank(c)) {
        ++m_At;
      } else if (c == ';') {
        ++m_Comments;
        m_At = m_Line.size();
      } else if (c == '(') {
        ++m_Comments;
        SkipComment();
      } else {
        return true;
      }
    }
    return false;
  }

  // A comment ends at its first ')', or with the line.
  void SkipComment() {
    const size_t close = std::min(m_Line.find(')', m_At), m_Line.size());
    if (m_Line.substr(m_At + 1, close - m_At - 1).find('(') != std::string_view::npos)
      FailGcode(Quoted(m_Line.substr(m_At, OuterClose(m_At) - m_At)) +
                ": a comment inside a comment (nested parentheses) is not supported");
    m_At = close == m_Line.size() ? close : close + 1;
  }

  // Past the ')' that closes the '(' at `open`, counting those inside it; the line's end without one.
  size_t OuterClose(size_t open) const {
    int depth = 0;
    for (size_t at = open; at < m_Line.size(); ++at) {
      if (m_Line[at] == '(') ++depth;
      if (m_Line[at] == ')' && --depth == 0) return at + 1;
    }
    return m_Line.size();
  }

  // From `begin` to the next blank or the line's end, as the text a message shows.
  std::string_view Stretch(size_t begin) const {
    const size_t end = std::min(m_Line.find_first_of(" \t\r", begin), m_Line.size());
    return m_Line.substr(begin, end - begin);
  }

  [[noreturn]] void Unsupported(size_t begin) const {
    const char c = m_Line[m_At];
    if (c == '#')
      FailGcode(Quoted(Stretch(begin)) + ": variables and parameters (#) are not supported");
    FailGcode(Quoted(m_Line.substr(begin, std::min(m_Line.find(']', m_At), m_Line.size() - 1) + 1 - begin)) +
              ": expressions in brackets ([...]) are not supported");
  }

  GcodeWord ReadWord() {
    const size_t begin = m_At;
    const char c = m_Line[m_At];
    if (c == '#' || c == '[') Unsupported(begin);
    ++m_At;
    if (!IsLetter(c)) {
      const auto byte = static_cast<unsigned char>(c);
      FailGcode(std::isprint(byte) ? fmt::format("unexpected '{}'", c) : fmt::format("unexpected byte 0x{:02X}", byte));
    }
    GcodeWord word;
    word.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (word.letter == 'O') RefuseNamedOword(begin);
    ReadNumber(word);
    word.text = m_Line.substr(begin, m_At - begin);
    if (word.letter == 'O') RefuseOwordKeyword(begin);
    return word;
  }

  // o<name> call, o<name> sub, ...
  void RefuseNamedOword(size_t begin) {
    if (PeekPastBlanks(m_At) == '<') RefuseOword(begin, m_Line.find('>', m_At));
  }

  // o100 sub, o100 if [...], o100 call, ...: a keyword after the number. A program number
  // ("O1001 (SLOT)") has none.
  void RefuseOwordKeyword(size_t begin) {
    size_t at = m_At;
    while (at < m_Line.size() && IsBlank(m_Line[at])) ++at;
    if (at + 1 < m_Line.size() && IsLetter(m_Line[at]) && IsLetter(m_Line[at + 1])) {
      size_t end = at;
      while (end < m_Line.size() && IsLetter(m_Line[end])) ++end;
      RefuseOword(begin, end - 1);
    }
  }

  [[noreturn]] void RefuseOword(size_t begin, size_t last) const {
    const size_t end = std::min(last, m_Line.size() - 1) + 1;
    FailGcode(Quoted(m_Line.substr(begin, end - begin)) +
              ": o-words (subprograms, loops and conditions) are not supported");
  }

  char PeekPastBlanks(size_t at) const {
    while (at < m_Line.size() && IsBlank(m_Line[at])) ++at;
    return at < m_Line.size() ? m_Line[at] : '\0';
  }

  // Past the blanks at `at`, when a digit (or the first decimal point) follows them.
  size_t SkipBlanksInNumber(size_t at, bool point) const {
    size_t next = at;
    while (next < m_Line.size() && IsBlank(m_Line[next])) ++next;
    const bool goesOn = next < m_Line.size() && (IsDigit(m_Line[next]) || (m_Line[next] == '.' && !point));
    return goesOn ? next : at;
  }

  // Optional sign, digits with at most one decimal point, at least one digit; blanks may stand
  // between any of them.
  void ReadNumber(GcodeWord& word) {
    const size_t letter = m_At - 1;
    size_t end = m_At;
    while (end < m_Line.size() && IsBlank(m_Line[end])) ++end;
    const bool negative = end < m_Line.size() && m_Line[end] == '-';
    if (end < m_Line.size() && (m_Line[end] == '+' || m_Line[end] == '-')) ++end;
    while (end < m_Line.size() && IsBlank(m_Line[end])) ++end;
    m_Digits.clear();
    bool point = false;
    bool digit = false;
    int decimals = 0;
    for (; end < m_Line.size(); ++end) {
      const char c = m_Line[end];
      if (IsBlank(c)) {
        const size_t next = SkipBlanksInNumber(end, point);
        if (next == end) break;
        end = next - 1;
      } else if (c == '.' && !point) {
        point = true;
        m_Digits += c;
      } else if (IsDigit(c)) {
        digit = true;
        decimals += point ? 1 : 0;
        m_Digits += c;
      } else {
        break;
      }
    }
    if (!digit) NoNumber(word, end);
    if (!EndsWord(m_Line, end)) {
      const size_t stop = std::min(m_Line.find_first_of(" \t\r(;", end), m_Line.size());
      FailGcode(Quoted(m_Line.substr(letter, stop - letter)) + ": the number does not end where the word does");
    }
    const auto [rest, fault] = std::from_chars(m_Digits.data(), m_Digits.data() + m_Digits.size(), word.value);
    if (fault != std::errc() || rest != m_Digits.data() + m_Digits.size() || word.value > kLargestValue)
      FailGcode(Quoted(m_Line.substr(letter, end - letter)) + " is out of range");
    if (negative) word.value = -word.value;
    word.decimals = decimals;
    m_At = end;
  }

  [[noreturn]] void NoNumber(const GcodeWord& word, size_t at) {
    const size_t letter = m_At - 1;
    m_At = at;
    if (at < m_Line.size() && (m_Line[at] == '#' || m_Line[at] == '[')) Unsupported(letter);
    FailGcode(std::string(1, word.letter) + " needs a number");
  }

  std::string_view m_Line;
  std::vector<GcodeWord>& m_Words;
  size_t m_At = 0;
  int m_Comments = 0;
  std::string m_Digits;  // the number's digits and point, without blanks
};

}  // namespace

void FailGcode(std::string message) { throw Fault{0, std::move(message)}; }

std::string Quoted(std::string_view text) {
  if (text.size() <= kLongestQuote) return std::string(text);
  return std::string(text.substr(0, kLongestQuote)) + "...";
}

int ScanGcodeLine(std::string_view line, std::vector<GcodeWord>& words) { return LineScanner(line, words).Scan(); }

}  // namespace geometry
