#include "host/CMC_Units.h"

#include <cstring>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

struct StandardUnit {
  const char* name;
  UnitDimension dimension;
  double size;
};

// The base unit of each dimension comes first among the units of that dimension.
const StandardUnit kStandardUnits[] = {
    {"", Dimensions::None, 1.0},
    {"m", Dimensions::Length, 1.0},
    {"mm", Dimensions::Length, 1e-3},
    {"um", Dimensions::Length, 1e-6},
    {"cm", Dimensions::Length, 1e-2},
    {"in", Dimensions::Length, 0.0254},
    {"rad", Dimensions::Angle, 1.0},
    {"deg", Dimensions::Angle, kPi / 180.0},
    {"rot", Dimensions::Angle, 2.0 * kPi},
    {"s", Dimensions::Time, 1.0},
    {"ms", Dimensions::Time, 1e-3},
    {"m/s", Dimensions::LinearSpeed, 1.0},
    {"mm/s", Dimensions::LinearSpeed, 1e-3},
    {"mm/min", Dimensions::LinearSpeed, 1e-3 / 60.0},
    {"m/s^2", Dimensions::LinearAcceleration, 1.0},
    {"mm/s^2", Dimensions::LinearAcceleration, 1e-3},
    {"rad/s", Dimensions::AngularSpeed, 1.0},
    {"deg/s", Dimensions::AngularSpeed, kPi / 180.0},
    {"rot/s", Dimensions::AngularSpeed, 2.0 * kPi},
    {"rpm", Dimensions::AngularSpeed, 2.0 * kPi / 60.0},
    {"rad/s^2", Dimensions::AngularAcceleration, 1.0},
    {"deg/s^2", Dimensions::AngularAcceleration, kPi / 180.0},
    {"rot/s^2", Dimensions::AngularAcceleration, 2.0 * kPi},
};

double CountSizeInBaseUnit(const DriveResolution& resolution) {
  const double unitInBase = resolution.load == LoadKind::Linear ? 1e-3 : 2.0 * kPi;
  return unitInBase / resolution.countsPerUnit;
}

UnitDimension PerTime(UnitDimension dimension, int power) {
  dimension.time -= power;
  return dimension;
}

}  // namespace

CMC_Units::CMC_Units(const DriveResolution& resolution) : m_Resolution(resolution) {
  AddStandardUnits();
  AddInternalUnits();
}

void CMC_Units::AddStandardUnits() {
  for (const StandardUnit& unit : kStandardUnits) m_Units.emplace_back(unit.name, unit.dimension, unit.size);
}

void CMC_Units::AddInternalUnits() {
  const UnitDimension position = DimensionOf(PhysicalQuantity::Position);
  const double count = CountSizeInBaseUnit(m_Resolution);
  const double period = m_Resolution.samplePeriod;
  m_Units.emplace_back("IU", position, count, true);
  m_Units.emplace_back("IU/ST", PerTime(position, 1), count / period, true);
  m_Units.emplace_back("IU/ST^2", PerTime(position, 2), count / (period * period), true);
  m_Units.emplace_back("ST", Dimensions::Time, period, true);
}

const CMC_Unit* CMC_Units::FindUnit(const char* name) const {
  if (name == nullptr) return nullptr;
  for (const CMC_Unit& unit : m_Units)
    if (unit.GetUnitName() == name) return &unit;
  return nullptr;
}

const CMC_Unit* CMC_Units::FindUnitOfDimension(UnitDimension dimension, bool internal) const {
  for (const CMC_Unit& unit : m_Units)
    if (unit.GetDimension() == dimension && unit.IsInternal() == internal) return &unit;
  return nullptr;
}

const CMC_Unit* CMC_Units::FindBaseUnit(const char* name) const {
  const CMC_Unit* unit = FindUnit(name);
  return unit == nullptr ? nullptr : FindUnitOfDimension(unit->GetDimension(), false);
}

const CMC_Unit* CMC_Units::FindStandardBaseUnit(const char* name) const {
  if (name == nullptr) return nullptr;
  for (const StandardUnit& unit : kStandardUnits)
    if (std::strcmp(unit.name, name) == 0) return FindUnitOfDimension(unit.dimension, false);
  return nullptr;
}

int CMC_Units::CompatibleUnits(const char* first, const char* second) const {
  const CMC_Unit* a = FindUnit(first);
  const CMC_Unit* b = FindUnit(second);
  return a != nullptr && b != nullptr && a->GetDimension() == b->GetDimension();
}

// Dimensions that the drive does not move in (an angle on a linear drive) have no count of
// their own; their values are kept in the base unit.
const CMC_Unit* CMC_Units::InternalUnitOf(UnitDimension dimension) const {
  const CMC_Unit* internal = FindUnitOfDimension(dimension, true);
  return internal != nullptr ? internal : FindUnitOfDimension(dimension, false);
}

CString CMC_Units::GetIUOfUnit(const char* name) const {
  const CMC_Unit* unit = FindUnit(name);
  if (unit == nullptr) return CString();
  const CMC_Unit* internal = InternalUnitOf(unit->GetDimension());
  return internal == nullptr ? CString() : internal->GetUnitName();
}

CString CMC_Units::DumpIUOfUnit(const char* name) const { return GetIUOfUnit(name); }

UnitDimension CMC_Units::DimensionOf(PhysicalQuantity quantity) const {
  const bool linear = m_Resolution.load == LoadKind::Linear;
  switch (quantity) {
    case PhysicalQuantity::Position:
      return linear ? Dimensions::Length : Dimensions::Angle;
    case PhysicalQuantity::Speed:
      return linear ? Dimensions::LinearSpeed : Dimensions::AngularSpeed;
    case PhysicalQuantity::Acceleration:
      return linear ? Dimensions::LinearAcceleration : Dimensions::AngularAcceleration;
    case PhysicalQuantity::None:
      break;
  }
  return Dimensions::None;
}

CString CMC_Units::DefaultUnitOf(LoadKind load, PhysicalQuantity quantity) {
  const bool linear = load == LoadKind::Linear;
  switch (quantity) {
    case PhysicalQuantity::Position:
      return linear ? "mm" : "rot";
    case PhysicalQuantity::Speed:
      return linear ? "m/s" : "rad/s";
    case PhysicalQuantity::Acceleration:
      return linear ? "m/s^2" : "rad/s^2";
    case PhysicalQuantity::None:
      break;
  }
  return CString();
}

bool CMC_Units::RemoveUnit(const char* name) {
  const CMC_Unit* unit = FindUnit(name);
  if (unit == nullptr || unit->IsInternal() || unit == FindUnitOfDimension(unit->GetDimension(), false)) return false;
  m_Units.erase(m_Units.begin() + (unit - m_Units.data()));
  return true;
}

std::vector<const CMC_Unit*> CMC_Units::UnitsCompatibleWith(const char* name, bool withInternal) const {
  std::vector<const CMC_Unit*> compatible;
  const CMC_Unit* unit = FindUnit(name);
  if (unit == nullptr) return compatible;
  for (const CMC_Unit& candidate : m_Units)
    if (candidate.GetDimension() == unit->GetDimension() && (withInternal || !candidate.IsInternal() || &candidate == unit))
      compatible.push_back(&candidate);
  return compatible;
}
