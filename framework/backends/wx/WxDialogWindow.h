#pragma once

#include <wx/dialog.h>

#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "framework/backends/headless/HeadlessUser.h"
#include "framework/backends/wx/WxControl.h"
#include "framework/backends/wx/WxFonts.h"
#include "framework/dialog/DialogTemplate.h"

class CDialog;
class wxCloseEvent;
class wxKeyEvent;

// The window of one running dialog: its template laid out in dialog units, one widget per
// control. What the person does to a widget becomes the action the headless backend plays
// (click, choose, select, focus, Enter, Escape, Tab), so both backends send the dialog the same
// notifications; after each action every widget shows its control's state again.
class CWxDialogWindow : public wxDialog {
 public:
  CWxDialogWindow(wxWindow* owner, CDialog& dialog);

  // Shows the window until the dialog ends; rethrows what a handler threw.
  void Run();
  // Makes every widget show its control's state and the focus sit where the dialog put it.
  void Sync();

 private:
  wxRect PixelRect(const DialogRect& rect, double stretch);
  void CreateWidgets();
  void LayOut();
  double HorizontalStretch();
  void AlignListHeaders();
  void BindUserActions(CWxControl& control);
  void OnPress(const CWnd& control);
  void OnFocus(wxWindow* widget);
  void SyncFocusAfterToolkit();
  void OnCharHook(wxKeyEvent& event);
  void OnClose(wxCloseEvent& event);
  // Runs one action of the person, unless the window is busy with another or with showing the
  // dialog's state (the toolkit reports its own changes as events too); then shows the result
  // or, once the dialog ended, closes.
  void Act(const std::function<void()>& action);
  void SyncFocus();
  CWxControl* ControlOf(const CWnd* window);
  CWxControl* ControlOf(const wxWindow* widget);

  CDialog& m_Dialog;
  CHeadlessUser m_User;
  CWxFonts m_Fonts;
  std::vector<std::unique_ptr<CWxControl>> m_Controls;
  int m_nBusy = 0;
  std::exception_ptr m_Failure;
};
