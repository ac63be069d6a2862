#include "host/CMC_AxisData.h"

CMC_AxisData::CMC_AxisData(int axisID, const char* name, CMC_Setup* driveSetup)
    : m_AxisID(axisID), m_Name(name), m_pDriveSetup(driveSetup) {}

CMC_AxisData::~CMC_AxisData() = default;
