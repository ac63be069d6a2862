#include "framework/Types.h"

#include <climits>
#include <cstdlib>

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;

  const std::int64_t product = std::int64_t{number} * numerator;
  const std::int64_t divisor = denominator;
  std::int64_t quotient = product / divisor;
  const std::int64_t remainder = product % divisor;

  const bool roundsAwayFromZero = 2 * std::abs(remainder) >= std::abs(divisor);
  if (roundsAwayFromZero) quotient += (product < 0) == (divisor < 0) ? 1 : -1;

  if (quotient < INT_MIN || quotient > INT_MAX) return -1;
  return static_cast<int>(quotient);
}
