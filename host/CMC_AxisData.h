#pragma once

#include "framework/CString.h"
#include "host/TarnocApi.h"

class CMC_Setup;

// An axis of the project: its ID and the setup of the drive that moves it, if it has one.
class TARNOC_API CMC_AxisData {
 public:
  CMC_AxisData(int axisID, const char* name, CMC_Setup* driveSetup);
  virtual ~CMC_AxisData();

  int GetAxisID() const { return m_AxisID; }
  const CString& GetName() const { return m_Name; }
  virtual CMC_Setup* GetSetup() const { return m_pDriveSetup; }

 private:
  int m_AxisID;
  CString m_Name;
  CMC_Setup* m_pDriveSetup;
};
