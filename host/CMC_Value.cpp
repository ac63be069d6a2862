#include "host/CMC_Value.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double kFixedScale = 65536.0;  // 16 fraction bits

struct IntegerRange {
  double min;
  double max;
};

bool IntegerRangeOf(tagVarType type, IntegerRange& range) {
  switch (type) {
    case VT_INT8:
      range = {-128.0, 127.0};
      return true;
    case VT_INT16:
      range = {-32768.0, 32767.0};
      return true;
    case VT_INT32:
      range = {-2147483648.0, 2147483647.0};
      return true;
    case VT_UINT8:
      range = {0.0, 255.0};
      return true;
    case VT_UINT16:
      range = {0.0, 65535.0};
      return true;
    case VT_UINT32:
      range = {0.0, 4294967295.0};
      return true;
    default:
      return false;
  }
}

bool IsUnsigned(tagVarType type) { return type == VT_UINT8 || type == VT_UINT16 || type == VT_UINT32; }

// Halves round away from zero, which is what a person expects of 0.5 counts. Every range lies
// far inside a long long, so past the first test the cast truncates exactly; this runs for
// every value shown or stored, and spares a call to std::round.
bool QuantizeInteger(const IntegerRange& range, double value, double& stored) {
  if (!(value > range.min - 1.0 && value < range.max + 1.0)) return false;
  const double truncated = static_cast<double>(static_cast<long long>(value));
  const double fraction = value - truncated;
  const double rounded = truncated + (fraction >= 0.5 ? 1.0 : fraction <= -0.5 ? -1.0 : 0.0);
  if (!(rounded >= range.min && rounded <= range.max)) return false;
  stored = rounded;
  return true;
}

bool QuantizeFixed(double value, double& stored) {
  const IntegerRange raw{-2147483648.0, 2147483647.0};
  double rawValue = 0.0;
  if (!QuantizeInteger(raw, value * kFixedScale, rawValue)) return false;
  stored = rawValue / kFixedScale;
  return true;
}

// The fewest fraction digits (at least one, so the literal reads as fixed point) that a
// reader rounding to 1/65536 turns back into the same stored value; five always suffice.
CString FixedLiteral(double stored) {
  const double raw = std::round(stored * kFixedScale);
  if (raw == 0.0) return CString("0.0");
  char text[64];
  std::to_chars_result result{};
  for (int digits = 1; digits <= 5; ++digits) {
    result = std::to_chars(text, text + sizeof text, stored, std::chars_format::fixed, digits);
    double back = 0.0;
    std::from_chars(text, result.ptr, back);
    if (std::round(back * kFixedScale) == raw) break;
  }
  return CString(text, static_cast<int>(result.ptr - text));
}

// An integer literal: the number and the mark of its type.
template <typename Integer>
CString IntegerLiteral(Integer value, char mark) {
  char text[32];
  char* end = std::to_chars(text, text + sizeof text - 1, value).ptr;
  *end++ = mark;
  return CString(text, static_cast<int>(end - text));
}

CString ShortestDouble(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return CString(text, static_cast<int>(result.ptr - text));
}

}  // namespace

bool CMC_Value::Quantize(tagVarType type, double value, double& stored) {
  if (type == VT_DOUBLE) {
    stored = value;
    return true;
  }
  if (!std::isfinite(value)) return false;
  if (type == VT_FIXED16_16) return QuantizeFixed(value, stored);
  IntegerRange range{};
  if (!IntegerRangeOf(type, range)) return false;
  return QuantizeInteger(range, value, stored);
}

bool CMC_Value::Set(double internalValue) {
  double stored = 0.0;
  if (!Quantize(m_Type, internalValue, stored)) return false;
  m_Value = stored;
  return true;
}

CString CMC_Value::Literal(tagVarType type, double storedValue) {
  if (type == VT_FIXED16_16) return FixedLiteral(storedValue);
  IntegerRange range{};
  // Only a value the type can hold is written as its integer literal.
  if (!IntegerRangeOf(type, range) || !(storedValue >= range.min && storedValue <= range.max))
    return ShortestDouble(storedValue);
  if (IsUnsigned(type)) return IntegerLiteral(static_cast<unsigned long long>(storedValue), 'u');
  return IntegerLiteral(static_cast<long long>(storedValue), 'L');
}

bool CMC_Value::RangeOf(tagVarType type, double& min, double& max) {
  if (type == VT_FIXED16_16) {
    min = -2147483648.0 / kFixedScale;
    max = 2147483647.0 / kFixedScale;
    return true;
  }
  IntegerRange range{};
  if (!IntegerRangeOf(type, range)) return false;
  min = range.min;
  max = range.max;
  return true;
}
