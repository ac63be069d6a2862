#include "framework/backends/wx/WxControl.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "framework/backends/wx/WxFonts.h"
#include "framework/backends/wx/WxItems.h"
#include "framework/backends/wx/WxListCursor.h"
#include "framework/backends/wx/WxText.h"
#include "framework/backends/wx/WxWidgets.h"
#include "framework/dialog/CWnd.h"

namespace {

// Edits keep line ends as CR LF; the toolkit's line end is LF alone.
wxString EditText(const CString& text) {
  wxString shown = ToWx(text);
  shown.Replace("\r\n", "\n");
  return shown;
}

}  // namespace

void CWxControl::Sync(const CWxFonts& fonts) {
  SyncFont(fonts);
  if (m_pWidget->IsShown() != static_cast<bool>(m_Control.IsWindowVisible()))
    m_pWidget->Show(m_Control.IsWindowVisible() != FALSE);
  if (m_pWidget->IsThisEnabled() != static_cast<bool>(m_Control.IsWindowEnabled()))
    m_pWidget->Enable(m_Control.IsWindowEnabled() != FALSE);
  const bool textChanged = SyncText();
  SyncCheck();
  SyncItems();
  SyncEditSelection(textChanged);
  m_bSynced = true;
}

void CWxControl::SyncFont(const CWxFonts& fonts) {
  if (m_bSynced && m_pShownFont == m_Control.GetFont()) return;
  m_pShownFont = m_Control.GetFont();
  m_pWidget->SetFont(fonts.FontFor(m_pShownFont));
}

bool CWxControl::SyncText() {
  const CString text = m_Control.GetWindowText();
  if (m_bSynced && m_ShownText == text) return false;
  m_ShownText = text;
  switch (m_Control.GetKind()) {
    case ControlKind::Edit:
      static_cast<wxTextCtrl*>(m_pWidget)->ChangeValue(EditText(text));
      break;
    case ControlKind::ComboBox:  // shows its selected item
    case ControlKind::ListBox:
      break;
    default:
      m_pWidget->SetLabel(CaptionFor(*m_pWidget, m_Control));
  }
  return true;
}

void CWxControl::SyncCheck() {
  const bool checked = m_Control.GetCheck() == BST_CHECKED;
  if (m_Control.GetKind() == ControlKind::CheckBox) {
    auto* box = static_cast<wxCheckBox*>(m_pWidget);
    if (box->GetValue() != checked) box->SetValue(checked);
  } else if (m_Control.GetKind() == ControlKind::RadioButton) {
    // A radio button is cleared by checking another of its group; it cannot be cleared alone.
    auto* radio = static_cast<wxRadioButton*>(m_pWidget);
    if (checked && !radio->GetValue()) radio->SetValue(true);
  }
}

void CWxControl::SyncItems() {
  const ControlKind kind = m_Control.GetKind();
  if (kind != ControlKind::ComboBox && kind != ControlKind::ListBox) return;
  const bool itemsChanged = !m_bSynced || m_nShownItemsRevision != m_Control.GetItemsRevision();
  if (itemsChanged) {
    PatchItems(*static_cast<wxControlWithItems*>(m_pWidget), m_ShownItems, m_Control.GetItems());
    m_nShownItemsRevision = m_Control.GetItemsRevision();
  }
  SyncSelection(itemsChanged);
}

void CWxControl::SyncSelection(bool itemsChanged) {
  auto* widget = static_cast<wxControlWithItems*>(m_pWidget);
  const int selection = m_Control.GetCurSel();
  if (!itemsChanged && widget->GetSelection() == selection) return;
  widget->SetSelection(selection >= 0 ? selection : wxNOT_FOUND);
  if (selection >= 0 && m_Control.GetKind() == ControlKind::ListBox) {
    auto* list = static_cast<wxListBox*>(m_pWidget);
    MoveListCursor(*list, selection);
    list->EnsureVisible(selection);
  }
}

// Both ends of the selection in one number, as the control answers EM_GETSEL.
long CWxControl::EditSelection() { return static_cast<long>(m_Control.SendMessage(EM_GETSEL)); }

// New text puts the toolkit's caret at its start, so the control's selection goes again.
void CWxControl::SyncEditSelection(bool textChanged) {
  if (m_Control.GetKind() != ControlKind::Edit) return;
  const long selection = EditSelection();
  if (!textChanged && selection == m_nShownEditSelection) return;
  m_nShownEditSelection = selection;
  static_cast<wxTextCtrl*>(m_pWidget)->SetSelection(LOWORD(selection), HIWORD(selection));
}

void CWxControl::TakeTypedText() {
  auto* edit = static_cast<wxTextCtrl*>(m_pWidget);
  m_ShownText = FromWx(edit->GetValue());
  m_Control.SetWindowText(m_ShownText);
  long from = 0;
  long to = 0;
  edit->GetSelection(&from, &to);
  m_Control.SendMessage(EM_SETSEL, static_cast<WPARAM>(from), to);
  m_nShownEditSelection = EditSelection();
}
