#include "framework/dialog/CDialog.h"

#include <algorithm>
#include <vector>

#include "framework/ResourceChain.h"
#include "framework/dialog/CDataExchange.h"
#include "framework/dialog/DialogBackend.h"

namespace {

// Modal runs nest on the one UI thread; the last entry receives the user's input.
std::vector<CDialog*>& RunningDialogs() {
  static std::vector<CDialog*> running;
  return running;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

// The backend decides which window owns a dialog (the innermost running one), so the parent
// given here is not kept.
CDialog::CDialog(UINT templateId, CWnd*) : m_nTemplateId(templateId) {}

CDialog::~CDialog() {
  auto& running = RunningDialogs();
  running.erase(std::remove(running.begin(), running.end(), this), running.end());
}

CDialog* CDialog::GetInnermostRunning() {
  const auto& running = RunningDialogs();
  return running.empty() ? nullptr : running.back();
}

INT_PTR CDialog::DoModal() {
  CDialogBackend& backend = AfxGetDialogBackend();
  m_pTemplate = AfxFindDialogTemplate(m_nTemplateId);
  if (m_pTemplate == nullptr) return -1;
  SetWindowText(m_pTemplate->caption);
  CreateChildren(*m_pTemplate);
  m_bEnded = false;
  m_nResult = IDCANCEL;
  m_pFocus = nullptr;
  m_pPreviousFocus = nullptr;
  RunningDialogs().push_back(this);
  // Ends the run even when a handler or the backend throws, so no dead dialog stays innermost.
  struct RunGuard {
    CDialog& dialog;
    ~RunGuard() {
      auto& running = RunningDialogs();
      running.erase(std::remove(running.begin(), running.end(), &dialog), running.end());
      dialog.m_pFocus = nullptr;
      dialog.m_pPreviousFocus = nullptr;
      dialog.DestroyChildren();
    }
  } guard{*this};
  if (OnInitDialog() && m_pFocus == nullptr) FocusFirstTabStop();
  if (!m_bEnded) backend.RunModal(*this);
  if (!m_bEnded) EndDialog(IDCANCEL);
  return m_nResult;
}

void CDialog::EndDialog(int result) {
  if (m_bEnded) return;
  m_bEnded = true;
  m_nResult = result;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (const CUserException&) {
    return FALSE;
  }
  return TRUE;
}

BOOL CDialog::OnInitDialog() { return UpdateData(FALSE); }

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

CWnd* CDialog::MoveFocus(CWnd* window) {
  CWnd* previous = m_pFocus;
  if (window == previous) return previous;
  m_pPreviousFocus = previous;
  m_pFocus = window;
  if (previous != nullptr && previous->GetKind() == ControlKind::Edit) Notify(previous->GetDlgCtrlID(), EN_KILLFOCUS);
  return previous;
}

void CDialog::Notify(int controlId, WORD code) {
  CWnd* control = GetDlgItem(controlId);
  OnCommand(MAKEWPARAM(static_cast<WORD>(controlId), code), reinterpret_cast<LPARAM>(control));
}

void CDialog::FocusFirstTabStop() {
  for (const auto& child : GetChildren()) {
    if ((child->GetStyle() & WS_TABSTOP) != 0 && child->IsReachable()) {
      MoveFocus(child.get());
      return;
    }
  }
}
