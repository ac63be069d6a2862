#pragma once

#include <array>
#include <cstddef>

// The names under which a vector motion's fields travel in the parameter text. CACC, CSPD,
// TPOS and NLINESTAN are also controller variables that the generated program uses.
enum class Key {
  ClearBuffer,
  ConfigureMode,
  InsertEndSegment,
  SlaveX,
  SlaveY,
  SlaveTangent,
  CACC,
  CSPD,
  SegmentType,
  TPOS,
  NLINESTAN,
  Radius,
  InitAngle,
  AngleIncrement,
  Execute,
  WaitForCompletion,
  Count
};

inline constexpr std::array<const char*, static_cast<std::size_t>(Key::Count)> kKeyNames = {"ClearBuffer",
                                                                                            "ConfigureMode",
                                                                                            "InsertEndSegment",
                                                                                            "SlaveX",
                                                                                            "SlaveY",
                                                                                            "SlaveTangent",
                                                                                            "CACC",
                                                                                            "CSPD",
                                                                                            "SegmentType",
                                                                                            "TPOS",
                                                                                            "NLINESTAN",
                                                                                            "Radius",
                                                                                            "InitAngle",
                                                                                            "AngleIncrement",
                                                                                            "Execute",
                                                                                            "WaitForCompletion"};

constexpr const char* KeyName(Key key) { return kKeyNames[static_cast<std::size_t>(key)]; }
