#pragma once

#include <vector>

// An estimate of how long a path takes: each segment runs a trapezoidal speed profile (speed up
// at the acceleration, cruise at the speed, slow down), passing smooth joints at the lower of
// its neighbours' speeds and stopping at the path's ends and at sharp corners. Speeds fall where
// a segment is too short to reach or lose them.
namespace geometry {

struct TravelLeg {
  double length = 0.0;
  double speed = 0.0;         // in the length's unit per time unit; 0 or less: not known
  double acceleration = 0.0;  // per time unit squared; 0 or less: not known
  bool stopBefore = false;    // a sharp corner at the joint before the leg
};

// Each leg's time, or NaN where its speed or acceleration is not known. A leg next to an
// unknown one is taken to stop at that joint.
std::vector<double> EstimateTravelTimes(const std::vector<TravelLeg>& legs);

}  // namespace geometry
