#include "motionpath/TravelLegs.h"

geometry::TravelLeg TravelLegOf(const MotionPath& path, const MotionSegment& segment,
                                const geometry::WalkedSegment& walked, double cornerThreshold) {
  geometry::TravelLeg leg;
  leg.length = walked.length * path.lengthUnitInBase;
  if (path.unitsKnown) {
    leg.speed = segment.speed * path.speedUnitInBase;
    leg.acceleration = segment.acceleration * path.accelerationUnitInBase;
  }
  leg.stopBefore = geometry::IsCorner(walked, cornerThreshold);
  return leg;
}
