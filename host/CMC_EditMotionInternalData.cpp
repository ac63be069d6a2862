#include "host/CMC_EditMotionInternalData.h"

#include <algorithm>

#include "framework/dialog/CWnd.h"
#include "host/CMC_AxisData.h"
#include "host/CMC_Motion.h"
#include "host/CMC_Setup.h"
#include "host/HostMessages.h"
#include "host/ParameterText.h"
#include "host/RadioReader.h"
#include "host/VariableCatalog.h"

namespace {

// Reads the entry `name` into `param` with the values in the unit the entry names, or in
// `defaultUnit` when it names none or `alias`; the unit must have `dimension`.
CString ReadListInUnit(const CString& text, CMC_ArrayParameter& param, const char* name, tagVarType type,
                       const CString& defaultUnit, UnitDimension dimension, double iuSize, double iuOffset,
                       const char* alias = nullptr) {
  ParameterText::Entry entry;
  if (ParameterText::Find(text, name, entry) != ParameterText::Lookup::Found || !entry.hasUnit)
    return HostMessages::InvalidEntry(name);
  const bool isDefault = entry.unit.IsEmpty() || (alias != nullptr && entry.unit == alias);
  const CString unitName = isDefault ? defaultUnit : entry.unit;
  const CMC_Unit* unit = param.GetSetup().GetUnits().FindUnit(unitName);
  if (unit == nullptr || !(unit->GetDimension() == dimension) ||
      !param.InitializeMotionParam(type, name, unitName, entry.value, iuSize, iuOffset))
    return HostMessages::InvalidEntry(name);
  return CString();
}

enum class UnitPart { Ignored, MustBeEmpty };

CString ReadPlainNumbers(const CString& text, CMC_ArrayParameter& param, const char* name, tagVarType type,
                         UnitPart unitPart) {
  ParameterText::Entry entry;
  if (ParameterText::Find(text, name, entry) != ParameterText::Lookup::Found ||
      (unitPart == UnitPart::MustBeEmpty && !entry.unit.IsEmpty()) ||
      !param.InitializeMotionParam(type, name, "", entry.value, 1.0, 0.0))
    return HostMessages::InvalidEntry(name);
  return CString();
}

}  // namespace

CMC_EditMotionInternalData::CMC_EditMotionInternalData(CMC_Setup& setup, CMC_Motion& motion)
    : m_pSetup(&setup), m_pMotion(&motion) {}

CMC_EditMotionInternalData::~CMC_EditMotionInternalData() = default;

CString CMC_EditMotionInternalData::GetDataParamName(const char* baseName, const char* prefix, const char* third) {
  CString name;
  for (const char* part : {prefix, baseName, third})
    if (part != nullptr) name += part;
  return name;
}

CString CMC_EditMotionInternalData::GetDefaultUnit(const char* baseName, const char*, CMC_Setup* setup) {
  const KnownVariable* variable = VariableCatalog::Find(baseName);
  if (variable == nullptr) return CString();
  const LoadKind load = setup != nullptr ? setup->GetUnits().GetResolution().load : LoadKind::Linear;
  return CMC_Units::DefaultUnitOf(load, variable->quantity);
}

CString CMC_EditMotionInternalData::ReadRadioParam(const CString& text, const char* key, int min, int max,
                                                   int& value) const {
  return RadioReader::Read(text, key, min, max, value);
}

CString CMC_EditMotionInternalData::ReadOptionalRadioParam(const CString& text, const char* key, int min, int max,
                                                           int& value) const {
  return RadioReader::ReadOptional(text, key, min, max, value);
}

void CMC_EditMotionInternalData::WriteRadioParam(CString& text, const char* key, int value) const {
  ParameterText::AppendRadio(text, key, value);
}

CString CMC_EditMotionInternalData::ReadArrayDataParam(const CString& text, CMC_ArrayParameter& param,
                                                       const char* baseName, const char* prefix,
                                                       const char* third) const {
  const CString name = GetDataParamName(baseName, prefix, third);
  const KnownVariable* variable = VariableCatalog::Find(baseName);
  if (variable == nullptr) return HostMessages::InvalidEntry(name);
  const CMC_Units& units = param.GetSetup().GetUnits();
  return ReadListInUnit(text, param, name, variable->type, units.DefaultUnitOf(variable->quantity),
                        units.DimensionOf(variable->quantity), IU_OF_SETUP, IU_OF_SETUP);
}

CString CMC_EditMotionInternalData::ReadArrayDataParamWithUnit(const CString& text, CMC_ArrayParameter& param,
                                                               const char* name, tagVarType type, const char* unit,
                                                               double internalUnitSize,
                                                               double internalUnitOffset) const {
  const CMC_Units& units = param.GetSetup().GetUnits();
  if (const CMC_Unit* expected = units.FindUnit(unit))
    return ReadListInUnit(text, param, name, type, expected->GetUnitName(), expected->GetDimension(), internalUnitSize,
                          internalUnitOffset);
  // A standard unit this setup lacks counts as the base unit of its dimension, which the caller's
  // internal unit is then measured in; an entry may still name it.
  const CMC_Unit* standIn = units.FindStandardBaseUnit(unit);
  if (standIn == nullptr) return HostMessages::InvalidEntry(name);
  return ReadListInUnit(text, param, name, type, standIn->GetUnitName(), standIn->GetDimension(), internalUnitSize,
                        internalUnitOffset, unit);
}

CString CMC_EditMotionInternalData::ReadNoUnitArrayDataParam(const CString& text, CMC_ArrayParameter& param,
                                                             const char* name, tagVarType type) const {
  return ReadPlainNumbers(text, param, name, type, UnitPart::Ignored);
}

CString CMC_EditMotionInternalData::ReadUnitlessArrayDataParam(const CString& text, CMC_ArrayParameter& param,
                                                               const char* name, tagVarType type) const {
  return ReadPlainNumbers(text, param, name, type, UnitPart::MustBeEmpty);
}

void CMC_EditMotionInternalData::WriteArrayDataParam(CString& text, const CMC_ArrayParameter& param) const {
  ParameterText::AppendList(text, param.GetName(), param.GetUnitName(), param.SaveData());
}

void CMC_EditMotionInternalData::FillSlaveAxisIDsCombo(CWnd* combo, SlaveAxisFilter filter, int selectedSlave,
                                                       int withNone) const {
  if (combo == nullptr) return;
  combo->SendMessage(CB_RESETCONTENT);
  const auto addSlave = [&](const char* text, int slave) {
    const LRESULT at = combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    combo->SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(slave));
    if (slave == selectedSlave) combo->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(at));
  };
  if (withNone) addSlave("none", -1);
  constexpr int kLetters = 26;
  const int count = std::min<int>(m_pSetup->GetMotionControllerSlaveCount(), kLetters);
  for (int slave = 0; slave < count; ++slave) {
    const CMC_AxisData* axis = m_pMotion->GetMotionControllerSlaveAxis(slave);
    if (filter != nullptr && !filter(axis != nullptr ? axis->GetSetup() : nullptr)) continue;
    const char letter[] = {static_cast<char>('A' + slave), '\0'};
    addSlave(letter, slave);
  }
}

int CMC_EditMotionInternalData::GetComboSelSlaveAxisID(CWnd* combo) const {
  constexpr int kNoSelection = -2;
  if (combo == nullptr || combo->GetCurSel() < 0) return kNoSelection;
  return static_cast<int>(static_cast<LPARAM>(combo->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(combo->GetCurSel()))));
}
