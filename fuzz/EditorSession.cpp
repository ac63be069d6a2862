#include "fuzz/EditorSession.h"

#include "editor/CEditorDlg.h"
#include "editor/EditorControlIds.h"
#include "editor/EditorTemplate.h"
#include "framework/ResourceChain.h"
#include "framework/ResourceModule.h"
#include "framework/backends/headless/HeadlessBackend.h"
#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "motion/CInternalData.h"

void RunEditorSession() {
  static const auto project = CMC_Project::CreateDemo();
  static CResourceModule resources = [] {
    CResourceModule module;
    module.AddDialogTemplate(IDD_VECTOR_MODE, &EditorTemplate());
    return module;
  }();
  static const bool registered = (AfxRegisterResourceModule(&resources), true);
  static CDialogBackend* const installed = AfxSetDialogBackend(&CHeadlessBackend::Instance());
  (void)registered, (void)installed;
  CMC_Motion motion(project->GetController());
  CString text =
      "ConfigureMode=1\nInsertEndSegment=1\nSlaveX=0\nSlaveY=1\nSlaveTangent=-1\nSegmentType[]=0\n"
      "CACC[m/s^2]=0\nCSPD[m/s]=0\nX_TPOS[mm]=1\nY_TPOS[mm]=0\nRadius[mm]=\nInitAngle[deg]=\n"
      "AngleIncrement[deg]=\nExecute=0\nWaitForCompletion=0\n";
  CEditorDlg dialog(project->GetController(), motion, text, nullptr);
  if (dialog.DoModal() == IDOK) {
    CInternalData record(project->GetController(), motion);
    CString errors;
    if (!record.ReadData(text, errors)) __builtin_trap();
  }
}
