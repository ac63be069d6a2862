#include "framework/backends/headless/HeadlessUser.h"

#include <cctype>

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
    const auto& children = m_Dialog.GetChildren();
    const auto [first, end] = GroupAround(IndexOf(&control));
    for (size_t i = first; i < end; ++i)
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
  const size_t count = m_Dialog.GetChildren().size();
  const size_t focused = IndexOf(m_Dialog.GetFocusedWindow());
  return FocusNextTabStop(focused < count ? focused : backwards ? 0 : count - 1, backwards);
}

namespace {

// The letter a caption marks with "&" ("&&" is an ampersand), or 0.
char MnemonicOf(const CString& caption) {
  for (int at = caption.Find('&'); at >= 0 && at + 1 < caption.GetLength(); at = caption.Find('&', at + 2))
    if (caption[at + 1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[at + 1])));
  return 0;
}

bool IsLabel(const CWnd& control) {
  return control.GetKind() == ControlKind::Static || control.GetKind() == ControlKind::GroupBox;
}

}  // namespace

bool CHeadlessUser::PressMnemonic(char letter) {
  if (IsEnded()) return false;
  const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  const auto& children = m_Dialog.GetChildren();
  for (size_t at = 0; at < children.size(); ++at) {
    CWnd& control = *children[at];
    if (!control.IsReachable() || MnemonicOf(control.GetWindowText()) != wanted) continue;
    if (IsLabel(control)) return FocusNextTabStop(at, false);
    if (control.GetKind() == ControlKind::Edit || control.GetKind() == ControlKind::ComboBox ||
        control.GetKind() == ControlKind::ListBox)
      continue;
    control.SetFocus();
    ClickButton(control);
    return true;
  }
  return false;
}

size_t CHeadlessUser::IndexOf(const CWnd* control) const {
  const auto& children = m_Dialog.GetChildren();
  size_t at = 0;
  while (at < children.size() && children[at].get() != control) ++at;
  return at;
}

std::pair<size_t, size_t> CHeadlessUser::GroupAround(size_t at) const {
  const auto& children = m_Dialog.GetChildren();
  size_t first = at;
  while (first > 0 && (children[first]->GetStyle() & WS_GROUP) == 0) --first;
  size_t end = at + 1;
  while (end < children.size() && (children[end]->GetStyle() & WS_GROUP) == 0) ++end;
  return {first, end};
}

// A radio button is a stop when it is its group's checked one, or its first when none is.
bool CHeadlessUser::IsTabStop(size_t at) const {
  const auto& children = m_Dialog.GetChildren();
  const CWnd& control = *children[at];
  if ((control.GetStyle() & WS_TABSTOP) != 0) return true;
  if (control.GetKind() != ControlKind::RadioButton) return false;
  if (control.GetCheck() == BST_CHECKED) return true;
  const auto [first, end] = GroupAround(at);
  size_t firstRadio = end;
  for (size_t i = first; i < end; ++i) {
    if (children[i]->GetKind() != ControlKind::RadioButton) continue;
    if (children[i]->GetCheck() == BST_CHECKED) return false;
    if (firstRadio == end) firstRadio = i;
  }
  return firstRadio == at;
}

bool CHeadlessUser::FocusNextTabStop(size_t start, bool backwards) {
  const auto& children = m_Dialog.GetChildren();
  const size_t count = children.size();
  for (size_t step = 1; step <= count; ++step) {
    const size_t at = (start + (backwards ? count - step : step)) % count;
    if (IsTabStop(at) && children[at]->IsReachable()) {
      children[at]->SetFocus();
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
