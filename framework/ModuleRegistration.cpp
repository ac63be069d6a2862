#include "framework/ModuleRegistration.h"

#include "framework/ResourceChain.h"

CModuleRegistration::CModuleRegistration(CWinApp& app, CResourceModule& resources)
    : m_app(app), m_resources(resources), m_initialized(FALSE) {
  AfxRegisterResourceModule(&m_resources);
  m_initialized = m_app.InitInstance() ? TRUE : FALSE;
  if (!m_initialized) ShutDown();
}

CModuleRegistration::~CModuleRegistration() {
  if (m_initialized) ShutDown();
}

BOOL CModuleRegistration::IsInitialized() const { return m_initialized; }

void CModuleRegistration::ShutDown() {
  m_app.ExitInstance();
  AfxUnregisterResourceModule(&m_resources);
}
