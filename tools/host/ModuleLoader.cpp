#include "tools/host/ModuleLoader.h"

#include <dlfcn.h>

#include <filesystem>

ModuleLoader::~ModuleLoader() {
  if (m_Handle != nullptr) dlclose(m_Handle);
}

bool ModuleLoader::Open(const std::string& path, std::string& error, bool keepLoaded) {
  // The loader searches its library path for a name without a slash; the user named a file.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  // RTLD_NOW: a module with an unresolved symbol is refused here, not in the middle of a call.
  m_Handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL | (keepLoaded ? RTLD_NODELETE : 0));
  if (m_Handle == nullptr) {
    const char* reason = dlerror();
    error = "cannot load the module \"" + path + "\": " + (reason != nullptr ? reason : "unknown reason");
    return false;
  }
  m_Path = path;
  return true;
}

void* ModuleLoader::ResolveAddress(const char* name, std::string& error) const {
  dlerror();
  void* address = m_Handle != nullptr ? dlsym(m_Handle, name) : nullptr;
  if (address == nullptr) error = "the module \"" + m_Path + "\" does not export " + name;
  return address;
}

std::string ModuleLoader::DefaultModulePath() { return BesideExecutable("Zoventa.so"); }

std::string ModuleLoader::BesideExecutable(const char* name) {
  std::error_code failure;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failure);
  return (failure ? std::filesystem::path(".") : self.parent_path()) / name;
}
