#include "motionpath/DecimalNumber.h"

#include <charconv>
#include <cmath>

namespace {

bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

const char* ReadDecimal(const char* first, const char* last, double& value) {
  while (first < last && IsWhiteSpace(*first)) ++first;
  if (first < last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  return result.ec == std::errc() && std::isfinite(value) ? result.ptr : nullptr;
}
