#pragma once

#include "framework/CString.h"
#include "host/TarnocApi.h"

// Exponents of length, angle and time; two units convert into each other exactly when
// their dimensions are equal.
struct UnitDimension {
  int length = 0;
  int angle = 0;
  int time = 0;
  friend bool operator==(const UnitDimension&, const UnitDimension&) = default;
};

namespace Dimensions {
constexpr UnitDimension None{0, 0, 0};
constexpr UnitDimension Length{1, 0, 0};
constexpr UnitDimension Angle{0, 1, 0};
constexpr UnitDimension Time{0, 0, 1};
constexpr UnitDimension LinearSpeed{1, 0, -1};
constexpr UnitDimension LinearAcceleration{1, 0, -2};
constexpr UnitDimension AngularSpeed{0, 1, -1};
constexpr UnitDimension AngularAcceleration{0, 1, -2};
}  // namespace Dimensions

// One named unit of a setup's unit table: its dimension and its size in the base unit of
// that dimension (m, rad, s and their quotients).
class TARNOC_API CMC_Unit {
 public:
  CMC_Unit(const char* name, UnitDimension dimension, double sizeInBaseUnit, bool isInternal = false);

  const CString& GetUnitName() const { return m_Name; }
  UnitDimension GetDimension() const { return m_Dimension; }
  double GetSizeInBaseUnit() const { return m_Size; }
  bool IsInternal() const { return m_bInternal; }

  double ToBaseUnit(double value) const { return value * m_Size; }
  double FromBaseUnit(double value) const { return value / m_Size; }

  bool operator==(const CMC_Unit& other) const;
  bool operator!=(const CMC_Unit& other) const { return !(*this == other); }

 private:
  CString m_Name;
  UnitDimension m_Dimension;
  double m_Size;
  bool m_bInternal;
};
