#include "host/CMC_Motion.h"

#include "host/CMC_Project.h"
#include "host/CMC_Setup.h"
#include "host/ParameterText.h"

CMC_Motion::CMC_Motion(CMC_Setup& controller, const char* name) : m_pController(&controller), m_Name(name) {}

CMC_AxisData* CMC_Motion::GetMotionControllerSlaveAxis(int slave) const {
  int axisID = 0;
  if (slave < 0 || slave > 255 || m_pController->GetProject() == nullptr ||
      !m_pController->MotionController_GetAxisIDOfSlave(static_cast<BYTE>(slave), axisID))
    return nullptr;
  return m_pController->GetProject()->FindAxis(axisID);
}

void CMC_Motion::AddToElemParameters(CString& text, const char* name, const char* unit, const char* valueText) const {
  ParameterText::AppendList(text, name, unit, valueText);
}
