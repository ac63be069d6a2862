#include "framework/dialog/MessageBox.h"

#include "framework/CString.h"
#include "framework/dialog/CDialog.h"
#include "framework/dialog/DialogBackend.h"

namespace {

constexpr const char* kApplicationCaption = "Motion Programmer";

CString CurrentCaption() {
  const CDialog* dialog = CDialog::GetInnermostRunning();
  return dialog != nullptr ? dialog->GetWindowText() : CString(kApplicationCaption);
}

}  // namespace

int ShowMessageBox(const char* text, const char* caption, UINT type) {
  return AfxGetDialogBackend().MessageBox(CString(text), CString(caption), type);
}

int AfxMessageBox(const char* text, UINT type, UINT) { return ShowMessageBox(text, CurrentCaption(), type); }

int AfxMessageBox(UINT stringId, UINT type, UINT helpId) {
  CString text;
  text.LoadString(stringId);
  return AfxMessageBox(text, type, helpId);
}
