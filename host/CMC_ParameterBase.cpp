#include "host/CMC_ParameterBase.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "host/CMC_Setup.h"
#include "host/DecimalDigits.h"
#include "host/CMC_Value.h"

namespace {

// How far FormatIU looks beside a converted number, in ulps, for one that reads back exactly.
constexpr int kNeighbourSteps = 2;

// The width of a value column in the editor's segment table.
constexpr long kPlainWidth = 11;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A decimal number, optionally signed, with optional fraction and exponent; nothing else
// (no "inf", "nan" or hexadecimal) and surrounded by nothing but blanks.
bool ParseNumber(const char* first, const char* last, double& value) {
  while (first < last && IsBlank(*first)) ++first;
  while (last > first && IsBlank(last[-1])) --last;
  const bool plus = first < last && *first == '+';
  if (plus) ++first;
  if (first == last) return false;
  const char lead = *first == '-' && !plus && last - first > 1 ? first[1] : *first;
  if (!(lead >= '0' && lead <= '9') && lead != '.') return false;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  return result.ec == std::errc() && result.ptr == last && std::isfinite(value);
}

// Plain digits while they fit a value column of the editor's segment table: "100000", never
// "1e+05"; the shortest form where plain digits would not fit.
char* WritePlainOrShortest(double number, char* text, int size) {
  const auto plain = std::to_chars(text, text + size, number, std::chars_format::fixed);
  if (plain.ec == std::errc() && plain.ptr - text <= kPlainWidth) return plain.ptr;
  return std::to_chars(text, text + size, number).ptr;
}

// Equal and of the same sign, so that 0 is not taken for -0.
bool IsSameDouble(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

// A finite number whose neighbours lie equally far on both sides, that is any but a power of
// two: its shortest digits are then also its correctly rounded ones.
bool IsSymmetricallyRounded(double number) {
  int exponent = 0;
  return std::isfinite(number) && std::frexp(std::fabs(number), &exponent) != 0.5;
}

}  // namespace

CMC_ParameterBase::CMC_ParameterBase(CMC_Setup& setup) : m_pSetup(&setup) {}

CMC_ParameterBase::~CMC_ParameterBase() = default;

bool CMC_ParameterBase::MakeIdentity(tagVarType type, const char* name, const char* unit, double iuSize,
                                     double iuOffset, Identity& identity) const {
  const CMC_Units& units = m_pSetup->GetUnits();
  const CMC_Unit* selected = units.FindUnit(unit == nullptr ? "" : unit);
  if (selected == nullptr || !IsKnownVarType(type)) return false;
  if (iuSize == IU_OF_SETUP) iuSize = units.InternalUnitOf(selected->GetDimension())->GetSizeInBaseUnit();
  if (iuOffset == IU_OF_SETUP) iuOffset = 0.0;
  if (!(std::isfinite(iuSize) && iuSize > 0.0 && std::isfinite(iuOffset))) return false;
  identity =
      Identity{CString(name), type,    selected->GetUnitName(), selected->GetDimension(), selected->GetSizeInBaseUnit(),
               iuSize,        iuOffset};
  return true;
}

BOOL CMC_ParameterBase::InitializeMotionParam(tagVarType type, const char* name, const char* unit,
                                              const char* valueText, double internalUnitSize,
                                              double internalUnitOffset) {
  Identity identity;
  if (!MakeIdentity(type, name, unit, internalUnitSize, internalUnitOffset, identity)) return FALSE;
  Identity previous = m_Id;
  m_Id = identity;
  std::vector<double> stored;
  if (!ParseValueList(valueText, stored) || !AssignParsedValues(stored)) {
    m_Id = previous;
    return FALSE;
  }
  return TRUE;
}

BOOL CMC_ParameterBase::ChangeUnit(const char* unit) {
  const CMC_Unit* selected = m_pSetup->GetUnits().FindUnit(unit);
  if (selected == nullptr || !(selected->GetDimension() == m_Id.dimension)) return FALSE;
  m_Id.unitName = selected->GetUnitName();
  m_Id.unitSize = selected->GetSizeInBaseUnit();
  return TRUE;
}

double CMC_ParameterBase::UnitToIU(double valueInUnit) const { return BaseUnitToIU(valueInUnit * m_Id.unitSize); }

double CMC_ParameterBase::IUToUnit(double internalValue) const { return IUToBaseUnit(internalValue) / m_Id.unitSize; }

double CMC_ParameterBase::IUToBaseUnit(double internalValue) const {
  return internalValue * m_Id.iuSize + m_Id.iuOffset;
}

double CMC_ParameterBase::BaseUnitToIU(double baseValue) const { return (baseValue - m_Id.iuOffset) / m_Id.iuSize; }

// Written so that a NaN is within no limits.
bool CMC_ParameterBase::IsWithinLimits(double internalValue) const {
  if (m_Min && !(internalValue >= *m_Min)) return false;
  if (m_Max && !(internalValue <= *m_Max)) return false;
  return true;
}

bool CMC_ParameterBase::AcceptIU(double internalValue, double& stored) const {
  double candidate = 0.0;
  if (!CMC_Value::Quantize(m_Id.type, internalValue, candidate) || !IsWithinLimits(candidate)) return false;
  stored = candidate;
  return true;
}

bool CMC_ParameterBase::ParseValueText(const char* text, double& stored) const {
  if (text == nullptr) return false;
  double value = 0.0;
  return ParseNumber(text, text + std::char_traits<char>::length(text), value) && AcceptIU(UnitToIU(value), stored);
}

bool CMC_ParameterBase::ParseValueList(const char* text, std::vector<double>& stored) const {
  const char* first = text == nullptr ? "" : text;
  const char* end = first + std::char_traits<char>::length(first);
  const char* probe = first;
  while (probe < end && IsBlank(*probe)) ++probe;
  if (probe == end) return true;  // an empty list
  while (true) {
    const char* comma = std::find(first, end, ',');
    double value = 0.0;
    double kept = 0.0;
    if (!ParseNumber(first, comma, value) || !AcceptIU(UnitToIU(value), kept)) return false;
    stored.push_back(kept);
    if (comma == end) return true;
    first = comma + 1;
  }
}

bool CMC_ParameterBase::ReadsBackAs(double valueInUnit, double internalValue) const {
  double stored = 0.0;
  return CMC_Value::Quantize(m_Id.type, UnitToIU(valueInUnit), stored) && stored == internalValue;
}

bool CMC_ParameterBase::TextReadsBackAs(const char* first, const char* last, double internalValue,
                                        double& number) const {
  return ParseNumber(first, last, number) && ReadsBackAs(number, internalValue);
}

std::optional<double> CMC_ParameterBase::FewestDigitsReadingBack(double inUnit, const char* shortest,
                                                                 const char* shortestEnd,
                                                                 double internalValue) const {
  char text[kNumberTextSize];
  double back = 0.0;
  const std::optional<DecimalDigits> digits =
      std::isfinite(inUnit) ? std::optional<DecimalDigits>(std::in_place, inUnit, shortest, shortestEnd) : std::nullopt;
  if (digits && (IsSymmetricallyRounded(inUnit) || digits->IsExact())) {
    // Shorter roundings come from the shortest digits; every rounding to as many digits or more
    // reads as inUnit itself.
    for (int precision = 1; precision < digits->Count(); ++precision) {
      if (digits->ValueRounded(precision, back)) {
        if (ReadsBackAs(back, internalValue)) return back;
        continue;
      }
      const char* end = digits->WriteRounded(precision, text);
      if (end == nullptr)
        end = std::to_chars(text, text + sizeof text, inUnit, std::chars_format::general, precision).ptr;
      if (TextReadsBackAs(text, end, internalValue, back)) return back;
    }
    return ReadsBackAs(inUnit, internalValue) ? std::optional(inUnit) : std::nullopt;
  }
  for (int precision = 1; precision <= 17; ++precision) {
    const auto result = std::to_chars(text, text + sizeof text, inUnit, std::chars_format::general, precision);
    if (TextReadsBackAs(text, result.ptr, internalValue, back)) return back;
  }
  return std::nullopt;
}

char* CMC_ParameterBase::WriteNumberToShow(double internalValue, char* text) const {
  const double inUnit = IUToUnit(internalValue);
  char* const shortestEnd = std::to_chars(text, text + kNumberTextSize, inUnit).ptr;
  const double shown = NumberToShow(inUnit, text, shortestEnd, internalValue);
  if (IsSameDouble(shown, inUnit) && std::find(text, shortestEnd, 'e') == shortestEnd) return shortestEnd;
  return WritePlainOrShortest(shown, text, kNumberTextSize);
}

// The number with the fewest digits that reads back as the stored value, given the shortest
// digits of its exact conversion.
double CMC_ParameterBase::NumberToShow(double inUnit, const char* shortest, const char* shortestEnd,
                                       double internalValue) const {
  if (const auto fewest = FewestDigitsReadingBack(inUnit, shortest, shortestEnd, internalValue)) return *fewest;
  // An unrounded value can miss itself by an ulp on the way to the unit and back; a close
  // neighbour of the converted number then reads back exactly.
  double below = inUnit;
  double above = inUnit;
  for (int step = 0; step < kNeighbourSteps; ++step) {
    below = std::nextafter(below, -HUGE_VAL);
    above = std::nextafter(above, HUGE_VAL);
    if (ReadsBackAs(below, internalValue)) return below;
    if (ReadsBackAs(above, internalValue)) return above;
  }
  return inUnit;
}

CString CMC_ParameterBase::FormatIU(double internalValue) const {
  char text[kNumberTextSize];
  return CString(text, static_cast<int>(WriteNumberToShow(internalValue, text) - text));
}

CString CMC_ParameterBase::LiteralOfIU(double internalValue) const {
  return CMC_Value::Literal(m_Id.type, internalValue);
}

CString CMC_ParameterBase::JoinValues(const std::vector<double>& internalValues) const {
  CString text;
  for (size_t i = 0; i < internalValues.size(); ++i) {
    if (i > 0) text += ", ";
    text += FormatIU(internalValues[i]);
  }
  return text;
}

namespace {

struct InternalBounds {
  double min = -std::numeric_limits<double>::infinity();
  double max = std::numeric_limits<double>::infinity();
};

InternalBounds BoundsOf(const CMC_ParameterBase& param) {
  InternalBounds bounds;
  CMC_Value::RangeOf(param.GetType(), bounds.min, bounds.max);
  if (param.GetMinInInternalUnit()) bounds.min = std::max(bounds.min, *param.GetMinInInternalUnit());
  if (param.GetMaxInInternalUnit()) bounds.max = std::min(bounds.max, *param.GetMaxInInternalUnit());
  return bounds;
}

}  // namespace

double CMC_ParameterBase::GetMin() const { return IUToUnit(BoundsOf(*this).min); }

double CMC_ParameterBase::GetMax() const { return IUToUnit(BoundsOf(*this).max); }

double CMC_ParameterBase::NearestStorableIU(double internalValue) const {
  const InternalBounds bounds = BoundsOf(*this);
  const double fallback = std::isfinite(bounds.min) ? bounds.min : 0.0;
  const double inside = std::isnan(internalValue) ? fallback : std::clamp(internalValue, bounds.min, bounds.max);
  double stored = 0.0;
  if (CMC_Value::Quantize(GetType(), inside, stored) && IsWithinLimits(stored)) return stored;
  // Rounding can step just outside a limit that lies between two grid points; come back inward.
  const double inward = inside > 0.0 ? std::floor(inside) : std::ceil(inside);
  return CMC_Value::Quantize(GetType(), inward, stored) && IsWithinLimits(stored) ? stored : fallback;
}
