#pragma once

#include "framework/CString.h"
#include "host/TarnocApi.h"
#include "host/tagVarType.h"

// A number in internal units as the controller will hold it: rounded to the grid of its
// variable type and inside the type's range. Non-finite numbers never enter a typed value.
class TARNOC_API CMC_Value {
 public:
  explicit CMC_Value(tagVarType type = VT_DOUBLE) : m_Type(type) {}

  // Rounds and stores; returns false (value unchanged) when the number does not fit the type.
  bool Set(double internalValue);
  double Get() const { return m_Value; }
  tagVarType GetType() const { return m_Type; }

  // The value the type would store for this number, or false when it cannot hold it.
  static bool Quantize(tagVarType type, double internalValue, double& stored);
  // The smallest and largest number the type holds; false for VT_DOUBLE, which holds any.
  static bool RangeOf(tagVarType type, double& min, double& max);
  // The motion-language literal of a stored value: "20000L", "7u", "1.5" (16.16 fixed).
  static CString Literal(tagVarType type, double storedValue);

 private:
  tagVarType m_Type;
  double m_Value = 0.0;
};
