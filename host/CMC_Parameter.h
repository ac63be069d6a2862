#pragma once

#include "host/CMC_ParameterBase.h"

// One value with a unit, such as the value of a segment field being edited.
class TARNOC_API CMC_Parameter : public CMC_ParameterBase {
 public:
  explicit CMC_Parameter(CMC_Setup& setup);

  double GetValueInInternalUnit() const { return m_Value; }
  double GetValue() const { return IUToUnit(m_Value); }
  double GetValueInBaseUnit() const { return IUToBaseUnit(m_Value); }
  // Each setter rounds to the type and returns false, keeping the old value, when the result
  // does not fit the type or the limits.
  BOOL SetValueInInternalUnit(double value);
  BOOL SetValue(double valueInUnit) { return SetValueInInternalUnit(UnitToIU(valueInUnit)); }
  BOOL SetValueInBaseUnit(double value) { return SetValueInInternalUnit(BaseUnitToIU(value)); }

  CString PrintValue() const { return FormatIU(m_Value); }
  CString PrintValueForOrvel() const { return LiteralOfIU(m_Value); }
  CString SaveData() const { return PrintValue(); }

 protected:
  bool AssignParsedValues(const std::vector<double>& stored) override;

 private:
  double m_Value = 0.0;
};
