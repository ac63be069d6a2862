#include "geometry/gcode/GcodeCodes.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace geometry {

namespace {

using enum GcodeRole;
constexpr int kComp = static_cast<int>(GcodeMode::Compensation);
constexpr int kRotation = static_cast<int>(GcodeMode::Rotation);
constexpr int kScaling = static_cast<int>(GcodeMode::Scaling);
constexpr int kMirror = static_cast<int>(GcodeMode::Mirror);
constexpr int kPolar = static_cast<int>(GcodeMode::Polar);
constexpr int kFeed = static_cast<int>(GcodeMode::FeedMode);
constexpr int kCentres = static_cast<int>(GcodeMode::ArcCentres);

// Sorted by letter and code.
constexpr GcodeCode kCodes[] = {
    {'G', 0, Motion, 0, "rapid move"},
    {'G', 10, Motion, 1, "straight cut"},
    {'G', 20, Motion, 2, "clockwise arc"},
    {'G', 30, Motion, 3, "counterclockwise arc"},
    {'G', 40, Dwell, 0, "dwell"},
    {'G', 50, Refused, 0, "spline"},
    {'G', 51, Refused, 0, "spline"},
    {'G', 52, Refused, 0, "spline"},
    {'G', 53, Refused, 0, "spline"},
    {'G', 100, SetOffsets, 0, "setting offsets"},
    {'G', 150, ModeOff, kPolar, "polar coordinates off"},
    {'G', 160, ModeOn, kPolar, "polar coordinates"},
    {'G', 170, Plane, 17, "XY plane"},
    {'G', 180, Plane, 18, "XZ plane"},
    {'G', 190, Plane, 19, "YZ plane"},
    {'G', 200, Units, 20, "inches"},
    {'G', 210, Units, 21, "millimetres"},
    {'G', 280, Home, 0, "return home"},
    {'G', 300, Home, 0, "return to the second home"},
    {'G', 310, Refused, 0, "probing"},
    {'G', 330, Refused, 0, "threading"},
    {'G', 331, Refused, 0, "rigid tapping"},
    {'G', 382, Refused, 0, "probing"},
    {'G', 383, Refused, 0, "probing"},
    {'G', 384, Refused, 0, "probing"},
    {'G', 385, Refused, 0, "probing"},
    {'G', 400, ModeOff, kComp, "cutter compensation off"},
    {'G', 410, ModeOn, kComp, "cutter compensation"},
    {'G', 411, ModeOn, kComp, "cutter compensation"},
    {'G', 420, ModeOn, kComp, "cutter compensation"},
    {'G', 421, ModeOn, kComp, "cutter compensation"},
    {'G', 430, Harmless, 0, "tool length offset"},
    {'G', 431, Harmless, 0, "tool length offset"},
    {'G', 440, Harmless, 0, "tool length offset"},
    {'G', 490, Harmless, 0, "tool length offset off"},
    {'G', 500, ModeOff, kScaling, "scaling off"},
    {'G', 501, ModeOff, kMirror, "mirroring off"},
    {'G', 510, ModeOn, kScaling, "scaling"},
    {'G', 511, ModeOn, kMirror, "mirroring"},
    {'G', 520, LocalOffset, 0, "local offset"},
    {'G', 530, Machine, 0, "machine coordinates"},
    {'G', 540, System, 0, "coordinate system 1"},
    {'G', 541, System, kNumberedSystem, "numbered coordinate system"},
    {'G', 550, System, 0, "coordinate system 2"},
    {'G', 560, System, 0, "coordinate system 3"},
    {'G', 570, System, 0, "coordinate system 4"},
    {'G', 580, System, 0, "coordinate system 5"},
    {'G', 590, System, 0, "coordinate system 6"},
    {'G', 591, System, 0, "coordinate system 7"},
    {'G', 592, System, 0, "coordinate system 8"},
    {'G', 593, System, 0, "coordinate system 9"},
    {'G', 610, Harmless, 0, "exact path"},
    {'G', 611, Harmless, 0, "exact stop"},
    {'G', 640, Harmless, 0, "path blending"},
    {'G', 650, Refused, 0, "macro call"},
    {'G', 660, Refused, 0, "modal macro call"},
    {'G', 680, ModeOn, kRotation, "rotation"},
    {'G', 690, ModeOff, kRotation, "rotation off"},
    {'G', 730, Cycle, 0, "peck drilling cycle"},
    {'G', 740, Cycle, 0, "tapping cycle"},
    {'G', 760, Refused, 0, "threading or boring cycle"},
    {'G', 800, CancelMotion, 0, "canned cycle off"},
    {'G', 810, Cycle, 0, "drilling cycle"},
    {'G', 820, Cycle, 0, "drilling cycle"},
    {'G', 830, Cycle, 0, "peck drilling cycle"},
    {'G', 840, Cycle, 0, "tapping cycle"},
    {'G', 850, Cycle, 0, "boring cycle"},
    {'G', 860, Cycle, 0, "boring cycle"},
    {'G', 870, Cycle, 0, "back boring cycle"},
    {'G', 880, Cycle, 0, "boring cycle"},
    {'G', 890, Cycle, 0, "boring cycle"},
    {'G', 900, Distance, 90, "absolute positions"},
    {'G', 901, ModeOn, kCentres, "absolute arc centres"},
    {'G', 910, Distance, 91, "incremental positions"},
    {'G', 911, ModeOff, kCentres, "incremental arc centres"},
    {'G', 920, Origin, 0, "origin offset"},
    {'G', 921, OriginCancel, 0, "origin offset cancelled"},
    {'G', 922, OriginSuspend, 0, "origin offset suspended"},
    {'G', 923, OriginRestore, 0, "origin offset restored"},
    {'G', 930, ModeOn, kFeed, "inverse-time feed"},
    {'G', 940, ModeOff, kFeed, "feed per minute"},
    {'G', 950, ModeOn, kFeed, "feed per revolution"},
    {'G', 980, Harmless, 0, "cycle return level"},
    {'G', 990, Harmless, 0, "cycle return level"},
    {'M', 0, Harmless, 0, "program stop"},
    {'M', 10, Harmless, 0, "optional stop"},
    {'M', 20, End, 0, "program end"},
    {'M', 30, Harmless, 0, "spindle on"},
    {'M', 40, Harmless, 0, "spindle on"},
    {'M', 50, Harmless, 0, "spindle off"},
    {'M', 60, Harmless, 0, "tool change"},
    {'M', 70, Harmless, 0, "coolant on"},
    {'M', 80, Harmless, 0, "coolant on"},
    {'M', 90, Harmless, 0, "coolant off"},
    {'M', 190, Harmless, 0, "spindle orientation"},
    {'M', 300, End, 0, "program end"},
    {'M', 480, Harmless, 0, "overrides on"},
    {'M', 490, Harmless, 0, "overrides off"},
    {'M', 970, Refused, 0, "subprogram call"},
    {'M', 980, Refused, 0, "subprogram call"},
};

bool Before(const GcodeCode& a, const GcodeCode& b) {
  return a.letter != b.letter ? a.letter < b.letter : a.code < b.code;
}

}  // namespace

const GcodeCode* FindGcodeCode(char letter, double value) {
  const double tenfold = value * 10.0;
  const double code = std::round(tenfold);
  if (std::abs(tenfold - code) > 1e-6 || code < 0.0 || code > 10000.0) return nullptr;
  const GcodeCode wanted{letter, static_cast<int>(code), Harmless, 0, nullptr};
  const auto found = std::lower_bound(std::begin(kCodes), std::end(kCodes), wanted, Before);
  return found != std::end(kCodes) && found->letter == letter && found->code == wanted.code ? found : nullptr;
}

}  // namespace geometry
