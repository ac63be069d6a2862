#include "geometry/TravelTime.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace geometry {

namespace {

bool IsKnown(const TravelLeg& leg) { return leg.speed > 0.0 && leg.acceleration > 0.0; }

// The fastest a leg may be entered given the speed it must have at its other end.
double Reachable(double otherEnd, const TravelLeg& leg) {
  return std::sqrt(otherEnd * otherEnd + 2.0 * leg.acceleration * leg.length);
}

// Speeds at the joints: joint i is before leg i, joint n after the last leg.
std::vector<double> JointSpeeds(const std::vector<TravelLeg>& legs) {
  const size_t n = legs.size();
  std::vector<double> joint(n + 1, 0.0);
  for (size_t i = 1; i < n; ++i)
    if (!legs[i].stopBefore && IsKnown(legs[i - 1]) && IsKnown(legs[i]))
      joint[i] = std::min(legs[i - 1].speed, legs[i].speed);
  for (size_t i = 0; i < n; ++i)
    if (IsKnown(legs[i])) joint[i + 1] = std::min(joint[i + 1], Reachable(joint[i], legs[i]));
  for (size_t i = n; i-- > 0;)
    if (IsKnown(legs[i])) joint[i] = std::min(joint[i], Reachable(joint[i + 1], legs[i]));
  return joint;
}

// Speed up from `entry` towards the leg's speed, cruise, slow down to `exit`.
double TrapezoidTime(const TravelLeg& leg, double entry, double exit) {
  const double a = leg.acceleration;
  const double peak = std::min(leg.speed, std::sqrt((2.0 * a * leg.length + entry * entry + exit * exit) / 2.0));
  if (peak <= 0.0) return 0.0;
  const double rampLength = (2.0 * peak * peak - entry * entry - exit * exit) / (2.0 * a);
  const double cruise = std::max(0.0, leg.length - rampLength);
  return (2.0 * peak - entry - exit) / a + cruise / peak;
}

}  // namespace

std::vector<double> EstimateTravelTimes(const std::vector<TravelLeg>& legs) {
  const std::vector<double> joint = JointSpeeds(legs);
  std::vector<double> times;
  times.reserve(legs.size());
  for (size_t i = 0; i < legs.size(); ++i)
    times.push_back(IsKnown(legs[i]) ? TrapezoidTime(legs[i], joint[i], joint[i + 1])
                                     : std::numeric_limits<double>::quiet_NaN());
  return times;
}

}  // namespace geometry
