#pragma once

#include "framework/dialog/CDialog.h"

class CMotionEvent;

// The host's dialogs behind CMotionEvent::ChangeType and Edit. Each works on a copy of the
// event's settings and writes them back only on OK.
class CEventTypeDialog : public CDialog {
 public:
  explicit CEventTypeDialog(int kind);
  int m_Kind;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};

class CEventSettingsDialog : public CDialog {
 public:
  explicit CEventSettingsDialog(const CMotionEvent& event);
  int m_Kind;
  int m_Input;
  int m_Level;
  int m_DelayMs;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

 private:
  // Reads a whole number from an edit; on a bad text tells the user the range and fails.
  int ExchangeWholeNumber(CDataExchange* dx, int id, int value, int min, int max, const char* what);
};
