#include "tools/host/HostSession.h"

#include "tools/host/UserMessages.h"

bool HostSession::Open(const std::string& modulePath, const std::string& setupPath, std::string& error) {
  if (!m_Module.Open(modulePath, error)) return false;
  if (setupPath.empty()) {
    m_pProject = CMC_Project::CreateDemo();
  } else {
    CString message;
    m_pProject = CMC_Project::LoadFromFile(setupPath.c_str(), message);
    if (m_pProject == nullptr) {
      error = message.GetString();
      return false;
    }
  }
  m_pMotion = std::make_unique<CMC_Motion>(m_pProject->GetController());
  return true;
}

void HostSession::ReportError(const std::string& error) { TellUser("", "", error); }
