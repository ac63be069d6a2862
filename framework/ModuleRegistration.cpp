#include "framework/ModuleRegistration.h"

#include "framework/ResourceChain.h"

CModuleRegistration::CModuleRegistration(CWinApp& app, CResourceModule& resources)
    : m_App(app), m_Resources(resources), m_bInitialized(FALSE) {
  AfxRegisterResourceModule(&m_Resources);
  m_bInitialized = m_App.InitInstance() ? TRUE : FALSE;
  if (!m_bInitialized) ShutDown();
}

CModuleRegistration::~CModuleRegistration() {
  if (m_bInitialized) ShutDown();
}

BOOL CModuleRegistration::IsInitialized() const { return m_bInitialized; }

void CModuleRegistration::ShutDown() {
  m_App.ExitInstance();
  AfxUnregisterResourceModule(&m_Resources);
}
