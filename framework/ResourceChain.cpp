#include "framework/ResourceChain.h"

#include <algorithm>
#include <utility>

namespace {

// Newest last. Never destroyed, so that modules torn down during process exit
// can still unregister whatever the order of static destruction.
std::vector<CResourceModule*>& chain() {
  static auto* modules = new std::vector<CResourceModule*>;
  return *modules;
}

template <typename Lookup>
auto findNewestFirst(Lookup lookup) -> decltype(lookup(std::declval<const CResourceModule&>())) {
  const auto& modules = chain();
  for (auto module = modules.rbegin(); module != modules.rend(); ++module) {
    if (const auto found = lookup(**module)) return found;
  }
  return nullptr;
}

}  // namespace

void AfxRegisterResourceModule(CResourceModule* module) {
  auto& modules = chain();
  if (module && std::find(modules.begin(), modules.end(), module) == modules.end()) modules.push_back(module);
}

void AfxUnregisterResourceModule(CResourceModule* module) { std::erase(chain(), module); }

int AfxResourceModuleCount() { return static_cast<int>(chain().size()); }

const char* AfxFindString(UINT id) {
  return findNewestFirst([id](const CResourceModule& module) { return module.FindString(id); });
}

const DialogTemplate* AfxFindDialogTemplate(UINT id) {
  return findNewestFirst([id](const CResourceModule& module) { return module.FindDialogTemplate(id); });
}

const std::vector<BYTE>* AfxFindNamedResource(const char* name) {
  return findNewestFirst([name](const CResourceModule& module) { return module.FindNamedResource(name); });
}
