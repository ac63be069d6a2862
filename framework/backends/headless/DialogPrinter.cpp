#include "framework/backends/headless/DialogPrinter.h"

#include "framework/backends/headless/HeadlessUser.h"
#include "framework/dialog/CDialog.h"

namespace {

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Dialog: return "dialog";
    case ControlKind::PushButton: return "button";
    case ControlKind::CheckBox: return "check box";
    case ControlKind::RadioButton: return "radio button";
    case ControlKind::GroupBox: return "group box";
    case ControlKind::Static: return "static";
    case ControlKind::Edit: return "edit";
    case ControlKind::ComboBox: return "combo box";
    case ControlKind::ListBox: return "list box";
  }
  return "control";
}

// A text in quotes, one line at a time: a multi-line text continues on indented lines.
void PrintQuoted(const CString& text, std::FILE* out) {
  std::fputc('"', out);
  for (int i = 0; i < text.GetLength(); ++i) {
    const char ch = text[i];
    if (ch == '\n')
      std::fputs("\"\n        \"", out);
    else if (ch == '"' || ch == '\\')
      std::fprintf(out, "\\%c", ch);
    else
      std::fputc(ch, out);
  }
  std::fputc('"', out);
}

void PrintItems(const CWnd& control, std::FILE* out) {
  const bool list = control.GetKind() == ControlKind::ListBox;
  std::fprintf(out, " selection %d%s", control.GetCurSel(), list ? "\n" : " items [");
  int index = 0;
  for (const CWnd::Item& item : control.GetItems()) {
    if (list) {
      std::fprintf(out, "      %d: ", index);
      PrintQuoted(item.text, out);
      std::fputc('\n', out);
    } else {
      if (index > 0) std::fputs(", ", out);
      PrintQuoted(item.text, out);
    }
    ++index;
  }
  if (!list) std::fputs("]\n", out);
}

}  // namespace

void PrintDialog(const CHeadlessUser& user, std::FILE* out) {
  const CDialog& dialog = user.Dialog();
  std::fputs("  dialog ", out);
  PrintQuoted(dialog.GetWindowText(), out);
  std::fputc('\n', out);
  for (const auto& child : dialog.GetChildren()) {
    const CWnd& control = *child;
    std::fprintf(out, "    %d %s ", control.GetDlgCtrlID(), KindName(control.GetKind()));
    PrintQuoted(control.GetWindowText(), out);
    std::fprintf(out, " %s %s", control.IsWindowEnabled() ? "enabled" : "disabled",
                 control.IsWindowVisible() ? "visible" : "hidden");
    if (control.GetKind() == ControlKind::CheckBox || control.GetKind() == ControlKind::RadioButton)
      std::fputs(control.GetCheck() ? " checked" : " clear", out);
    if (control.GetKind() == ControlKind::ComboBox || control.GetKind() == ControlKind::ListBox)
      PrintItems(control, out);
    else
      std::fputc('\n', out);
  }
  std::fprintf(out, "    focus: %d\n", user.FocusedId());
}
