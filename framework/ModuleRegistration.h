#pragma once

#include "framework/CWinApp.h"
#include "framework/FrameworkApi.h"
#include "framework/ResourceModule.h"
#include "framework/Types.h"

// Ties a module's application object and resources to the module's lifetime.
// A module defines one as a global after its CWinApp and CResourceModule in
// the same source file, so that both are constructed first and destroyed last:
//
//     CModuleRegistration theRegistration(theApp, theResources);
//
// Construction registers the resources, so InitInstance can already load
// them, then calls InitInstance. When that fails, ExitInstance is called and
// the resources unregistered straight away, and IsInitialized() tells the
// module's entry point to refuse loading. Otherwise destruction calls
// ExitInstance and then unregisters the resources.
class FRAMEWORK_API CModuleRegistration {
 public:
  CModuleRegistration(CWinApp& app, CResourceModule& resources);
  ~CModuleRegistration();
  CModuleRegistration(const CModuleRegistration&) = delete;
  CModuleRegistration& operator=(const CModuleRegistration&) = delete;

  BOOL IsInitialized() const;

 private:
  void ShutDown();

  CWinApp& m_App;
  CResourceModule& m_Resources;
  BOOL m_bInitialized;
};
