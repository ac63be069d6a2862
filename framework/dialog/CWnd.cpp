#include "framework/dialog/CWnd.h"

#include <algorithm>

#include "framework/dialog/CDialog.h"
#include "framework/dialog/MessageBox.h"

namespace {

bool IsListKind(ControlKind kind) { return kind == ControlKind::ListBox || kind == ControlKind::ComboBox; }

bool IsButtonKind(ControlKind kind) {
  return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton || kind == ControlKind::PushButton;
}

const char* TextOf(LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  return text != nullptr ? text : "";
}

}  // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() = default;

void CWnd::InitializeFromTemplate(const DialogControlTemplate& control, CWnd* parent) {
  m_nID = control.id;
  m_Kind = control.kind;
  m_Style = control.style;
  m_Rect = control.rect;
  m_pParent = parent;
  m_Text = control.caption;
  m_bVisible = (control.style & WS_VISIBLE) != 0;
}

void CWnd::CreateChildren(const DialogTemplate& dialogTemplate) {
  m_Children.clear();
  for (const DialogControlTemplate& control : dialogTemplate.controls) {
    auto child = std::make_unique<CWnd>();
    child->InitializeFromTemplate(control, this);
    if (auto items = dialogTemplate.comboItems.find(control.id); items != dialogTemplate.comboItems.end())
      for (const char* item : items->second) child->InsertItem(-1, item);
    m_Children.push_back(std::move(child));
  }
}

void CWnd::DestroyChildren() { m_Children.clear(); }

CDialog* CWnd::OwningDialog() {
  CWnd* window = this;
  while (window->m_pParent != nullptr && window->m_Kind != ControlKind::Dialog) window = window->m_pParent;
  return window->m_Kind == ControlKind::Dialog ? static_cast<CDialog*>(window) : nullptr;
}

// An edit's new text has no selection, the caret at its start: a selection of the old text
// would mark a part of the new one that no one chose.
void CWnd::SetWindowText(const char* text) {
  if (m_Kind == ControlKind::Edit && m_Text != text) m_nSelStart = m_nSelEnd = 0;
  m_Text = text;
}

BOOL CWnd::EnableWindow(BOOL enable) {
  const BOOL wasDisabled = !m_bEnabled;
  m_bEnabled = enable != FALSE;
  return wasDisabled;
}

BOOL CWnd::ShowWindow(int showCommand) {
  const BOOL wasVisible = m_bVisible;
  m_bVisible = showCommand != SW_HIDE;
  return wasVisible;
}

void CWnd::SetCheck(int check) { m_nCheck = std::clamp(check, BST_UNCHECKED, 2); }

CWnd* CWnd::SetFocus() {
  CDialog* dialog = OwningDialog();
  return dialog != nullptr ? dialog->MoveFocus(this) : nullptr;
}

CWnd* CWnd::GetFocus() {
  CDialog* dialog = CDialog::GetInnermostRunning();
  return dialog != nullptr ? dialog->GetFocusedWindow() : nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      SetWindowText(TextOf(lParam));
      return TRUE;
    case WM_GETTEXTLENGTH:
      return m_Text.GetLength();
    case WM_SETFONT:
      m_pFont = reinterpret_cast<const CFont*>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(m_pFont);
    default:
      break;
  }
  if (IsButtonKind(m_Kind)) return SendButtonMessage(message, wParam);
  if (m_Kind == ControlKind::Edit) return SendEditMessage(message, wParam, lParam);
  if (IsListKind(m_Kind)) return SendListMessage(message, wParam, lParam);
  return 0;
}

LRESULT CWnd::SendButtonMessage(UINT message, WPARAM wParam) {
  if (message == BM_GETCHECK) return m_nCheck;
  if (message == BM_SETCHECK) SetCheck(static_cast<int>(wParam));
  return 0;
}

// Selection positions follow the usual rule: a start of -1 removes the selection, an end of -1
// or past the text means the end of the text.
LRESULT CWnd::SendEditMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int length = m_Text.GetLength();
  if (message == EM_SETSEL) {
    const int start = static_cast<int>(static_cast<std::intptr_t>(wParam));
    const int end = static_cast<int>(lParam);
    m_nSelStart = start < 0 ? length : std::min(start, length);
    m_nSelEnd = start < 0 ? length : (end < 0 || end > length ? length : end);
    if (m_nSelEnd < m_nSelStart) std::swap(m_nSelStart, m_nSelEnd);
  } else if (message == EM_GETSEL) {
    return static_cast<LRESULT>(MAKEWPARAM(static_cast<WORD>(m_nSelStart), static_cast<WORD>(m_nSelEnd)));
  }
  return 0;
}

