#include "editor/CEditorDlg.h"
#include "plugin/ExportBoundary.h"
#include "plugin/ModuleExports.h"

// The dialog edits a record of its own; the host's text changes only when the user commits a
// valid motion with OK.
MODULE_EXPORT int EditMotionSequence(CMC_Setup& setup, CMC_Motion& motion, CString& text) {
  return RunExport(0, [&] {
    CEditorDlg dialog(setup, motion, text, nullptr);
    return dialog.DoModal() == IDOK ? 1 : 0;
  });
}
