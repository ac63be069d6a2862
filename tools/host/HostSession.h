#pragma once

#include <memory>
#include <string>

#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "tools/host/ModuleLoader.h"

// What every command works with: the loaded module and the project (the built-in demo or one
// read from a setup file), with one motion of the project's controller.
class HostSession {
 public:
  // False with a message when the module or the setup file cannot be used.
  bool Open(const std::string& modulePath, const std::string& setupPath, std::string& error);

  // The module's export of that name, or null after telling the user on standard error.
  template <typename Function>
  Function Export(const char* name) const {
    std::string error;
    const auto function = m_Module.Resolve<Function>(name, error);
    if (function == nullptr) ReportError(error);
    return function;
  }
  CMC_Setup& Controller() const { return m_pProject->GetController(); }
  CMC_Motion& Motion() const { return *m_pMotion; }

  static void ReportError(const std::string& error);

 private:
  ModuleLoader m_Module;
  std::unique_ptr<CMC_Project> m_pProject;
  std::unique_ptr<CMC_Motion> m_pMotion;
};
