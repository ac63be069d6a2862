#pragma once

#include "framework/CException.h"
#include "framework/FrameworkApi.h"
#include "framework/Types.h"

class CWnd;

// Thrown by CDataExchange::Fail to abandon an exchange; UpdateData catches it. The user has
// already been told why, so it carries no message of its own.
class FRAMEWORK_API CUserException : public CException {};

// One run of a dialog's DoDataExchange: the direction, and the control that the step now
// running works on, which gets the focus when the step fails.
class FRAMEWORK_API CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate);

  // Notes the control of the step that follows; returns it, or null when there is none.
  CWnd* PrepareCtrl(int id);
  // Puts the focus on the prepared control (with its whole text selected for an edit) and
  // abandons the exchange.
  [[noreturn]] void Fail();

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;

 private:
  int m_idLastControl = 0;
};
