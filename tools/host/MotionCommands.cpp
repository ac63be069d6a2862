#include <cstdio>
#include <string>

#include "plugin/ModuleExports.h"
#include "tools/host/Commands.h"
#include "tools/host/DemoMotion.h"
#include "tools/host/HostSession.h"
#include "tools/host/TextIO.h"

namespace {

int Translate(HostSession& session, CString parameters) {
  const auto translate = session.Export<TranslateMotionSequenceFn>("TranslateMotionSequence");
  if (translate == nullptr) return kExitUsage;
  CString result;
  if (!translate(session.Controller(), session.Motion(), parameters, result)) {
    ReportModuleMessages(result);
    return kExitRefused;
  }
  WriteText(stdout, result);
  return kExitOk;
}

}  // namespace

int RunNew(HostSession& session, const std::vector<std::string>& arguments) {
  if (!arguments.empty()) {
    std::fprintf(stderr, "motion-host new: unexpected argument \"%s\"\n", arguments.front().c_str());
    return kExitUsage;
  }
  const auto getDefaults = session.Export<GetDefaultParametersFn>("GetDefaultParameters");
  if (getDefaults == nullptr) return kExitUsage;
  CString text;
  getDefaults(session.Controller(), session.Motion(), text);
  WriteText(stdout, text);
  return kExitOk;
}

int RunTranslate(HostSession& session, const std::vector<std::string>& arguments) {
  if (arguments.size() > 1) {
    std::fprintf(stderr, "motion-host translate: one motion file at most, not %zu\n", arguments.size());
    return kExitUsage;
  }
  CString parameters;
  if (!ReadInput(arguments.empty() ? "-" : arguments.front(), parameters)) return kExitUsage;
  return Translate(session, parameters);
}

int RunDemo(HostSession& session, const std::vector<std::string>& arguments) {
  if (!arguments.empty()) {
    std::fprintf(stderr, "motion-host demo: unexpected argument \"%s\"\n", arguments.front().c_str());
    return kExitUsage;
  }
  return Translate(session, kDemoMotion);
}
