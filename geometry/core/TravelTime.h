#pragma once

#include <cstddef>
#include <vector>

// An estimate of how long a path takes: each segment runs a trapezoidal speed profile (speed up
// at the acceleration, cruise at the speed, slow down), passing smooth joints at the lower of
// its neighbours' speeds and stopping at the path's ends and at sharp corners. Speeds fall where
// a segment is too short to reach or lose them. The acceleration is the tangential one only, as
// the controller plans its speed along the path.
namespace geometry {

struct TravelLeg {
  double length = 0.0;
  double speed = 0.0;         // in the length's unit per time unit; 0 or less: not known
  double acceleration = 0.0;  // per time unit squared; 0 or less: not known
  bool stopBefore = false;    // a sharp corner at the joint before the leg
};

// The estimate of a path whose legs are not kept: give every leg to Add in order, then call
// Finish, then ask each leg's time. Keeps two numbers a leg. A leg next to an unknown one is
// taken to stop at that joint.
class TravelPlanner {
 public:
  void Add(const TravelLeg& leg);
  void Finish();
  // The time of the leg with index `index`, given once more as it was added; NaN where its speed
  // or acceleration is not known.
  double Time(size_t index, const TravelLeg& leg) const;

 private:
  std::vector<double> m_Joint;  // the speed at joint i, before leg i; the last one after the last leg
  std::vector<double> m_Reach;  // per leg: 2 a L, the square of the speed it adds; negative when not known
  TravelLeg m_Previous;
};

// Each leg's time, or NaN where its speed or acceleration is not known.
std::vector<double> EstimateTravelTimes(const std::vector<TravelLeg>& legs);

}  // namespace geometry
