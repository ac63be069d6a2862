#include "geometry/gcode/GcodeArcs.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "geometry/core/Angles.h"
#include "geometry/core/Tolerances.h"

namespace geometry {

namespace {

constexpr double kArcToleranceFloor = 0.002;  // mm
constexpr double kArcToleranceCap = 0.013;    // mm
// Start, end and centre each rounded by half a unit in X and in Y can set an arc's end radius off
// its start radius by up to 2·√2 units.
constexpr double kRadiusMissPerUnit = 2.0 * std::numbers::sqrt2;

// P on an arc: how many turns it makes, the last one ending at its end point.
double Turns(GcodeBlock& block) {
  const double turns = block.P().Use().value_or(1.0);
  if (turns < 1.0 || turns != std::floor(turns)) FailGcode("P on an arc counts its turns: a whole number from 1");
  return turns;
}

// What the last of `decimals` digits after the point is worth: 10^-decimals.
double UnitOfDigit(int decimals) {
  static const std::array<double, 20> kUnits = [] {
    std::array<double, 20> units{};
    for (size_t d = 0; d < units.size(); ++d) units[d] = std::pow(10.0, -static_cast<double>(d));
    return units;
  }();
  return decimals < static_cast<int>(kUnits.size()) ? kUnits[decimals] : std::pow(10.0, -decimals);
}

}  // namespace

double ArcToleranceForPrecision(double unit) {
  return std::clamp(kRadiusMissPerUnit * unit, kArcToleranceFloor, kArcToleranceCap);
}

// Post-processors leave off trailing zeros, so a number with fewer decimals is not coarser.
void GcodeArcs::RecordPrecision(const GcodeBlock& block, double scale) {
  for (const auto& value : {block.axes[kAxisX], block.axes[kAxisY], block.i, block.j, block.r}) {
    if (!value || value->decimals == 0) continue;
    const double unit = UnitOfDigit(value->decimals) * scale;
    m_FinestUnit = m_FinestUnit == 0.0 ? unit : std::min(m_FinestUnit, unit);
  }
}

// A full turn is an arc whose end is written at its start, or that names neither X nor Y.
std::optional<ContourSegment> GcodeArcs::Cut(GcodeBlock& block, Point from, Point to, const GcodeState& state) {
  const bool clockwise = state.modal.motion->detail == 2;
  const double scale = state.modal.scale;
  if (!block.r && !block.i && !block.j) FailGcode("an arc needs I and J or R");
  if (block.r && (block.i || block.j)) FailGcode("an arc takes I and J or R, not both");
  const double turns = Turns(block);
  const bool fullTurn = (!block.axes[kAxisX] && !block.axes[kAxisY]) || Distance(to, from) <= kSamePoint;
  if (fullTurn && block.r) FailGcode("an arc by R needs an end point away from its start; a full circle needs I and J");
  if (!fullTurn && Distance(to, from) < m_Options.joinTolerance) return std::nullopt;
  const Point centre = block.r ? CentreFromRadius(block.r->value * scale, from, to, clockwise, state.line)
                               : from + scale * Point{block.i ? block.i->value : 0.0, block.j ? block.j->value : 0.0};
  const double radius = Distance(from, centre);
  if (radius < m_Options.joinTolerance) FailGcode("the arc's radius is within the join tolerance of 0");
  if (!block.r) CheckLater({state.line, std::abs(Distance(to, centre) - radius), radius, 0.0, false});
  const double turn = AngleOf(to - centre) - AngleOf(from - centre);
  const double sweep = fullTurn ? turns * kFullTurn
                                : (clockwise ? ClockwiseTurn(turn) : CounterclockwiseTurn(turn)) +
                                      (clockwise ? -1.0 : 1.0) * (turns - 1.0) * kFullTurn;
  return ContourSegment::Arc(from, fullTurn ? from : to, centre, clockwise ? -std::abs(sweep) : sweep);
}

// The centre lies on the chord's perpendicular bisector: left of the chord for the shorter
// counterclockwise arc and the longer clockwise one, right of it otherwise.
Point GcodeArcs::CentreFromRadius(double radius, Point from, Point to, bool clockwise, int line) {
  const double chord = Distance(to, from);
  const double shortfall = chord - 2.0 * std::abs(radius);
  if (shortfall > 0.0) CheckLater({line, shortfall, std::abs(radius), chord, true});
  const Point along = (1.0 / chord) * (to - from);
  const Point left{-along.y, along.x};
  const double height = std::sqrt(std::max(0.0, radius * radius - chord * chord / 4.0));
  const double side = clockwise == (radius < 0.0) ? 1.0 : -1.0;
  return 0.5 * (from + to) + (side * height) * left;
}

// Only misses beyond the smallest tolerance the file could get need the file's precision.
void GcodeArcs::CheckLater(const Miss& arc) {
  const double smallest = m_Options.arcTolerance > 0.0 ? m_Options.arcTolerance : kArcToleranceFloor;
  if (arc.miss > smallest) m_Misses.push_back(arc);
}

double GcodeArcs::Tolerance() const {
  return m_Options.arcTolerance > 0.0 ? m_Options.arcTolerance : ArcToleranceForPrecision(m_FinestUnit);
}

std::optional<Fault> GcodeArcs::FirstFault() const {
  const double tolerance = Tolerance();
  for (const Miss& arc : m_Misses)
    if (arc.miss > tolerance) return Fault{arc.line, Message(arc, tolerance)};
  return std::nullopt;
}

std::string GcodeArcs::Message(const Miss& arc, double tolerance) {
  const std::string beyond =
      fmt::format(", more than the arc tolerance of {:.6g} mm (--arc-tolerance MM sets it)", tolerance);
  if (arc.byRadius)
    return fmt::format("R{:.6g} mm is too small for an end point {:.6g} mm away", arc.radius, arc.chord) + beyond;
  return fmt::format("the arc's end point lies {:.6g} mm off its circle of radius {:.6g} mm", arc.miss, arc.radius) +
         beyond;
}

}  // namespace geometry
