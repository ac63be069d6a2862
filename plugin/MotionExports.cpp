#include "host/CMC_Motion.h"
#include "host/CMC_Setup.h"
#include "motion/CInternalData.h"
#include "plugin/ExportBoundary.h"
#include "plugin/ModuleExports.h"

// Each call builds its own record and lets it go before returning: the parameter text is the
// only memory of a motion.

// A failure leaves the text as it was.
MODULE_EXPORT void GetDefaultParameters(CMC_Setup& setup, CMC_Motion& motion, CString& text) {
  RunExport(false, [&] {
    CInternalData record(setup, motion);
    text = record.GetDefaultText();
    return true;
  });
}

// The result is either the whole program or the messages of one failed read or validation,
// never a partial program.
MODULE_EXPORT int TranslateMotionSequence(CMC_Setup& setup, CMC_Motion& motion, CString& parameters, CString& result) {
  const auto translate = [&] {
    CInternalData record(setup, motion);
    CString message;
    result.Empty();
    if (!record.ReadData(parameters, message)) {
      result = message;
      return 0;
    }
    int ignoredSegment = 0;
    message = record.CheckData(ignoredSegment);
    if (!message.IsEmpty()) {
      result = message;
      return 0;
    }
    result = record.GenerateCode();
    return 1;
  };
  return RunExport(0, translate, [&](const char* message) { result = message; });
}
