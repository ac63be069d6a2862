#include "framework/dialog/CDataExchange.h"

#include "framework/dialog/CWnd.h"

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

CWnd* CDataExchange::PrepareCtrl(int id) {
  m_idLastControl = id;
  return m_pDlgWnd != nullptr ? m_pDlgWnd->GetDlgItem(id) : nullptr;
}

void CDataExchange::Fail() {
  CWnd* control = m_pDlgWnd != nullptr ? m_pDlgWnd->GetDlgItem(m_idLastControl) : nullptr;
  if (control != nullptr) {
    control->SetFocus();
    if (control->GetKind() == ControlKind::Edit) control->SendMessage(EM_SETSEL, 0, -1);
  }
  throw CUserException();
}
