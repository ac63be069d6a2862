#include <cstdio>

#include "plugin/ModuleExports.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"

namespace {

int Info(HostSession& session) {
  const auto getClassName = session.Export<GetClassNameFn>("GetClassName");
  const auto getName = session.Export<GetNameFn>("GetName");
  const auto getOrderID = session.Export<GetOrderIDFn>("GetOrderID");
  const auto isEnabled = session.Export<IsEnabledFn>("IsEnabled");
  if (getClassName == nullptr || getName == nullptr || getOrderID == nullptr || isEnabled == nullptr) return kExitUsage;
  std::printf("class name:  %s\n", getClassName());
  std::printf("name:        %s\n", getName());
  std::printf("order ID:    %d (0x%X)\n", getOrderID(), static_cast<unsigned>(getOrderID()));
  std::printf("enabled:     %s on \"%s\"\n", isEnabled(&session.Controller()) ? "yes" : "no",
              session.Controller().GetName().GetString());
  std::printf("motion-host: %s\n", MOTION_HOST_VERSION);
  return kExitOk;
}

}  // namespace

CommandRunner DefineInfo(CLI::App& command) {
  command.description(
      "Prints the module's class name, name and order ID, whether it is enabled for the setup, and the version of "
      "motion-host.");
  return Info;
}
