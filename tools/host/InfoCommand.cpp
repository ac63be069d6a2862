#include <cstdio>

#include "plugin/ModuleExports.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"

int RunInfo(HostSession& session, const std::vector<std::string>& arguments) {
  if (!arguments.empty()) {
    std::fprintf(stderr, "motion-host info: unexpected argument \"%s\"\n", arguments.front().c_str());
    return kExitUsage;
  }
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
  return kExitOk;
}
