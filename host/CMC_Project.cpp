#include "host/CMC_Project.h"

CMC_Project::CMC_Project() = default;

CMC_Project::~CMC_Project() = default;

CMC_Setup& CMC_Project::AddSetup(const char* name, bool isMotionController, const DriveResolution& resolution) {
  m_Setups.push_back(std::make_unique<CMC_Setup>(name, isMotionController, resolution));
  m_Setups.back()->SetProject(this);
  m_SetupsByName.try_emplace(m_Setups.back()->GetName().GetString(), m_Setups.back().get());
  return *m_Setups.back();
}

CMC_AxisData& CMC_Project::AddAxis(int axisID, const char* name, CMC_Setup* driveSetup) {
  m_Axes.push_back(std::make_unique<CMC_AxisData>(axisID, name, driveSetup));
  m_AxesByID.try_emplace(axisID, m_Axes.back().get());
  return *m_Axes.back();
}

CMC_Setup* CMC_Project::FindSetup(const char* name) const {
  const auto found = m_SetupsByName.find(name != nullptr ? name : "");
  return found != m_SetupsByName.end() ? found->second : nullptr;
}

CMC_AxisData* CMC_Project::FindAxis(int axisID) const {
  const auto found = m_AxesByID.find(axisID);
  return found != m_AxesByID.end() ? found->second : nullptr;
}