LRESULT CWnd::SendListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT error = m_Kind == ControlKind::ListBox ? LB_ERR : CB_ERR;
  const bool list = m_Kind == ControlKind::ListBox;
  const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
  if (message == (list ? LB_ADDSTRING : CB_ADDSTRING)) return InsertItem(-1, TextOf(lParam));
  if (message == (list ? LB_INSERTSTRING : CB_INSERTSTRING)) return InsertItem(index, TextOf(lParam));
  if (message == (list ? LB_GETCOUNT : CB_GETCOUNT)) return static_cast<LRESULT>(m_Items.size());
  if (message == (list ? LB_GETCURSEL : CB_GETCURSEL)) return m_nCurSel;
  if (message == (list ? LB_SETCURSEL : CB_SETCURSEL)) return SelectItem(index);
  if (message == (list ? LB_RESETCONTENT : CB_RESETCONTENT)) {
    m_Items.clear();
    ++m_nItemsRevision;
    m_nCurSel = -1;
    return 0;
  }
  if (message == (list ? LB_DELETESTRING : CB_DELETESTRING)) {
    if (!IsItemIndex(wParam)) return error;
    m_Items.erase(m_Items.begin() + index);
    ++m_nItemsRevision;
    if (m_nCurSel == index) m_nCurSel = -1;
    if (m_nCurSel > index) --m_nCurSel;
    return static_cast<LRESULT>(m_Items.size());
  }
  if (message == LB_GETTEXTLEN && list) return IsItemIndex(wParam) ? m_Items[index].text.GetLength() : error;
  if (list) return 0;
  if (message == CB_GETITEMDATA) return IsItemIndex(wParam) ? static_cast<LRESULT>(m_Items[index].data) : error;
  if (message == CB_SETITEMDATA) {
    if (!IsItemIndex(wParam)) return error;
    m_Items[index].data = static_cast<DWORD_PTR>(lParam);
    return TRUE;
  }
  if (message == CB_FINDSTRINGEXACT) {
    const auto found = std::find_if(m_Items.begin(), m_Items.end(),
                                    [&](const Item& item) { return item.text.CompareNoCase(TextOf(lParam)) == 0; });
    return found != m_Items.end() ? found - m_Items.begin() : error;
  }
  return 0;
}

// -1 appends; an index past the end is refused.
LRESULT CWnd::InsertItem(int index, const char* text) {
  const int count = static_cast<int>(m_Items.size());
  if (index > count || index < -1) return m_Kind == ControlKind::ListBox ? LB_ERR : CB_ERR;
  const int at = index < 0 ? count : index;
  m_Items.insert(m_Items.begin() + at, Item{text, 0});
  ++m_nItemsRevision;
  if (m_nCurSel >= at) ++m_nCurSel;
  return at;
}

// -1 clears the selection; an index past the end clears it too and answers the error.
LRESULT CWnd::SelectItem(int index) {
  const bool valid = index >= 0 && index < static_cast<int>(m_Items.size());
  m_nCurSel = valid ? index : -1;
  if (m_Kind == ControlKind::ComboBox) m_Text = valid ? m_Items[index].text : CString();
  return valid ? index : (m_Kind == ControlKind::ListBox ? LB_ERR : CB_ERR);
}

CWnd* CWnd::GetDlgItem(int id) const {
  for (const auto& child : m_Children)
    if (child->m_nID == id && id != -1) return child.get();
  return nullptr;
}

void CWnd::SetDlgItemText(int id, const char* text) {
  if (CWnd* control = GetDlgItem(id)) control->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
  const CWnd* control = GetDlgItem(id);
  text = control != nullptr ? control->m_Text : CString();
  return text.GetLength();
}

void CWnd::CheckDlgButton(int id, UINT check) {
  if (CWnd* control = GetDlgItem(id)) control->SetCheck(static_cast<int>(check));
}

UINT CWnd::IsDlgButtonChecked(int id) const {
  const CWnd* control = GetDlgItem(id);
  return control != nullptr ? static_cast<UINT>(control->m_nCheck) : 0;
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
  for (int id = firstId; id <= lastId; ++id) CheckDlgButton(id, id == checkId ? BST_CHECKED : BST_UNCHECKED);
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId) const {
  for (int id = firstId; id <= lastId; ++id)
    if (IsDlgButtonChecked(id) == BST_CHECKED) return id;
  return 0;
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
  return ShowMessageBox(text, caption != nullptr ? caption : m_Text.GetString(), type);
}

CDC* CWnd::GetDC() { return &m_DC; }

int CWnd::ReleaseDC(CDC* dc) { return dc == &m_DC ? 1 : 0; }

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, entries};
  return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
  const UINT id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn != nullptr; ++entry) {
      if (entry->nCode == code && entry->nID == id) {
        (this->*entry->pfn)();
        return TRUE;
      }
    }
  }
  return FALSE;
}
