#include "geometry/drawing/dxf/DxfInputCheck.h"

#include <dl_codes.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

#include "common/QuotedText.h"

namespace geometry {

namespace {

constexpr size_t kLargestInput = size_t{256} << 20;
// dxflib reads a line into a buffer of DL_DXF_MAXLINE characters and loops for ever on a longer one.
constexpr size_t kLongestLine = 1000;
static_assert(kLongestLine + 2 < DL_DXF_MAXLINE);
constexpr long kLargestGroupCode = 1071;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// How dxflib strips a line: blanks before, blanks and line ends after.
std::string_view Trimmed(std::string_view line) {
  const size_t begin = std::min(line.find_first_not_of(" \t"), line.size());
  const size_t end = line.find_last_not_of(" \t\r\n");
  return end == std::string_view::npos || end < begin ? std::string_view() : line.substr(begin, end + 1 - begin);
}

bool InRange(long code, std::initializer_list<std::pair<long, long>> ranges) {
  return std::any_of(ranges.begin(), ranges.end(),
                     [code](auto range) { return code >= range.first && code <= range.second; });
}

bool IsRealCode(long code) { return InRange(code, {{10, 59}, {110, 149}, {210, 239}, {460, 469}, {1010, 1059}}); }

bool IsIntegerCode(long code) {
  return InRange(
      code, {{60, 79}, {90, 99}, {160, 179}, {270, 299}, {370, 389}, {400, 409}, {420, 429}, {440, 459}, {1060, 1071}});
}

bool ReadWhole(std::string_view text, long long& value) {
  const auto [rest, fault] = std::from_chars(text.data(), text.data() + text.size(), value);
  return fault == std::errc() && rest == text.data() + text.size() && !text.empty();
}

bool IsFiniteNumber(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0.0;
  const auto [rest, fault] = std::from_chars(text.data(), text.data() + text.size(), value);
  return fault == std::errc() && rest == text.data() + text.size() && !text.empty() && std::isfinite(value);
}

bool ConsumeOne(std::string_view& text, char wanted) {
  if (text.empty() || text.front() != wanted) return false;
  text.remove_prefix(1);
  return true;
}

// dxflib reads the version out of a comment that starts with "dxflib" and overruns on any other
// form than four dot-separated numbers.
bool IsSafeComment(std::string_view comment) {
  constexpr std::string_view kMaker = "dxflib";
  if (comment.substr(0, kMaker.size()) != kMaker) return true;
  // After the name, one character that is not a line end, then the four numbers of one or two digits.
  std::string_view rest = comment.substr(kMaker.size());
  if (rest.empty() || rest.front() == '\r' || rest.front() == '\n') return false;
  rest.remove_prefix(1);
  for (int number = 0; number < 4; ++number) {
    if (number > 0 && !ConsumeOne(rest, '.')) return false;
    const size_t digits = std::min(rest.find_first_not_of("0123456789"), rest.size());
    if (digits < 1 || digits > 2) return false;
    rest.remove_prefix(digits);
  }
  return rest.empty();
}

// A group whose count the entity states before it: dxflib allocates the count and files the
// group into it.
struct CountedGroup {
  std::string_view kind;
  long code;
  long countCode;
};

constexpr CountedGroup kCountedGroups[] = {
    {"LWPOLYLINE", 10, 90}, {"LWPOLYLINE", 20, 90}, {"LWPOLYLINE", 30, 90}, {"LWPOLYLINE", 42, 90}, {"SPLINE", 40, 72},
    {"SPLINE", 10, 73},     {"SPLINE", 20, 73},     {"SPLINE", 30, 73},     {"SPLINE", 41, 73},     {"SPLINE", 11, 74},
    {"SPLINE", 21, 74},     {"SPLINE", 31, 74},     {"LEADER", 10, 76},     {"LEADER", 20, 76},     {"LEADER", 30, 76},
};

// A count and the group that starts each of the things it counts.
struct Count {
  std::string_view kind;
  long code;
  long itemCode;
  bool required;  // without it, dxflib replays the last entity's
  std::string_view what;
};

constexpr Count kCounts[] = {
    {"LWPOLYLINE", 90, 10, true, "vertices"},   {"SPLINE", 72, 40, true, "knots"},
    {"SPLINE", 73, 10, true, "control points"}, {"SPLINE", 74, 11, false, "fit points"},
    {"LEADER", 76, 10, false, "vertices"},
};

// The counts one entity states and the groups it gives.
class EntityCounts {
 public:
  EntityCounts(std::string kind, int line) : m_Kind(std::move(kind)), m_Line(line) {}

