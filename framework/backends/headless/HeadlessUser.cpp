#include "framework/backends/headless/HeadlessUser.h"

#include "framework/dialog/CDialog.h"

CWnd* CHeadlessUser::Reachable(int id) const {
  CWnd* control = Control(id);
  return control != nullptr && control->IsReachable() && !IsEnded() ? control : nullptr;
}

bool CHeadlessUser::Focus(int id) {
  CWnd* control = Reachable(id);
  if (control == nullptr) return false;
  control->SetFocus();
  return true;
}

bool CHeadlessUser::Type(int id, const char* text) {
  CWnd* control = Reachable(id);
  if (control == nullptr || control->GetKind() != ControlKind::Edit || (control->GetStyle() & ES_READONLY) != 0)
    return false;
  control->SetFocus();
  control->SetWindowText(text);
  control->SendMessage(EM_SETSEL, -1, 0);
  return true;
}

void CHeadlessUser::ClickButton(CWnd& control) {
  const DWORD buttonType = control.GetStyle() & 0x0F;
  if (control.GetKind() == ControlKind::CheckBox && buttonType == BS_AUTOCHECKBOX)
    control.SetCheck(control.GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
  if (control.GetKind() == ControlKind::RadioButton && buttonType == BS_AUTORADIOBUTTON) {
    // The group runs from the last button that starts one up to the next that does.
    const auto& children = m_Dialog.GetChildren();
    size_t at = 0;
    while (children[at].get() != &control) ++at;
    size_t first = at;
    while (first > 0 && (children[first]->GetStyle() & WS_GROUP) == 0) --first;
    for (size_t i = first; i < children.size() && (i == first || (children[i]->GetStyle() & WS_GROUP) == 0); ++i)
      if (children[i]->GetKind() == ControlKind::RadioButton) children[i]->SetCheck(BST_UNCHECKED);
    control.SetCheck(BST_CHECKED);
  }
  m_Dialog.Notify(control.GetDlgCtrlID(), BN_CLICKED);
}

bool CHeadlessUser::Click(int id) {
  CWnd* control = Reachable(id);
  if (control == nullptr) return false;
  control->SetFocus();
  ClickButton(*control);
  return true;
}

bool CHeadlessUser::SetCheck(int id, bool checked) {
  const CWnd* control = Reachable(id);
  if (control == nullptr) return false;
  return (control->GetCheck() == BST_CHECKED) == checked || Click(id);
}

bool CHeadlessUser::Choose(int id, int index) {
  CWnd* control = Reachable(id);
  if (control == nullptr || control->GetKind() != ControlKind::ComboBox) return false;
  control->SetFocus();
  if (control->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)) == CB_ERR) return false;
  m_Dialog.Notify(id, CBN_SELCHANGE);
  m_Dialog.Notify(id, CBN_SELENDOK);
  return true;
}

bool CHeadlessUser::SelectRow(int id, int index) {
  CWnd* control = Reachable(id);
  if (control == nullptr || control->GetKind() != ControlKind::ListBox) return false;
  control->SetFocus();
  if (control->SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)) == LB_ERR) return false;
  if ((control->GetStyle() & LBS_NOTIFY) != 0) m_Dialog.Notify(id, LBN_SELCHANGE);
  return true;
}

bool CHeadlessUser::PressEnter() {
  if (IsEnded()) return false;
  CWnd* focus = m_Dialog.GetFocusedWindow();
  if (focus != nullptr && focus->GetKind() == ControlKind::PushButton) {
    ClickButton(*focus);
    return true;
  }
  CWnd* ok = Control(IDOK);
  if (ok != nullptr && !ok->IsWindowEnabled()) return false;
  m_Dialog.Notify(IDOK, BN_CLICKED);
  return true;
}

bool CHeadlessUser::PressEscape() {
  if (IsEnded()) return false;
  m_Dialog.Notify(IDCANCEL, BN_CLICKED);
  return true;
}

bool CHeadlessUser::PressTab(bool backwards) {
  if (IsEnded()) return false;
  const auto& children = m_Dialog.GetChildren();
  const size_t count = children.size();
  size_t start = backwards ? 0 : count - 1;
  for (size_t i = 0; i < count; ++i)
    if (children[i].get() == m_Dialog.GetFocusedWindow()) start = i;
  for (size_t step = 1; step <= count; ++step) {
    CWnd& candidate = *children[(start + (backwards ? count - step : step)) % count];
    if ((candidate.GetStyle() & WS_TABSTOP) != 0 && candidate.IsReachable()) {
      candidate.SetFocus();
      return true;
    }
  }
  return false;
}

bool CHeadlessUser::IsEnded() const { return m_Dialog.IsEnded(); }

CWnd* CHeadlessUser::Control(int id) const { return m_Dialog.GetDlgItem(id); }

CString CHeadlessUser::Text(int id) const {
  const CWnd* control = Control(id);
  return control != nullptr ? control->GetWindowText() : CString();
}

bool CHeadlessUser::IsEnabled(int id) const {
  const CWnd* control = Control(id);
  return control != nullptr && control->IsWindowEnabled();
}

bool CHeadlessUser::IsVisible(int id) const {
  const CWnd* control = Control(id);
  return control != nullptr && control->IsWindowVisible();
}

int CHeadlessUser::Check(int id) const {
  const CWnd* control = Control(id);
  return control != nullptr ? control->GetCheck() : BST_UNCHECKED;
}

std::vector<CString> CHeadlessUser::Items(int id) const {
  std::vector<CString> texts;
  if (const CWnd* control = Control(id))
    for (const CWnd::Item& item : control->GetItems()) texts.push_back(item.text);
  return texts;
}

int CHeadlessUser::Selection(int id) const {
  const CWnd* control = Control(id);
  return control != nullptr ? control->GetCurSel() : -1;
}

int CHeadlessUser::FocusedId() const {
  const CWnd* focus = m_Dialog.GetFocusedWindow();
  return focus != nullptr ? focus->GetDlgCtrlID() : 0;
}
