#pragma once

#include <dlfcn.h>

#include <string>

// The built module, opened with the dynamic loader as the host opens it.
class LoadedModule {
 public:
  LoadedModule() : m_Handle(dlopen(Path().c_str(), RTLD_NOW | RTLD_LOCAL)) {}
  ~LoadedModule() {
    if (m_Handle != nullptr) dlclose(m_Handle);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  bool IsLoaded() const { return m_Handle != nullptr; }
  template <typename Function>
  Function Find(const char* name) const {
    return reinterpret_cast<Function>(dlsym(m_Handle, name));
  }

  static std::string Path() { return MODULE_PATH; }

 private:
  void* m_Handle;
};
