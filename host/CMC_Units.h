#pragma once

#include <vector>

#include "framework/CString.h"
#include "host/CMC_Unit.h"
#include "host/DriveResolution.h"
#include "host/TarnocApi.h"

// The physical meaning of a controller variable; a setup turns it into a dimension and a unit.
enum class PhysicalQuantity { None, Position, Speed, Acceleration };

// A setup's unit table: the standard units every setup knows, plus the internal units of
// its drive ("IU" for one count, "IU/ST" and "IU/ST^2" per sample time, "ST" for one sample).
class TARNOC_API CMC_Units {
 public:
  explicit CMC_Units(const DriveResolution& resolution);

  const CMC_Unit* FindUnit(const char* name) const;
  // The base unit of the dimension of the named unit, or null for an unknown name.
  const CMC_Unit* FindBaseUnit(const char* name) const;
  // The base unit of a standard unit's dimension, also when this table lacks that unit; null for
  // a name that is no standard unit.
  const CMC_Unit* FindStandardBaseUnit(const char* name) const;
  int CompatibleUnits(const char* first, const char* second) const;
  // The name of the internal unit in which values of the named unit's dimension are kept;
  // empty for an unknown name.
  CString GetIUOfUnit(const char* name) const;
  // The same internal-unit name, as the text that diagnostics and unit probes work with.
  CString DumpIUOfUnit(const char* name) const;

  const CMC_Unit* InternalUnitOf(UnitDimension dimension) const;
  // The units a value of the named unit can be shown in, in table order; the internal units only
  // when asked for. Empty for an unknown name.
  std::vector<const CMC_Unit*> UnitsCompatibleWith(const char* name, bool withInternal) const;
  UnitDimension DimensionOf(PhysicalQuantity quantity) const;
  CString DefaultUnitOf(PhysicalQuantity quantity) const { return DefaultUnitOf(m_Resolution.load, quantity); }
  static CString DefaultUnitOf(LoadKind load, PhysicalQuantity quantity);
  const DriveResolution& GetResolution() const { return m_Resolution; }
  // For setups whose table lacks a standard unit; base and internal units stay.
  bool RemoveUnit(const char* name);

 private:
  void AddStandardUnits();
  void AddInternalUnits();
  const CMC_Unit* FindUnitOfDimension(UnitDimension dimension, bool internal) const;

  DriveResolution m_Resolution;
  std::vector<CMC_Unit> m_Units;
};
