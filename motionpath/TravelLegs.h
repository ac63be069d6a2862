#pragma once

#include "geometry/core/PathWalk.h"
#include "geometry/core/TravelTime.h"
#include "motionpath/MotionPath.h"

// The leg a segment's travel time is estimated on, in base units, so that times come out in
// seconds. Without a kind of load the drives' internal units have no time scale: the leg's speed
// and acceleration are not known then. The path stops before a corner of more than
// `cornerThreshold` radians.
geometry::TravelLeg TravelLegOf(const MotionPath& path, const MotionSegment& segment,
                                const geometry::WalkedSegment& walked, double cornerThreshold);
