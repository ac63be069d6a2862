#pragma once

#include <string>

// A module opened with the dynamic loader; it stays loaded while this object lives.
class ModuleLoader {
 public:
  ModuleLoader() = default;
  ~ModuleLoader();
  ModuleLoader(const ModuleLoader&) = delete;
  ModuleLoader& operator=(const ModuleLoader&) = delete;

  // Opens the file at `path`, never a library found elsewhere under that name; false with a
  // message naming the path and the loader's reason. A library opened with `keepLoaded` stays
  // in the process after this object is gone.
  bool Open(const std::string& path, std::string& error, bool keepLoaded = false);
  // The export's address cast to its function type, or null with a message naming it.
  template <typename Function>
  Function Resolve(const char* name, std::string& error) const {
    return reinterpret_cast<Function>(ResolveAddress(name, error));
  }

  // Where motion-host looks when no module is named: beside its own executable.
  static std::string DefaultModulePath();
  // The file `name` in the folder of motion-host's own executable.
  static std::string BesideExecutable(const char* name);

 private:
  void* ResolveAddress(const char* name, std::string& error) const;

  void* m_Handle = nullptr;
  std::string m_Path;
};
