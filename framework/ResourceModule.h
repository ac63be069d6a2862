#pragma once

#include <functional>
#include <map>
#include <vector>

#include "framework/CString.h"
#include "framework/FrameworkApi.h"
#include "framework/Types.h"
#include "framework/VersionInfo.h"

struct DialogTemplate;

// The resources of one loaded module. Adding under an id or name that is
// already present replaces the earlier entry. Pointers returned by the Find
// members stay valid until that entry is replaced or the module destroyed.
// Named resources are matched exactly, case included.
class FRAMEWORK_API CResourceModule {
 public:
  void AddString(UINT id, const char* text);
  void AddDialogTemplate(UINT id, const DialogTemplate* dialogTemplate);
  void AddNamedResource(const char* name, std::vector<BYTE> bytes);
  void SetVersionInfo(VersionInfo versionInfo);

  const char* FindString(UINT id) const;
  const DialogTemplate* FindDialogTemplate(UINT id) const;
  const std::vector<BYTE>* FindNamedResource(const char* name) const;
  const VersionInfo& GetVersionInfo() const;

 private:
  std::map<UINT, CString> m_Strings;
  std::map<UINT, const DialogTemplate*> m_DialogTemplates;
  std::map<CString, std::vector<BYTE>, std::less<>> m_NamedResources;
  VersionInfo m_VersionInfo;
};
