#include "tools/host/HostSession.h"

#include "tools/host/TextIO.h"
#include "tools/host/UserMessages.h"

bool HostSession::Open(const std::string& modulePath, const std::string& setupPath, std::string& error) {
  if (!m_Module.Open(modulePath, error)) return false;
  if (setupPath.empty()) {
    m_pProject = CMC_Project::CreateDemo();
  } else {
    // Read as every input is, so that it may come from standard input and stops at the limit.
    const Result<CString> text = ReadInput(setupPath);
    if (!text) {
      error = "setup file \"" + setupPath + "\": " + text.Failure().message;
      return false;
    }
    Result<std::unique_ptr<CMC_Project>> loaded = CMC_Project::LoadFromJsonText(text.Value(), setupPath.c_str());
    if (!loaded) {
      error = loaded.Failure().message;
      return false;
    }
    m_pProject = std::move(loaded).Value();
  }
  m_pMotion = std::make_unique<CMC_Motion>(m_pProject->GetController());
  return true;
}

void HostSession::ReportError(const std::string& error) { TellUser("", "", error); }
