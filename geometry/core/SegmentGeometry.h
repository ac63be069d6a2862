#pragma once

#include "geometry/core/Angles.h"
#include "geometry/core/PathSegment.h"

// The one definition of where a segment runs. Angles are measured from the +X axis towards the
// +Y axis. A circular segment of radius r, initial angle a0 and angle increment da starts where
// the radius at angle a0 ends: its centre lies r away from the start point, in the direction
// a0 + 180 degrees. It turns da about that centre, counterclockwise (from +X towards +Y) when da
// is positive and clockwise when it is negative, so it ends where the radius at angle a0 + da
// ends. |da| may exceed a full turn.
namespace geometry {

// The point a fraction t (0 to 1) along the segment, relative to the segment's start.
Point PointAlong(const PathSegment& segment, double t);
// The direction of travel a fraction t along the segment, in radians in (-pi, pi].
double HeadingAlong(const PathSegment& segment, double t);
// Where the segment ends, relative to its start.
inline Point Displacement(const PathSegment& segment) { return PointAlong(segment, 1.0); }
// The length of the path the segment runs: r |da| for an arc.
double Length(const PathSegment& segment);
// A circular segment's centre relative to its start.
Point ArcCentre(const PathSegment& segment);

}  // namespace geometry
