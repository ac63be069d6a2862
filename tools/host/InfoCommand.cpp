#include <cstdio>

#include "plugin/ModuleExports.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"

int RunInfo(HostSession& session, const std::vector<std::string>& arguments) {
  if (!arguments.empty()) {
    std::fprintf(stderr, "motion-host info: unexpected argument \"%s\"\n", arguments.front().c_str());
    return kExitUsage;
  }
  std::string error;
  const auto getClassName = session.Module().Resolve<GetClassNameFn>("GetClassName", error);
  const auto getName = session.Module().Resolve<GetNameFn>("GetName", error);
  const auto getOrderID = session.Module().Resolve<GetOrderIDFn>("GetOrderID", error);
  const auto isEnabled = session.Module().Resolve<IsEnabledFn>("IsEnabled", error);
  if (!error.empty()) {
    std::fprintf(stderr, "motion-host: %s\n", error.c_str());
    return kExitUsage;
  }
  std::printf("class name:  %s\n", getClassName());
  std::printf("name:        %s\n", getName());
  std::printf("order ID:    %d (0x%X)\n", getOrderID(), static_cast<unsigned>(getOrderID()));
  std::printf("enabled:     %s on \"%s\"\n", isEnabled(&session.Controller()) ? "yes" : "no",
              session.Controller().GetName().GetString());
  return kExitOk;
}
