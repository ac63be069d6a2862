#pragma once

#include <cstdlib>
#include <string>

// How many random cases a seeded property test tries: `usual` times the whole number in the
// environment variable PROPERTY_SCALE (1 when it is unset or no number above 0), so that a long
// run can be made apart from the suite: PROPERTY_SCALE=100 ctest -R Property.
inline int PropertyCases(int usual) {
  const char* scale = std::getenv("PROPERTY_SCALE");
  const long factor = scale != nullptr ? std::strtol(scale, nullptr, 10) : 1;
  return factor > 0 ? usual * static_cast<int>(factor) : usual;
}
