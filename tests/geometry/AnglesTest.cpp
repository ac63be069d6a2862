#include <gtest/gtest.h>

#include <numbers>

#include "geometry/core/Angles.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Each normalisation at the edges of its range, where one that takes the wrong side shows.
TEST(Angles, TurnsKeepToTheirRanges) {
  const struct {
    double difference;
    double normalized;        // (-pi, pi]
    double counterclockwise;  // (0, 2 pi]
    double orNone;            // [0, 2 pi)
    double clockwise;         // [-2 pi, 0)
  } cases[] = {
      {0.0, 0.0, 2.0 * kPi, 0.0, -2.0 * kPi},
      {2.0 * kPi, 0.0, 2.0 * kPi, 0.0, -2.0 * kPi},
      {kPi, kPi, kPi, kPi, -kPi},
      {-kPi, kPi, kPi, kPi, -kPi},
      {0.5, 0.5, 0.5, 0.5, 0.5 - 2.0 * kPi},
      {-0.5, -0.5, 2.0 * kPi - 0.5, 2.0 * kPi - 0.5, -0.5},
      {7.0 * kPi + 0.25, -kPi + 0.25, kPi + 0.25, kPi + 0.25, -kPi + 0.25},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(geometry::NormalizedAngle(c.difference), c.normalized, 1e-12) << c.difference;
    EXPECT_NEAR(geometry::CounterclockwiseTurn(c.difference), c.counterclockwise, 1e-12) << c.difference;
    EXPECT_NEAR(geometry::CounterclockwiseTurnOrNone(c.difference), c.orNone, 1e-12) << c.difference;
    EXPECT_NEAR(geometry::ClockwiseTurn(c.difference), c.clockwise, 1e-12) << c.difference;
  }
}

}  // namespace
