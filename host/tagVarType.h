#pragma once

// How the controller stores a variable: the grid a value is rounded to in internal units
// and the range it must fit. The numbers are part of the parameter-text contract.
enum tagVarType {
  VT_DOUBLE = 0,  // host-side value, kept as it is
  VT_INT8 = 1,
  VT_INT16 = 2,
  VT_INT32 = 3,  // positions, radii, segment kinds
  VT_UINT8 = 4,
  VT_UINT16 = 5,
  VT_UINT32 = 6,
  VT_FIXED16_16 = 7,  // speeds, accelerations, angles: 16 integer and 16 fraction bits
};

constexpr bool IsKnownVarType(int type) { return type >= VT_DOUBLE && type <= VT_FIXED16_16; }
