#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geometry/core/TravelTime.h"

namespace {

using geometry::TravelLeg;

TEST(TravelTime, TrapezoidalProfilesStoppingAtCorners) {
  const struct {
    std::string name;
    std::vector<TravelLeg> legs;
    std::vector<double> times;  // NaN: not known
  } cases[] = {
      // 0.2 s up to speed over 0.02, 0.04 at speed, 0.2 s down.
      {"reaches its speed", {{0.08, 0.2, 1.0, false}}, {0.6}},
      // Peak sqrt(a L) = 0.1 halfway, never the speed.
      {"too short for its speed", {{0.01, 0.2, 1.0, false}}, {0.2}},
      {"a smooth joint keeps the speed", {{0.08, 0.2, 1.0, false}, {0.08, 0.2, 1.0, false}}, {0.5, 0.5}},
      {"a corner stops", {{0.08, 0.2, 1.0, false}, {0.08, 0.2, 1.0, true}}, {0.6, 0.6}},
      // The joint runs at the slower 0.1: the first leg slows to it over 0.015 in 0.1 s, the second
      // enters at its own speed and stops in 0.1 s over 0.005.
      {"the slower neighbour sets the joint",
       {{0.08, 0.2, 1.0, false}, {0.05, 0.1, 1.0, false}},
       {0.2 + 0.1 + (0.08 - 0.02 - 0.015) / 0.2, 0.1 + (0.05 - 0.005) / 0.1}},
      {"no speed yet", {{0.08, 0.0, 1.0, false}, {0.08, 0.2, 1.0, false}}, {NAN, 0.6}},
  };
  for (const auto& c : cases) {
    const std::vector<double> times = geometry::EstimateTravelTimes(c.legs);
    EXPECT_EQ(times.size(), c.times.size()) << c.name;
    if (times.size() != c.times.size()) continue;
    for (size_t i = 0; i < times.size(); ++i) {
      if (std::isnan(c.times[i]))
        EXPECT_TRUE(std::isnan(times[i])) << c.name;
      else
        EXPECT_NEAR(times[i], c.times[i], 1e-9) << c.name << " leg " << i;
    }
  }
}

}  // namespace
