#include "host/DecimalDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr int kShortestDigitsAtMost = 17;
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kExactPowers = static_cast<int>(sizeof kPowersOfTen / sizeof kPowersOfTen[0]);
// From here on a double is an integer whose plain form shows every digit of its exact value,
// not its shortest digits padded with zeros.
constexpr double kExactIntegersEnd = 9007199254740992.0;  // 2^53

}  // namespace

DecimalDigits::DecimalDigits(double finiteValue, const char* shortest, const char* end) {
  const bool plainLargeInteger = std::fabs(finiteValue) >= kExactIntegersEnd && std::find(shortest, end, 'e') == end;
  if (plainLargeInteger || !Read(shortest, end)) {
    char text[32];
    Read(text, std::to_chars(text, text + sizeof text, finiteValue, std::chars_format::scientific).ptr);
  }
  m_Exact = AreExactly(finiteValue);
}

unsigned long long DecimalDigits::IntegerOf(const char* digits, int count) {
  unsigned long long integer = 0;
  for (int i = 0; i < count; ++i) integer = integer * 10 + static_cast<unsigned>(digits[i] - '0');
  return integer;
}

// An integer below 2^53 has no nearer shorter digits than its own. Digits D scaled by 10^-m
// are exactly a double when D / 5^m is an integer q below 2^53, the double being q / 2^m.
bool DecimalDigits::AreExactly(double value) const {
  const int scale = m_Exponent - (m_Count - 1);
  if (scale >= 0) return std::fabs(value) < kExactIntegersEnd;
  if (-scale >= kExactPowers) return false;
  unsigned long long powerOfFive = 1;
  for (int i = 0; i < -scale; ++i) powerOfFive *= 5;
  const unsigned long long integer = IntegerOf(m_Digits, m_Count);
  return integer % powerOfFive == 0 && integer / powerOfFive < static_cast<unsigned long long>(kExactIntegersEnd);
}

bool DecimalDigits::Read(const char* position, const char* end) {
  m_Negative = position < end && *position == '-';
  if (m_Negative) ++position;
  m_Count = 0;
  int integerDigits = 0;
  int leadingZeros = 0;
  bool point = false;
  for (; position < end && *position != 'e'; ++position) {
    if (*position == '.') {
      point = true;
      continue;
    }
    if (!point) ++integerDigits;
    if (m_Count == 0 && *position == '0') {
      ++leadingZeros;
    } else {
      if (m_Count == kShortestDigitsAtMost) return false;
      m_Digits[m_Count++] = *position;
    }
  }
  int exponent = 0;
  if (position < end) {
    ++position;  // 'e'
    if (position < end && *position == '+') ++position;
    std::from_chars(position, end, exponent);
  }
  while (m_Count > 1 && m_Digits[m_Count - 1] == '0') --m_Count;  // the zeros of "1500"
  if (m_Count == 0) {  // zero is "0e+00"
    m_Digits[m_Count++] = '0';
    m_Exponent = 0;
    return true;
  }
  m_Exponent = integerDigits - 1 - leadingZeros + exponent;
  return true;
}

bool DecimalDigits::Round(int precision, char* digits, int& exponent) const {
  const char next = m_Digits[precision];
  const bool tie = next == '5' && precision + 1 == m_Count;
  if (tie && !m_Exact) return false;
  std::memcpy(digits, m_Digits, static_cast<size_t>(precision));
  exponent = m_Exponent;
  const bool up = tie ? (digits[precision - 1] - '0') % 2 == 1 : next >= '5';
  if (up) {
    int last = precision - 1;
    while (last >= 0 && digits[last] == '9') digits[last--] = '0';
    if (last >= 0) {
      ++digits[last];
    } else {  // 9.99 rounded up is 10.0
      digits[0] = '1';
      ++exponent;
    }
  }
  return true;
}

char* DecimalDigits::WriteRounded(int precision, char* text) const {
  char digits[20];
  int exponent = 0;
  if (!Round(precision, digits, exponent)) return nullptr;
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

// At most 17 digits make an integer below 2^63 but not always below 2^53; with both the
// integer and the power of ten exact, one multiplication or division rounds correctly, which
// is what reading the text does.
bool DecimalDigits::ValueRounded(int precision, double& value) const {
  char digits[20];
  int exponent = 0;
  if (!Round(precision, digits, exponent)) return false;
  const unsigned long long integer = IntegerOf(digits, precision);
  const int scale = exponent - (precision - 1);
  if (integer >= static_cast<unsigned long long>(kExactIntegersEnd) || scale >= kExactPowers ||
      -scale >= kExactPowers)
    return false;
  const double magnitude = scale >= 0 ? static_cast<double>(integer) * kPowersOfTen[scale]
                                      : static_cast<double>(integer) / kPowersOfTen[-scale];
  value = m_Negative ? -magnitude : magnitude;
  return true;
}
