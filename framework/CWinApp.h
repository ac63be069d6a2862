#pragma once

#include "framework/CString.h"
#include "framework/FrameworkApi.h"
#include "framework/Types.h"

// The application object. Every module defines exactly one, as a global, so it
// lives from the loading of the module's library to its unloading. Each object
// enters a process-wide registry for its lifetime; like the resource chain,
// that registry is used from the UI thread only.
class FRAMEWORK_API CWinApp {
 public:
  // The name is copied; a null name gives an empty one.
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  virtual int ExitInstance();

  // Points into the object's own copy of the name.
  const char* m_pszAppName = nullptr;

 private:
  CString m_AppName;
};

FRAMEWORK_API int AfxLiveApplicationCount();
// The most recently constructed live application with this name, or nullptr.
FRAMEWORK_API CWinApp* AfxFindApplication(const char* appName);
