#include "host/CMC_Setup.h"

CMC_Setup::CMC_Setup(const char* name, bool isMotionController, const DriveResolution& resolution)
    : m_Name(name), m_bMotionController(isMotionController), m_Units(resolution) {}

CMC_Setup::~CMC_Setup() = default;

BOOL CMC_Setup::MotionController_GetAxisIDOfSlave(BYTE slave, int& axisID) const {
  if (slave >= m_SlaveAxisIDs.size() || !m_SlaveAxisIDs[slave]) return FALSE;
  axisID = *m_SlaveAxisIDs[slave];
  return TRUE;
}

CMC_Variable* CMC_Setup::FindVariable(const char* name, int searchMode) {
  ++m_VariableLookups;
  return FindVariableNamed(name, searchMode == FV_EXACT_NAME);
}

CMC_Variable* CMC_Setup::FindVariableNamed(const char* name, bool exact) const {
  if (name == nullptr) return nullptr;
  for (const auto& variable : m_Variables) {
    const bool same = exact ? variable->GetName() == name : variable->GetName().CompareNoCase(name) == 0;
    if (same) return variable.get();
  }
  return nullptr;
}

int CMC_Setup::GetIntOption(const char* name, int defaultValue) const {
  const auto found = m_IntOptions.find(name == nullptr ? "" : name);
  return found == m_IntOptions.end() ? defaultValue : found->second;
}

bool CMC_Setup::AddVariable(const char* name) {
  const KnownVariable* definition = VariableCatalog::Find(name);
  if (definition == nullptr || FindVariableNamed(name, true) != nullptr) return false;
  auto variable = std::make_unique<CMC_Variable>(*this, definition->quantity);
  // Internal units that overflow or vanish leave no unit to keep the variable in.
  if (!variable->InitializeMotionParam(definition->type, definition->name,
                                       GetUnits().DefaultUnitOf(definition->quantity), "0", IU_OF_SETUP, IU_OF_SETUP))
    return false;
  m_Variables.push_back(std::move(variable));
  return true;
}

void CMC_Setup::SetIntOption(const char* name, int value) { m_IntOptions[name] = value; }

bool CMC_Setup::AddSlave(std::optional<int> axisID) {
  if (m_SlaveAxisIDs.size() >= 255) return false;
  m_SlaveAxisIDs.push_back(axisID);
  return true;
}
