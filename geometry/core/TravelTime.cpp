#include "geometry/core/TravelTime.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace geometry {

namespace {

bool IsKnown(const TravelLeg& leg) { return leg.speed > 0.0 && leg.acceleration > 0.0; }

// The fastest a leg may be entered given the speed it must have at its other end.
double Reachable(double otherEnd, double reach) { return std::sqrt(otherEnd * otherEnd + reach); }

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

// The joint before the new leg: the lower of its neighbours' speeds where it is smooth, no more
// than the leg before can reach from its own start.
void TravelPlanner::Add(const TravelLeg& leg) {
  double joint = 0.0;
  if (!m_Joint.empty() && !leg.stopBefore && IsKnown(m_Previous) && IsKnown(leg)) {
    joint = std::min(m_Previous.speed, leg.speed);
    joint = std::min(joint, Reachable(m_Joint.back(), m_Reach.back()));
  }
  m_Joint.push_back(joint);
  m_Reach.push_back(IsKnown(leg) ? 2.0 * leg.acceleration * leg.length : -1.0);
  m_Previous = leg;
}

// The path stops after its last leg; each joint is then no faster than the leg after it can
// lose.
void TravelPlanner::Finish() {
  m_Joint.push_back(0.0);
  for (size_t i = m_Reach.size(); i-- > 0;)
    if (m_Reach[i] >= 0.0) m_Joint[i] = std::min(m_Joint[i], Reachable(m_Joint[i + 1], m_Reach[i]));
}

double TravelPlanner::Time(size_t index, const TravelLeg& leg) const {
  return IsKnown(leg) ? TrapezoidTime(leg, m_Joint[index], m_Joint[index + 1])
                      : std::numeric_limits<double>::quiet_NaN();
}

std::vector<double> EstimateTravelTimes(const std::vector<TravelLeg>& legs) {
  TravelPlanner planner;
  for (const TravelLeg& leg : legs) planner.Add(leg);
  planner.Finish();
  std::vector<double> times;
  times.reserve(legs.size());
  for (size_t i = 0; i < legs.size(); ++i) times.push_back(planner.Time(i, legs[i]));
  return times;
}

}  // namespace geometry
