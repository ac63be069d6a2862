#include "host/DecimalDigits.h"

#include <charconv>
#include <cstring>

DecimalDigits::DecimalDigits(double finiteValue) {
  char text[32];
  const char* const end = std::to_chars(text, text + sizeof text, finiteValue, std::chars_format::scientific).ptr;
  const char* position = text;
  m_Negative = *position == '-';
  if (m_Negative) ++position;
  for (; position < end && *position != 'e'; ++position)
    if (*position != '.') m_Digits[m_Count++] = *position;
  ++position;  // 'e'
  if (*position == '+') ++position;
  std::from_chars(position, end, m_Exponent);
}

char* DecimalDigits::WriteRounded(int precision, char* text) const {
  const char next = m_Digits[precision];
  if (next == '5' && precision + 1 == m_Count) return nullptr;
  char digits[20];
  std::memcpy(digits, m_Digits, static_cast<size_t>(precision));
  int exponent = m_Exponent;
  if (next >= '5') {
    int last = precision - 1;
    while (last >= 0 && digits[last] == '9') digits[last--] = '0';
    if (last >= 0) {
      ++digits[last];
    } else {  // 9.99 rounded up is 10.0
      digits[0] = '1';
      ++exponent;
    }
  }
  char* out = text;
  if (m_Negative) *out++ = '-';
  *out++ = digits[0];
  if (precision > 1) {
    *out++ = '.';
    std::memcpy(out, digits + 1, static_cast<size_t>(precision - 1));
    out += precision - 1;
  }
  *out++ = 'e';
  return std::to_chars(out, text + 32, exponent).ptr;
}
