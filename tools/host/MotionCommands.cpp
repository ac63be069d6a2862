#include <cstdio>
#include <string>

#include "framework/CFile.h"
#include "framework/CFileException.h"
#include "plugin/ModuleExports.h"
#include "tools/host/Commands.h"
#include "tools/host/DemoMotion.h"
#include "tools/host/HostSession.h"

namespace {

void Write(std::FILE* out, const CString& text) { std::fwrite(text.GetString(), 1, text.GetLength(), out); }

// The whole of standard input or a file, as the host would hold a motion's parameter text.
bool ReadMotion(const std::string& source, CString& text) {
  if (source == "-") {
    char buffer[4096];
    while (const size_t count = std::fread(buffer, 1, sizeof buffer, stdin))
      text += CString(buffer, static_cast<int>(count));
    if (!std::ferror(stdin)) return true;
    std::fprintf(stderr, "motion-host: cannot read the motion from standard input\n");
    return false;
  }
  try {
    text += CFile(source.c_str(), CFile::modeRead | CFile::typeBinary).ReadToEnd();
    return true;
  } catch (const CFileException& fault) {
    HostSession::ReportError(fault.GetErrorMessage().GetString());
    return false;
  }
}

int Translate(HostSession& session, CString parameters) {
  const auto translate = session.Export<TranslateMotionSequenceFn>("TranslateMotionSequence");
  if (translate == nullptr) return kExitUsage;
  CString result;
  if (!translate(session.Controller(), session.Motion(), parameters, result)) {
    Write(stderr, result);
    if (!result.IsEmpty() && result[result.GetLength() - 1] != '\n') std::fputc('\n', stderr);
    return kExitRefused;
  }
  Write(stdout, result);
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
  Write(stdout, text);
  return kExitOk;
}

int RunTranslate(HostSession& session, const std::vector<std::string>& arguments) {
  if (arguments.size() > 1) {
    std::fprintf(stderr, "motion-host translate: one motion file at most, not %zu\n", arguments.size());
    return kExitUsage;
  }
  CString parameters;
  if (!ReadMotion(arguments.empty() ? "-" : arguments.front(), parameters)) return kExitUsage;
  return Translate(session, parameters);
}

int RunDemo(HostSession& session, const std::vector<std::string>& arguments) {
  if (!arguments.empty()) {
    std::fprintf(stderr, "motion-host demo: unexpected argument \"%s\"\n", arguments.front().c_str());
    return kExitUsage;
  }
  return Translate(session, kDemoMotion);
}