  void Take(long code, std::string_view value, int line) {
    if (const Count* count = CountOf(code)) return State(*count, value, line);
    const auto counted = std::find_if(std::begin(kCountedGroups), std::end(kCountedGroups),
                                      [&](const CountedGroup& g) { return g.kind == m_Kind && g.code == code; });
    if (counted == std::end(kCountedGroups)) return;
    if (!m_Stated.contains(counted->countCode))
      throw Fault{line, Named() + " gives group " + std::to_string(code) + " before its count (group " +
                            std::to_string(counted->countCode) + ")"};
    if (m_Kind == "LWPOLYLINE" && code == 42 && m_Given[10] == 0)
      throw Fault{line, Named() + " gives a bulge before its first vertex"};
    ++m_Given[code];
  }

  void Finish() const {
    for (const Count& count : kCounts) {
      if (count.kind != m_Kind) continue;
      const auto stated = m_Stated.find(count.code);
      const long long given = Given(count.itemCode);
      if (stated == m_Stated.end() && count.required)
        throw Fault{m_Line, Named() + " does not state its number of " + std::string(count.what) + " (group " +
                                std::to_string(count.code) + ")"};
      const long long expected = stated == m_Stated.end() ? 0 : stated->second;
      if (given != expected)
        throw Fault{m_Line, Named() + " states " + std::to_string(expected) + " " + std::string(count.what) +
                                " but gives " + std::to_string(given)};
    }
    if (m_Kind == "SPLINE" && Given(41) != 0 && Given(41) != Given(10))
      throw Fault{m_Line, Named() + " gives " + std::to_string(Given(41)) + " weights for " +
                              std::to_string(Given(10)) + " control points"};
  }

 private:
  const Count* CountOf(long code) const {
    const auto found = std::find_if(std::begin(kCounts), std::end(kCounts),
                                    [&](const Count& c) { return c.kind == m_Kind && c.code == code; });
    return found == std::end(kCounts) ? nullptr : found;
  }

  void State(const Count& count, std::string_view value, int line) {
    long long number = 0;
    if (!ReadWhole(value, number) || number < 0)
      throw Fault{line,
                  Named() + ": its number of " + std::string(count.what) + " " + QuotedText(value) + " is no count"};
    if (!m_Stated.emplace(count.code, number).second)
      throw Fault{line, Named() + " states its number of " + std::string(count.what) + " twice"};
  }

  long long Given(long code) const {
    const auto found = m_Given.find(code);
    return found == m_Given.end() ? 0 : found->second;
  }

  std::string Named() const { return "the " + m_Kind + " of line " + std::to_string(m_Line); }

  std::string m_Kind;
  int m_Line;
  std::map<long, long long> m_Stated;
  std::map<long, long long> m_Given;
};

// Reads the text pair by pair as dxflib will, checking each pair before dxflib sees it.
class InputChecker {
 public:
  InputChecker(std::string_view text, CheckedDxf& checked) : m_Text(text), m_Checked(checked) {}

  void Run() {
    while (m_Position < m_Text.size()) {
      const int codeLine = m_Line + 1;
      const std::string_view codeText = NextLine();
      if (m_Position >= m_Text.size() && Trimmed(codeText).empty()) break;
      if (m_Position >= m_Text.size()) CutShort();
      const long code = GroupCode(codeText, codeLine);
      const std::string_view value = Trimmed(NextLine());
      CheckValue(code, value);
      if (code == 0 && Structure(value)) {
        m_Checked.text = m_Text.substr(0, m_Position);
        return;
      }
      if (code == 9)
        StartEntity(value);  // dxflib starts an entity on a variable's name too
      else if (code != 0 && m_Entity)
        m_Entity->Take(code, value, m_Line);
      if (code == 8) m_Layer = value;
      if (code == 67) m_PaperSpace = value == "1";
    }
    CutShort();
  }

 private:
  std::string_view NextLine() {
    const size_t end = std::min(m_Text.find('\n', m_Position), m_Text.size());
    const std::string_view line = m_Text.substr(m_Position, end - m_Position);
    m_Position = end + 1;
    ++m_Line;
    if (line.find('\0') != std::string_view::npos) throw Fault{m_Line, "a NUL byte: this is no text file"};
    if (line.size() > kLongestLine) throw Fault{m_Line, "longer than " + std::to_string(kLongestLine) + " characters"};
    return line;
  }

