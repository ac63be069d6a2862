#pragma once

#include <cstdlib>
#include <stdexcept>
#include <string>

// How many cases (seeds) a seeded property test tries: its usual number, the one CI runs, unless
// the environment variable PROPERTY_CASES names another, for a long run apart from CI:
//   PROPERTY_CASES=2000 ctest --test-dir build -R geometry_tests
// A value that is no positive whole number throws, so the test fails instead of running the usual.
inline unsigned PropertyCases(unsigned usual) {
  const char* asked = std::getenv("PROPERTY_CASES");
  if (asked == nullptr || *asked == '\0') return usual;
  char* end = nullptr;
  const unsigned long cases = std::strtoul(asked, &end, 10);
  if (*end != '\0' || cases == 0 || cases > 1000000000ul)
    throw std::invalid_argument(std::string("PROPERTY_CASES is no positive whole number: ") + asked);
  return static_cast<unsigned>(cases);
}
