#include "host/ParameterText.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace {

bool IsKeyChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

CString ToCString(std::string_view text) { return CString(text.data(), static_cast<int>(text.size())); }

// Splits what follows the key: "=value" or "[unit]=value".
bool ParseRest(std::string_view rest, ParameterText::Entry& entry) {
  entry = ParameterText::Entry{};
  if (rest.find('\0') != std::string_view::npos) return false;  // readers take values as C strings
  if (!rest.empty() && rest.front() == '[') {
    const size_t close = rest.find(']');
    if (close == std::string_view::npos) return false;
    entry.hasUnit = true;
    entry.unit = ToCString(TrimBlanks(rest.substr(1, close - 1)));
    rest.remove_prefix(close + 1);
  }
  rest = TrimBlanks(rest);
  if (rest.empty() || rest.front() != '=') return false;
  entry.value = ToCString(TrimBlanks(rest.substr(1)));
  return true;
}

// Editors on some systems start a UTF-8 file with a byte-order mark; the first key lies after it.
std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  return text;
}

std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace

ParameterText::Lookup ParameterText::Find(const CString& text, const char* key, Entry& entry) {
  const std::string_view all = WithoutByteOrderMark(std::string_view(text.GetString(), text.GetLength()));
  const std::string_view wanted(key == nullptr ? "" : key);
  if (wanted.empty()) return Lookup::Missing;
  Lookup result = Lookup::Missing;
  size_t start = 0;
  while (start <= all.size()) {
    const size_t end = std::min(all.find('\n', start), all.size());
    const std::string_view line = TrimBlanks(WithoutLineEnd(all.substr(start, end - start)));
    start = end + 1;
    if (line.substr(0, wanted.size()) != wanted) continue;
    const std::string_view rest = line.substr(wanted.size());
    if (!rest.empty() && IsKeyChar(rest.front())) continue;  // a longer key that shares the prefix
    if (result != Lookup::Missing) return Lookup::Duplicate;
    result = ParseRest(rest, entry) ? Lookup::Found : Lookup::Malformed;
  }
  return result;
}

bool ParameterText::ParseInteger(const CString& value, long long& number) {
  const char* first = value.GetString();
  const char* last = first + value.GetLength();
  if (first < last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
  const auto result = std::from_chars(first, last, number);
  return first < last && result.ec == std::errc() && result.ptr == last;
}

void ParameterText::AppendRadio(CString& text, const char* key, int value) { text.AppendFormat("%s=%d\n", key, value); }

void ParameterText::AppendList(CString& text, const char* name, const char* unit, const char* values) {
  text.AppendFormat("%s[%s]=%s\n", name, unit, values);
}
