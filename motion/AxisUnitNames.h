#pragma once

// The units of the acceleration, speed and position arrays (increments and radius) for each
// unit mode: 0 undetermined, 1 linear loads, 2 rotary loads.
struct AxisUnitNames {
  const char* acceleration;
  const char* speed;
  const char* position;
};

inline constexpr AxisUnitNames kUnitsOfMode[] = {{"", "", ""}, {"m/s^2", "m/s", "mm"}, {"rad/s^2", "rad/s", "rot"}};
