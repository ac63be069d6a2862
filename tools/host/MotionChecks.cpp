#include "tools/host/MotionChecks.h"

#include "plugin/ModuleExports.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ImportMessages.h"
#include "tools/host/TextIO.h"

int ExitCodeOf(const BuiltMotion& built, const std::vector<geometry::ImportedSegment>& segments,
               const ImportMessages& messages) {
  if (built.outcome == BuiltMotion::Outcome::Valid) return kExitOk;
  if (built.segment)
    messages.TellAtMove(segments[*built.segment].line, built.message);
  else
    messages.Tell(built.message);
  return built.outcome == BuiltMotion::Outcome::DoesNotFit ? kExitUsage : kExitRefused;
}

int CheckedByModule(HostSession& session, const CString& text) {
  const auto translate = session.Export<TranslateMotionSequenceFn>("TranslateMotionSequence");
  if (translate == nullptr) return kExitUsage;
  CString input = text;
  CString result;
  if (translate(session.Controller(), session.Motion(), input, result)) return kExitOk;
  ReportModuleMessages(result);
  return kExitRefused;
}
