#include "ArcGrowth.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace geometry::fitting {

ArcGrowth::ArcGrowth(Point start, double heading, const CurvatureSet& storable, double maxHalfTurn, double tolerance)
    : m_Start(start),
      m_Forward(Direction(heading)),
      m_Curvatures(storable),
      m_BehindSlope(std::tan(std::numbers::pi - maxHalfTurn)),
      m_Tolerance(tolerance) {}

Point ArcGrowth::Local(Point p) const {
  const Point offset = p - m_Start;
  return {Dot(offset, m_Forward), Cross(m_Forward, offset)};
}

bool ArcGrowth::Add(Point from, Point to, double within) {
  const Point q = Local(to);
  const double squared = Dot(q, q);
  const double t = within;
  // A point within t of the start lies within t of every arc from it.
  CurvatureSet::Interval passing{-std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
  if (squared > t * t) {
    if (q.x <= 0.0 && std::abs(q.y) < -m_BehindSlope * q.x) return false;
    const double denominator = squared - t * t;
    passing = {(2.0 * q.y - 2.0 * t) / denominator, (2.0 * q.y + 2.0 * t) / denominator};
  }
  // An arc within t of both ends of a chord of length l lies within t + k (l + 2t)^2 / 8 of it: a
  // short chord needs no more than its points, in the slack between t and the tolerance. (The
  // first chord starts where the arc does, which may lie further from the chord's start.)
  const Point a = Local(from);
  const double length = std::sqrt(Dot(q - a, q - a));
  const bool shortChord =
      m_Grown && m_Curvatures.Largest() * (length + 2.0 * t) * (length + 2.0 * t) / 8.0 <= m_Tolerance - t;
  const CurvatureSet::Interval bulging = shortChord ? CurvatureSet::Interval{0.0, 0.0} : BulgingFrom(a, q, t);
  if (!m_Curvatures.KeepsAny(passing, bulging)) return false;
  m_Curvatures.Keep(passing.low, passing.high);
  m_Curvatures.Remove(bulging.low, bulging.high);
  m_Grown = true;
  return true;
}

CurvatureSet::Interval ArcGrowth::BulgingFrom(Point a, Point b, double tolerance) const {
  const CurvatureSet::Interval none{0.0, 0.0};
  const Point chord = b - a;
  const double length = std::sqrt(Dot(chord, chord));
  if (length == 0.0) return none;
  const Point d = (1.0 / length) * chord;
  const double sine = d.y;  // of the chord's angle to the heading
  // A chord along the heading is parallel to the arc only at its start, one against it only after
  // a half turn.
  if (sine == 0.0) return none;
  const double side = sine > 0.0 ? 1.0 : -1.0;
  const double versine = d.x > 0.0 ? sine * sine / (1.0 + d.x) : 1.0 - d.x;  // 1 - cos of the angle
  // Where the start lies: beside the chord's line, away from the side the arc bulges to, and along
  // the chord from a.
  const double startBeside = side * Cross(a, d);
  const double startAlong = -Dot(d, a);
  // An arc of radius w = 1/|k| turning towards the chord runs parallel to it at startAlong +
  // |sine| w along the chord and startBeside - versine w beside it.
  const double firstBeside = -startAlong / std::abs(sine);
  const double lastBeside = (length - startAlong) / std::abs(sine);
  const double largestWithin = (tolerance + startBeside) / versine;
  const double smallestOut = std::max(firstBeside, largestWithin);
  if (lastBeside <= 0.0 || smallestOut >= lastBeside) return none;
  const double highest = smallestOut > 0.0 ? 1.0 / smallestOut : std::numeric_limits<double>::infinity();
  const double lowest = 1.0 / lastBeside;
  return side > 0.0 ? CurvatureSet::Interval{lowest, highest} : CurvatureSet::Interval{-highest, -lowest};
}

}  // namespace geometry::fitting
