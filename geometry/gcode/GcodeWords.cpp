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
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
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
        const size_t close = m_Line.find(')', m_At);
        m_At = close == std::string_view::npos ? m_Line.size() : close + 1;
      } else {
        return true;
      }
    }
    return false;
  }

  GcodeWord ReadWord() {
    const size_t begin = m_At;
    const char c = m_Line[m_At++];
    if (!IsLetter(c)) {
      const auto byte = static_cast<unsigned char>(c);
      FailGcode(std::isprint(byte) ? fmt::format("unexpected '{}'", c) : fmt::format("unexpected byte 0x{:02X}", byte));
    }
    GcodeWord word;
    word.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ReadNumber(word);
    word.text = m_Line.substr(begin, m_At - begin);
    return word;
  }

  // Optional sign, digits with at most one decimal point, at least one digit.
  void ReadNumber(GcodeWord& word) {
    const size_t begin = m_At;
    size_t end = begin;
    if (end < m_Line.size() && (m_Line[end] == '+' || m_Line[end] == '-')) ++end;
    const size_t digitsBegin = end;
    size_t point = std::string_view::npos;
    bool digit = false;
    for (; end < m_Line.size(); ++end) {
      if (m_Line[end] == '.' && point == std::string_view::npos) {
        point = end;
      } else if (IsDigit(m_Line[end])) {
        digit = true;
      } else {
        break;
      }
    }
    if (!digit) FailGcode(std::string(1, word.letter) + " needs a number");
    if (!EndsWord(m_Line, end)) {
      const size_t stop = std::min(m_Line.find_first_of(" \t\r(;", end), m_Line.size());
      FailGcode(Quoted(m_Line.substr(begin - 1, stop - begin + 1)) + ": the number does not end where the word does");
    }
    const auto [rest, fault] = std::from_chars(m_Line.data() + digitsBegin, m_Line.data() + end, word.value);
    if (fault != std::errc() || rest != m_Line.data() + end || word.value > kLargestValue)
      FailGcode(Quoted(m_Line.substr(begin - 1, end - begin + 1)) + " is out of range");
    if (m_Line[begin] == '-') word.value = -word.value;
    word.decimals = point == std::string_view::npos ? 0 : static_cast<int>(end - point - 1);
    m_At = end;
  }

  std::string_view m_Line;
  std::vector<GcodeWord>& m_Words;
  size_t m_At = 0;
  int m_Comments = 0;
};

}  // namespace

void FailGcode(std::string message) { throw Fault{0, std::move(message)}; }

std::string Quoted(std::string_view text) {
  if (text.size() <= kLongestQuote) return std::string(text);
  return std::string(text.substr(0, kLongestQuote)) + "...";
}

int ScanGcodeLine(std::string_view line, std::vector<GcodeWord>& words) { return LineScanner(line, words).Scan(); }

}  // namespace geometry
