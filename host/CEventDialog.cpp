#include "host/CEventDialog.h"

#include <cerrno>
#include <cstdlib>

#include "framework/dialog/CDataExchange.h"
#include "framework/dialog/MessageBox.h"
#include "host/CMotionEvent.h"
#include "host/HostDialogs.h"

CEventTypeDialog::CEventTypeDialog(int kind) : CDialog(IDD_HOST_EVENT_TYPE), m_Kind(kind) {}

void CEventTypeDialog::DoDataExchange(CDataExchange* dx) {
  CWnd* combo = dx->PrepareCtrl(IDC_EVENT_KIND);
  if (combo == nullptr) return;
  if (!dx->m_bSaveAndValidate)
    combo->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(m_Kind));
  else if (combo->GetCurSel() >= 0)
    m_Kind = combo->GetCurSel();
}

CEventSettingsDialog::CEventSettingsDialog(const CMotionEvent& event)
    : CDialog(IDD_HOST_EVENT_SETTINGS),
      m_Kind(event.GetKind()),
      m_Input(event.GetInput()),
      m_Level(event.GetLevel()),
      m_DelayMs(event.GetDelayMs()) {}

BOOL CEventSettingsDialog::OnInitDialog() {
  const bool input = m_Kind == CMotionEvent::EK_INPUT;
  for (int id : {IDC_EVENT_INPUT_LABEL, IDC_EVENT_INPUT, IDC_EVENT_LEVEL_LABEL, IDC_EVENT_LEVEL})
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(input ? SW_SHOW : SW_HIDE);
  for (int id : {IDC_EVENT_DELAY_LABEL, IDC_EVENT_DELAY})
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(input ? SW_HIDE : SW_SHOW);
  return CDialog::OnInitDialog();
}

int CEventSettingsDialog::ExchangeWholeNumber(CDataExchange* dx, int id, int value, int min, int max,
                                              const char* what) {
  CWnd* edit = dx->PrepareCtrl(id);
  if (edit == nullptr) return value;
  if (!dx->m_bSaveAndValidate) {
    CString text;
    text.Format("%d", value);
    edit->SetWindowText(text);
    return value;
  }
  const CString text = edit->GetWindowText();
  char* end = nullptr;
  errno = 0;
  const long number = std::strtol(text.GetString(), &end, 10);
  if (text.IsEmpty() || *end != '\0' || errno != 0 || number < min || number > max) {
    CString message;
    message.Format("The %s must be a whole number from %d to %d.", what, min, max);
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    dx->Fail();
  }
  return static_cast<int>(number);
}

void CEventSettingsDialog::DoDataExchange(CDataExchange* dx) {
  if (m_Kind == CMotionEvent::EK_INPUT) {
    m_Input = ExchangeWholeNumber(dx, IDC_EVENT_INPUT, m_Input, 1, CMotionEvent::kMaxInput, "digital input");
    if (CWnd* level = dx->PrepareCtrl(IDC_EVENT_LEVEL)) {
      if (!dx->m_bSaveAndValidate)
        level->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(m_Level));
      else if (level->GetCurSel() >= 0)
        m_Level = level->GetCurSel();
    }
  } else {
    m_DelayMs = ExchangeWholeNumber(dx, IDC_EVENT_DELAY, m_DelayMs, 1, CMotionEvent::kMaxDelayMs, "delay");
  }
}
