#pragma once

#include <algorithm>
#include <vector>

#include "host/CMC_ParameterBase.h"

// An indexed list of values sharing one name, type and unit, such as one value per segment.
// Index arguments outside the list are refused (setters) or read as 0 (getters), never
// undefined behaviour.
class TARNOC_API CMC_ArrayParameter : public CMC_ParameterBase {
 public:
  explicit CMC_ArrayParameter(CMC_Setup& setup);

  int GetValuesCount() const { return static_cast<int>(m_Values.size()); }
  // Grows with entries of 0 or drops entries from the end.
  void SetValuesCount(int count);
  // Inserts a value given in the selected unit; false when the index or the value is refused.
  BOOL InsertValueAt(int index, double valueInUnit);
  BOOL InsertValueInInternalUnitAt(int index, double value);
  void RemoveValueAt(int index, int count = 1);
  // Room for `count` entries in all, so that a long run of inserts at the end copies nothing.
  void ReserveValues(int count) { m_Values.reserve(static_cast<size_t>(std::max(count, 0))); }

  double GetValueInInternalUnit(int index) const;
  double GetValue(int index) const { return IUToUnit(GetValueInInternalUnit(index)); }
  double GetValueInBaseUnit(int index) const { return IUToBaseUnit(GetValueInInternalUnit(index)); }
  BOOL SetValueInInternalUnit(int index, double value);
  BOOL SetValue(int index, double valueInUnit) { return SetValueInInternalUnit(index, UnitToIU(valueInUnit)); }
  BOOL SetValueInBaseUnit(int index, double value) { return SetValueInInternalUnit(index, BaseUnitToIU(value)); }

  // The first entry outside the limits, or -1.
  int FindValueOutsideLimits() const;

  CString PrintValue(int index) const { return FormatIU(GetValueInInternalUnit(index)); }
  CString PrintValueForOrvel(int index) const { return LiteralOfIU(GetValueInInternalUnit(index)); }
  // All values in the selected unit, in the form InitializeMotionParam reads back exactly.
  CString SaveData() const { return JoinValues(m_Values); }

 protected:
  bool AssignParsedValues(const std::vector<double>& stored) override;

 private:
  bool IsIndex(int index) const { return index >= 0 && index < GetValuesCount(); }

  std::vector<double> m_Values;
};
