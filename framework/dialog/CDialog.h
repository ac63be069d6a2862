#pragma once

#include "framework/FrameworkApi.h"
#include "framework/dialog/CWnd.h"

class CDataExchange;

// A modal dialog built from a template in the resource chain. DoModal creates the controls,
// calls OnInitDialog, hands the dialog to the current backend until EndDialog is called, and
// destroys the controls again.
//
// Dialogs may nest: a dialog run from a handler of another is the innermost running one until
// it ends, and only it receives the user's input.
class FRAMEWORK_API CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // IDOK or IDCANCEL as EndDialog gave it; -1 when the template is not in the resource chain.
  virtual INT_PTR DoModal();
  void EndDialog(int result);
  bool IsEnded() const { return m_bEnded; }
  // The code EndDialog gave, once the dialog has ended.
  int GetModalResult() const { return m_nResult; }

  // Runs DoDataExchange in one direction; FALSE when an exchange step failed (it showed its
  // message and put the focus on the offending control).
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  UINT GetTemplateId() const { return m_nTemplateId; }
  const DialogTemplate* GetTemplate() const { return m_pTemplate; }
  CWnd* GetFocusedWindow() const { return m_pFocus; }
  // The window that had the focus before the focused one: what a person was working in when
  // a click on a button took the focus.
  CWnd* GetPreviousFocus() const { return m_pPreviousFocus; }
  // Moves the focus to `window` (a child, or null for none), sending the kill-focus notification
  // of the edit that loses it. Returns the window that had the focus.
  CWnd* MoveFocus(CWnd* window);
  // Hands a WM_COMMAND notification from a control to the dialog, as a user's action does.
  void Notify(int controlId, WORD code);

  static CDialog* GetInnermostRunning();

 protected:
  virtual void DoDataExchange(CDataExchange* dx);

  DECLARE_MESSAGE_MAP()

 private:
  void FocusFirstTabStop();

  UINT m_nTemplateId;
  const DialogTemplate* m_pTemplate = nullptr;
  CWnd* m_pFocus = nullptr;
  CWnd* m_pPreviousFocus = nullptr;
  bool m_bEnded = false;
  int m_nResult = IDCANCEL;
};
