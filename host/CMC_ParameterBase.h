#pragma once

#include <optional>
#include <vector>

#include "framework/CString.h"
#include "host/CMC_Unit.h"
#include "host/TarnocApi.h"
#include "host/tagVarType.h"

class CMC_Setup;

// Passed as a trailing number of InitializeMotionParam: "use the setup's own internal unit
// for this kind of quantity" instead of an explicit internal-unit size or offset.
inline constexpr double IU_OF_SETUP = 1.2345e100;

// What a scalar parameter and an array parameter share: a name, a variable type, a selected
// unit, the size of one internal unit, limits, and the conversions and texts of a value.
// Values are kept in internal units; the selected unit only changes how they are shown.
class TARNOC_API CMC_ParameterBase {
 public:
  explicit CMC_ParameterBase(CMC_Setup& setup);
  virtual ~CMC_ParameterBase();

  // Gives the parameter its identity and values. valueText holds the values in `unit`,
  // separated by commas. internalUnitSize is the size of one internal unit in the base unit of
  // the unit's dimension and internalUnitOffset the base-unit value of internal 0; IU_OF_SETUP
  // for either takes the setup's internal unit. False (parameter unchanged) for an unknown
  // unit, a bad scale or a value that is not a number or does not fit the type.
  BOOL InitializeMotionParam(tagVarType type, const char* name, const char* unit, const char* valueText,
                             double internalUnitSize, double internalUnitOffset);

  const CString& GetName() const { return m_Id.name; }
  tagVarType GetType() const { return m_Id.type; }
  CMC_Setup& GetSetup() const { return *m_pSetup; }
  const CString& GetUnitName() const { return m_Id.unitName; }
  const CString& GetSelectedUnit() const { return m_Id.unitName; }
  // Switches the unit values are shown in; false for an unknown or incompatible unit.
  BOOL ChangeUnit(const char* unit);

  double UnitToIU(double valueInUnit) const;
  double IUToUnit(double internalValue) const;
  double IUToBaseUnit(double internalValue) const;
  double BaseUnitToIU(double baseValue) const;

  void SetMinInInternalUnit(double minimum) { m_Min = minimum; }
  void SetMaxInInternalUnit(double maximum) { m_Max = maximum; }
  std::optional<double> GetMinInInternalUnit() const { return m_Min; }
  std::optional<double> GetMaxInInternalUnit() const { return m_Max; }
  bool IsWithinLimits(double internalValue) const;
  // The limits in the selected unit, narrowed to what the variable type can hold: -infinity or
  // +infinity where neither bounds the value.
  double GetMin() const;
  double GetMax() const;
  // The stored value nearest to an internal value: brought inside the limits and the type's
  // range, then rounded to the type. A NaN gives the lower bound, or 0 when there is none.
  double NearestStorableIU(double internalValue) const;

  // The stored value the parameter would keep for an internal value: rounded to the type and
  // inside the limits; false when it cannot be kept.
  bool AcceptIU(double internalValue, double& stored) const;
  // A value typed in the selected unit, as a stored internal value.
  bool ParseValueText(const char* text, double& stored) const;
  // The shortest text in the selected unit that reads back to the same stored value.
  CString FormatIU(double internalValue) const;
  CString LiteralOfIU(double internalValue) const;

 protected:
  // Replaces all values from a comma-separated text already parsed into stored values.
  virtual bool AssignParsedValues(const std::vector<double>& stored) = 0;
  // Values as a comma-separated text in the selected unit.
  CString JoinValues(const std::vector<double>& internalValues) const;

 private:
  bool ParseValueList(const char* text, std::vector<double>& stored) const;
  bool ReadsBackAs(double valueInUnit, double internalValue) const;
  bool TextReadsBackAs(const char* first, const char* last, double internalValue, double& number) const;
  // The number in the selected unit rounded to the fewest significant digits that reads back
  // to the value, if any rounding does; `shortest` is inUnit as std::to_chars writes it.
  std::optional<double> FewestDigitsReadingBack(double inUnit, const char* shortest, const char* shortestEnd,
                                                double internalValue) const;
  double NumberToShow(double inUnit, const char* shortest, const char* shortestEnd, double internalValue) const;
  // Writes the number in the selected unit with the fewest digits that reads back to the value
  // into `text` of kNumberTextSize characters, in plain digits where they fit a table column;
  // returns the end of the number.
  char* WriteNumberToShow(double internalValue, char* text) const;
  static constexpr int kNumberTextSize = 64;

  // Everything InitializeMotionParam replaces at once, so a failed call can leave it as it was.
  struct Identity {
    CString name;
    tagVarType type = VT_DOUBLE;
    CString unitName;
    UnitDimension dimension;
    double unitSize = 1.0;
    double iuSize = 1.0;
    double iuOffset = 0.0;
  };
  bool MakeIdentity(tagVarType type, const char* name, const char* unit, double iuSize, double iuOffset,
                    Identity& identity) const;

  CMC_Setup* m_pSetup;
  Identity m_Id;
  std::optional<double> m_Min;
  std::optional<double> m_Max;
};
