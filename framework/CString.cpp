#include "framework/CString.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "framework/ResourceChain.h"

namespace {

constexpr const char* kWhiteSpace = " \t\n\v\f\r";

std::string_view viewOf(const char* text) { return text ? std::string_view(text) : std::string_view(); }

int positionOrMinusOne(std::size_t position) { return position == std::string::npos ? -1 : static_cast<int>(position); }

char asciiLower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

char asciiUpper(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; }

int compareNoCase(std::string_view left, std::string_view right) {
  const std::size_t common = std::min(left.size(), right.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto a = static_cast<unsigned char>(asciiLower(left[i]));
    const auto b = static_cast<unsigned char>(asciiLower(right[i]));
    if (a != b) return a < b ? -1 : 1;
  }
  return left.size() == right.size() ? 0 : (left.size() < right.size() ? -1 : 1);
}

// Measures first and then writes, so there is no upper limit on the length.
std::string formatted(const char* format, va_list args) {
  if (!format) return {};
  va_list measuring;
  va_copy(measuring, args);
  const int length = std::vsnprintf(nullptr, 0, format, measuring);
  va_end(measuring);
  if (length <= 0) return {};

  std::string text(static_cast<std::size_t>(length), '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, args);
  return text;
}

}  // namespace

CString::CString(const char* text) : m_Text(viewOf(text)) {}

CString::CString(const char* text, int length) {
  if (text && length > 0) m_Text.assign(text, static_cast<std::size_t>(length));
}

CString::CString(char ch, int repeat) {
  if (repeat > 0) m_Text.assign(static_cast<std::size_t>(repeat), ch);
}

CString& CString::operator=(const char* text) {
  m_Text = viewOf(text);
  return *this;
}

CString& CString::operator=(char ch) {
  m_Text.assign(1, ch);
  return *this;
}

int CString::GetLength() const { return static_cast<int>(m_Text.size()); }
BOOL CString::IsEmpty() const { return m_Text.empty() ? TRUE : FALSE; }
void CString::Empty() { m_Text.clear(); }
const char* CString::GetString() const { return m_Text.c_str(); }
CString::operator const char*() const { return m_Text.c_str(); }

char CString::GetAt(int index) const {
  return index >= 0 && index < GetLength() ? m_Text[static_cast<std::size_t>(index)] : '\0';
}

void CString::SetAt(int index, char ch) {
  if (index >= 0 && index < GetLength()) m_Text[static_cast<std::size_t>(index)] = ch;
}

char CString::operator[](int index) const { return GetAt(index); }

CString& CString::operator+=(const CString& text) {
  m_Text += text.m_Text;
  return *this;
}

CString& CString::operator+=(const char* text) {
  m_Text += viewOf(text);
  return *this;
}

CString& CString::operator+=(char ch) {
  m_Text += ch;
  return *this;
}

int CString::Compare(const char* text) const { return std::string_view(m_Text).compare(viewOf(text)); }
int CString::Compare(const CString& text) const { return m_Text.compare(text.m_Text); }
int CString::CompareNoCase(const char* text) const { return compareNoCase(m_Text, viewOf(text)); }
int CString::CompareNoCase(const CString& text) const { return compareNoCase(m_Text, text.m_Text); }

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::AppendFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  m_Text += formatted(format, args);
  va_end(args);
}

void CString::FormatV(const char* format, va_list args) { m_Text = formatted(format, args); }

int CString::Replace(const char* old, const char* replacement) {
  const std::string_view target = viewOf(old);
  if (target.empty()) return 0;
  const std::string_view substitute = viewOf(replacement);

  std::string result;
  int count = 0;
  std::size_t copiedUpTo = 0;
  for (std::size_t hit = m_Text.find(target); hit != std::string::npos; hit = m_Text.find(target, copiedUpTo)) {
    result.append(m_Text, copiedUpTo, hit - copiedUpTo).append(substitute);
    copiedUpTo = hit + target.size();
    ++count;
  }
  if (count > 0) {
    result.append(m_Text, copiedUpTo);
    m_Text = std::move(result);
  }
  return count;
}

int CString::Replace(char old, char replacement) {
  int count = 0;
  for (char& ch : m_Text) {
    if (ch == old) {
      ch = replacement;
      ++count;
    }
  }
  return count;
}

int CString::Find(char ch, int start) const {
  return positionOrMinusOne(m_Text.find(ch, static_cast<std::size_t>(std::max(start, 0))));
}

int CString::Find(const char* text, int start) const {
  if (!text) return -1;
  return positionOrMinusOne(m_Text.find(text, static_cast<std::size_t>(std::max(start, 0))));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  const int start = std::clamp(first, 0, GetLength());
  const int length = std::clamp(count, 0, GetLength() - start);
  return CString(m_Text.data() + start, length);
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const {
  const int length = std::clamp(count, 0, GetLength());
  return Mid(GetLength() - length);
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft() {
  m_Text.erase(0, m_Text.find_first_not_of(kWhiteSpace));
  return *this;
}

CString& CString::TrimRight() {
  const std::size_t last = m_Text.find_last_not_of(kWhiteSpace);
  m_Text.erase(last == std::string::npos ? 0 : last + 1);
  return *this;
}

CString& CString::MakeUpper() {
  std::transform(m_Text.begin(), m_Text.end(), m_Text.begin(), asciiUpper);
  return *this;
}

CString& CString::MakeLower() {
  std::transform(m_Text.begin(), m_Text.end(), m_Text.begin(), asciiLower);
  return *this;
}

char* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_Text.resize(static_cast<std::size_t>(minLength));
  return m_Text.data();
}

void CString::ReleaseBuffer(int newLength) {
  const std::size_t length = newLength < 0 ? m_Text.find('\0') : static_cast<std::size_t>(newLength);
  m_Text.resize(std::min(length, m_Text.size()));
}

void CString::Preallocate(int length) {
  if (length > 0) m_Text.reserve(static_cast<std::size_t>(length));
}

BOOL CString::LoadString(UINT id) {
  const char* text = AfxFindString(id);
  *this = text;
  return text ? TRUE : FALSE;
}
