#pragma once

#include <cmath>
#include <numbers>

// Angles in radians, and the turns between them. Every normalisation of a direction or a turn in
// the geometry is one of these.
namespace geometry {

inline constexpr double kFullTurn = 2.0 * std::numbers::pi;
inline constexpr double kQuarterTurn = std::numbers::pi / 2.0;

inline constexpr double Degrees(double radians) { return radians * 180.0 / std::numbers::pi; }
inline constexpr double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// The same direction as `angle`, in (-pi, pi].
inline double NormalizedAngle(double angle) {
  const double normalized = std::remainder(angle, kFullTurn);
  return normalized <= -std::numbers::pi ? normalized + kFullTurn : normalized;
}

// How far two headings differ, from 0 to pi.
inline double TurnBetween(double from, double to) { return std::abs(NormalizedAngle(to - from)); }

// The angle that differs from `angle` by whole turns and lies nearest to `near`.
inline double NearestEquivalent(double angle, double near) { return near + std::remainder(angle - near, kFullTurn); }

// A turn of `difference` taken counterclockwise, within one turn and never none: in (0, 2 pi],
// so that no difference at all is a full turn.
inline double CounterclockwiseTurn(double difference) {
  const double turn = std::fmod(difference, kFullTurn);
  return turn <= 0.0 ? turn + kFullTurn : turn;
}

// A turn of `difference` taken counterclockwise, within one turn: in [0, 2 pi), so that no
// difference at all is no turn.
inline double CounterclockwiseTurnOrNone(double difference) {
  const double turn = std::remainder(difference, kFullTurn);
  return turn < 0.0 ? turn + kFullTurn : turn;
}

// The same as CounterclockwiseTurn, taken clockwise: in [-2 pi, 0).
inline double ClockwiseTurn(double difference) {
  const double turn = std::fmod(difference, kFullTurn);
  return turn >= 0.0 ? turn - kFullTurn : turn;
}

}  // namespace geometry
