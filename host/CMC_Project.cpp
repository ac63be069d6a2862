#include "host/CMC_Project.h"

CMC_Project::CMC_Project() = default;

CMC_Project::~CMC_Project() = default;

CMC_Setup& CMC_Project::AddSetup(const char* name, bool isMotionController, const DriveResolution& resolution) {
  m_Setups.push_back(std::make_unique<CMC_Setup>(name, isMotionController, resolution));
  m_Setups.back()->SetProject(this);
  return *m_Setups.back();
}

CMC_AxisData& CMC_Project::AddAxis(int axisID, const char* name, CMC_Setup* driveSetup) {
  m_Axes.push_back(std::make_unique<CMC_AxisData>(axisID, name, driveSetup));
  return *m_Axes.back();
}

CMC_Setup* CMC_Project::FindSetup(const char* name) const {
  for (const auto& setup : m_Setups)
    if (setup->GetName() == name) return setup.get();
  return nullptr;
}

CMC_AxisData* CMC_Project::FindAxis(int axisID) const {
  for (const auto& axis : m_Axes)
    if (axis->GetAxisID() == axisID) return axis.get();
  return nullptr;
}
