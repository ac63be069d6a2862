#include <algorithm>

#include "editor/CEditorDlg.h"
#include "editor/EditorControlIds.h"
#include "framework/dialog/MessageBox.h"

namespace {

CString WithoutMnemonic(const CString& text) {
  CString plain;
  for (const char* c = text.GetString(); *c != '\0'; ++c)
    if (*c != '&') plain += *c;
  return plain;
}

bool HasCaption(const CWnd& control) {
  const ControlKind kind = control.GetKind();
  return kind == ControlKind::PushButton || kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

// What a person reads beside a control: its own caption, or for a field the label it stands
// after in the dialog (a unit combo takes its value's label).
CString ControlName(const CWnd& dialog, const CWnd& control) {
  if (HasCaption(control)) return WithoutMnemonic(control.GetWindowText());
  if (control.GetDlgCtrlID() == IDC_SEGMENT_LIST) return "Segment table";
  const auto& children = dialog.GetChildren();
  auto at = std::find_if(children.begin(), children.end(), [&](const auto& child) { return child.get() == &control; });
  while (at != children.begin()) {
    const CWnd& before = **--at;
    if (before.GetKind() == ControlKind::Static || before.GetKind() == ControlKind::CheckBox)
      return WithoutMnemonic(before.GetWindowText());
  }
  return CString();
}

}  // namespace

// Help names the page that describes the dialog and what the person was working in: the
// control that had the focus before the click on Help took it.
void CEditorDlg::OnHelp() {
  CString text("The editor is described in docs/editor.md.");
  CWnd* focus = GetFocusedWindow();
  if (focus != nullptr && focus->GetDlgCtrlID() == ID_HELP) focus = GetPreviousFocus();
  if (focus != nullptr) {
    const CString name = ControlName(*this, *focus);
    text.AppendFormat("\nThe focus is on control %d%s%s.", focus->GetDlgCtrlID(), name.IsEmpty() ? "" : ": ",
                      name.GetString());
  }
  AfxMessageBox(text, MB_ICONINFORMATION);
}
