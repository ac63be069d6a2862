#pragma once

#include "framework/CString.h"
#include "host/CMC_AxisData.h"
#include "host/TarnocApi.h"

class CMC_Setup;

// One motion of a motion controller's program. Its parameters live in the host's parameter
// text; the motion itself only knows its controller and how to reach the slaves' axes.
class TARNOC_API CMC_Motion {
 public:
  CMC_Motion(CMC_Setup& controller, const char* name = "Motion");

  const CString& GetName() const { return m_Name; }
  // The axis that the controller's slave is mapped to, or null.
  CMC_AxisData* GetMotionControllerSlaveAxis(int slave) const;
  // Appends an array entry written from its parts, as "name[unit]=valueText".
  void AddToElemParameters(CString& text, const char* name, const char* unit, const char* valueText) const;

 private:
  CMC_Setup* m_pController;
  CString m_Name;
};