  [[noreturn]] void CutShort() const {
    if (!m_Begun) throw Fault{m_Line, "not a DXF file: it holds no SECTION"};
    throw Fault{m_Line, "the file ends before its EOF: it is cut short"};
  }

  long GroupCode(std::string_view line, int number) const {
    long long code = -1;
    const std::string_view trimmed = Trimmed(line);
    const bool digits = !trimmed.empty() && trimmed.find_first_not_of("0123456789") == std::string_view::npos;
    if (digits && ReadWhole(trimmed, code) && code <= kLargestGroupCode) return static_cast<long>(code);
    if (!m_Begun) throw Fault{number, "not a DXF file: " + QuotedText(trimmed) + " is no group code"};
    throw Fault{number, "a group code (a whole number from 0 to " + std::to_string(kLargestGroupCode) +
                            ") expected, not " + QuotedText(trimmed)};
  }

  void CheckValue(long code, std::string_view value) const {
    long long ignored = 0;
    if (IsRealCode(code) && !IsFiniteNumber(value))
      throw Fault{m_Line, QuotedText(value) + " is no number (group " + std::to_string(code) + ")"};
    if (IsIntegerCode(code) && !ReadWhole(value, ignored))
      throw Fault{m_Line, QuotedText(value) + " is no whole number (group " + std::to_string(code) + ")"};
    if (code == 999 && !IsSafeComment(value))
      throw Fault{m_Line, "a comment that starts with \"dxflib\" gives no version a.b.c.d"};
  }

  // A group code 0: an entity, a section's start or end, or the end of the file (true).
  bool Structure(std::string_view value) {
    if (m_Counted && !m_PaperSpace) ++m_Checked.modelSpaceLayers[std::string(m_Layer)];
    m_Counted = m_Section == "ENTITIES" && value != "ENDSEC" && value != "VERTEX" && value != "SEQEND";
    m_Layer = "0";
    m_PaperSpace = false;
    StartEntity(value);
    if (!m_Begun && value != "SECTION") throw Fault{m_Line, "not a DXF file: it does not begin with a SECTION"};
    m_Begun = true;
    if (value == "EOF") return true;
    if (value == "SECTION") {
      const int nameLine = m_Line + 1;
      if (m_Position >= m_Text.size()) CutShort();
      const long code = GroupCode(NextLine(), nameLine);
      if (m_Position >= m_Text.size()) CutShort();
      const std::string_view name = Trimmed(NextLine());
      if (code != 2) throw Fault{nameLine, "a SECTION without its name (group 2)"};
      m_Section = name;
    } else if (value == "ENDSEC") {
      m_Section.clear();
    } else if (m_Section == "ENTITIES") {
      ++m_Checked.modelSpaceKinds[std::string(value)];
    }
    return false;
  }

  // Whatever dxflib was reading ends; what `value` names begins.
  void StartEntity(std::string_view value) {
    if (m_Entity) m_Entity->Finish();
    if (value == "HATCH" || value == "MTEXT")
      m_Checked.unreadKinds.push_back(static_cast<size_t>(value.data() - m_Text.data()));
    m_Entity.emplace(std::string(value), m_Line);
  }

  std::string_view m_Text;
  CheckedDxf& m_Checked;
  size_t m_Position = 0;
  int m_Line = 0;
  bool m_Begun = false;  // the first SECTION was seen
  std::string m_Section;
  std::optional<EntityCounts> m_Entity;
  // The entity of the model space being read, to count on its layer; entities of the paper space
  // are not counted.
  bool m_Counted = false;
  std::string_view m_Layer;
  bool m_PaperSpace = false;
};

}  // namespace

Result<CheckedDxf> CheckDxfInput(std::string_view bytes) {
  if (bytes.size() > kLargestInput) return Fault{0, "larger than " + std::to_string(kLargestInput >> 20) + " MiB"};
  if (bytes.substr(0, 22).find("Binary DXF") != std::string_view::npos)
    return Fault{0, "a binary DXF file: only text (ASCII) DXF can be read"};
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
  CheckedDxf checked;
  try {
    InputChecker(bytes, checked).Run();
  } catch (const Fault& fault) {
    return fault;
  }
  return checked;
}

}  // namespace geometry
