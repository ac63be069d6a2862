#include "framework/CWinApp.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Oldest first. Never destroyed, so that application objects destroyed during
// process exit can still leave it whatever the order of static destruction.
std::vector<CWinApp*>& liveApplications() {
  static auto* applications = new std::vector<CWinApp*>;
  return *applications;
}

}  // namespace

CWinApp::CWinApp(const char* appName) : m_AppName(appName) {
  m_pszAppName = m_AppName.GetString();
  liveApplications().push_back(this);
}

CWinApp::~CWinApp() { std::erase(liveApplications(), this); }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

int AfxLiveApplicationCount() { return static_cast<int>(liveApplications().size()); }

CWinApp* AfxFindApplication(const char* appName) {
  if (!appName) return nullptr;
  const auto& applications = liveApplications();
  const auto found = std::find_if(applications.rbegin(), applications.rend(), [appName](const CWinApp* application) {
    return std::strcmp(application->m_pszAppName, appName) == 0;
  });
  return found == applications.rend() ? nullptr : *found;
}
