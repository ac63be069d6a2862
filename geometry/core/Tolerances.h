#pragma once

// The tolerances of the arithmetic, named once. Tolerances of the user's work (how far a fit may
// stray, which ends meet) are options of the functions that take them, not constants.
namespace geometry {

// mm: points closer than this are one point. Far below any digit a file writes or any count of a
// drive, far above the noise of adding up increments.
inline constexpr double kSamePoint = 1e-9;
// rad: headings closer than this are one heading; what the arithmetic of a construction leaves.
inline constexpr double kHeadingNoise = 1e-9;
// A share of a value's size: what one rounding of double arithmetic, or a few, can leave.
inline constexpr double kRoundingNoise = 1e-12;
// A share of a path's size: what adding up its segments can leave, so a path that ends closer to
// its start than this share of its length ends on it.
inline constexpr double kSummingNoise = 1e-9;

}  // namespace geometry
