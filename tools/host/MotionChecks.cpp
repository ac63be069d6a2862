#include "tools/host/MotionChecks.h"

#include "motion/CInternalData.h"
#include "plugin/ModuleExports.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ImportMessages.h"
#include "tools/host/TextIO.h"

ExitCode BuildMotion(CInternalData& record, const std::vector<geometry::ImportedSegment>& segments,
                     const std::function<Dynamics(size_t)>& dynamics, const ImportMessages& messages) {
  if (const Result<void> appended = AppendSegments(record, segments, dynamics); !appended) {
    messages.TellAtMove(appended.Failure());
    return kExitUsage;
  }
  if (const Result<void> checked = CheckBuiltMotion(record, segments); !checked) {
    messages.TellAtMove(checked.Failure());
    return kExitRefused;
  }
  return kExitOk;
}

ExitCode CheckedByModule(HostSession& session, const CString& text) {
  const auto translate = session.Export<TranslateMotionSequenceFn>("TranslateMotionSequence");
  if (translate == nullptr) return kExitUsage;
  CString input = text;
  CString result;
  if (translate(session.Controller(), session.Motion(), input, result)) return kExitOk;
  ReportModuleMessages(result);
  return kExitRefused;
}

ExitCode ReadBackAsTheModuleDoes(CInternalData& record, CString& text) {
  CString message;
  if (record.ReadData(text, message)) {
    int ignoredSegment = 0;
    message = record.CheckData(ignoredSegment);
    if (message.IsEmpty()) return kExitOk;
  }
  ReportModuleMessages(message);
  return kExitRefused;
}
