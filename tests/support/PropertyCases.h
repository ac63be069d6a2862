#pragma once

#include <climits>
#include <cstdlib>
#include <stdexcept>
#include <string>

// How many random cases a seeded property test tries: `usual`, the number CI runs, times the
// whole number in the environment variable PROPERTY_SCALE, so that a long run can be made apart
// from CI: PROPERTY_SCALE=100 ctest --test-dir build -R 'Property|Robustness|ArcFit'. A value that
// is no positive whole number throws, so the test fails instead of running the usual number.
inline int PropertyCases(int usual) {
  const char* scale = std::getenv("PROPERTY_SCALE");
  if (scale == nullptr || *scale == '\0') return usual;
  char* end = nullptr;
  const long factor = std::strtol(scale, &end, 10);
  if (*end != '\0' || factor < 1 || factor > INT_MAX / (usual > 0 ? usual : 1))
    throw std::invalid_argument(std::string("PROPERTY_SCALE is no positive whole number small enough: ") + scale);
  return usual * static_cast<int>(factor);
}
