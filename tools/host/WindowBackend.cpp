#include "tools/host/WindowBackend.h"

#include "framework/CString.h"
#include "framework/backends/wx/WxBackendEntry.h"

WindowBackend::~WindowBackend() {
  if (m_Backend != nullptr) m_Close(m_Backend);
}

bool WindowBackend::Open(std::string& why) {
  std::string error;
  if (!m_Library.Open(ModuleLoader::BesideExecutable("libframework_wx.so"), error, true)) {
    why = "the window backend is missing: " + error;
    return false;
  }
  const auto open = m_Library.Resolve<WxOpenBackendFn>("WxOpenBackend", error);
  m_Close = m_Library.Resolve<WxCloseBackendFn>("WxCloseBackend", error);
  if (open == nullptr || m_Close == nullptr) {
    why = "the window backend is damaged: " + error;
    return false;
  }
  CString reason;
  m_Backend = open(reason);
  why = reason.GetString();
  return m_Backend != nullptr;
}
