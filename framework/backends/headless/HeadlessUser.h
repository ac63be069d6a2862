#pragma once

#include <utility>
#include <vector>

#include "framework/CString.h"
#include "framework/FrameworkApi.h"
#include "framework/Types.h"

class CDialog;
class CWnd;

// Plays a person at one running dialog: every action goes through the dialog's controls and
// notifications as the mouse or keyboard would, and every reader returns what a person sees.
//
// An action on a control that is missing, hidden or disabled does nothing and returns false, as
// a person cannot reach such a control; so does any action once the dialog has ended.
class FRAMEWORK_API CHeadlessUser {
 public:
  explicit CHeadlessUser(CDialog& dialog) : m_Dialog(dialog) {}

  bool Focus(int id);
  // Moves the focus to the edit and replaces its whole text, as typing over a selection does.
  bool Type(int id, const char* text);
  // Focuses the control and clicks it: an auto check box toggles, an auto radio button becomes
  // the checked one of its group; then the clicked notification goes to the dialog.
  bool Click(int id);
  // Clicks the check box only when its state differs from `checked`.
  bool SetCheck(int id, bool checked);
  // Picks a combo item and sends the selection-ended notification.
  bool Choose(int id, int index);
  // Selects a list row and sends the selection-change notification.
  bool SelectRow(int id, int index);
  // Enter clicks a focused push button, and otherwise the default button (OK) with the focus
  // left where it is. Escape cancels. Tab moves the focus to the next reachable tab stop,
  // Shift+Tab (`backwards`) to the previous one; a group of radio buttons is one stop, at its
  // checked button (the first, when none is).
  bool PressEnter();
  bool PressEscape();
  bool PressTab(bool backwards = false);
  // Alt and a letter: the reachable control whose caption marks that letter with "&" acts. A
  // label (static text or group box) moves the focus to the next reachable tab stop after it; a
  // button, check box or radio button is clicked. False when no control has that mnemonic.
  bool PressMnemonic(char letter);

  bool IsEnded() const;
  CWnd* Control(int id) const;
  CString Text(int id) const;
  bool IsEnabled(int id) const;
  bool IsVisible(int id) const;
  int Check(int id) const;
  // The items of a combo box or the rows of a list box.
  std::vector<CString> Items(int id) const;
  int Selection(int id) const;
  // The focused control's ID, or 0.
  int FocusedId() const;
  CDialog& Dialog() const { return m_Dialog; }

 private:
  CWnd* Reachable(int id) const;
  void ClickButton(CWnd& control);
  size_t IndexOf(const CWnd* control) const;
  // The children [first, end) of the radio group around child `at`: from the last one that
  // starts a group up to the next that does.
  std::pair<size_t, size_t> GroupAround(size_t at) const;
  bool IsTabStop(size_t at) const;
  bool FocusNextTabStop(size_t start, bool backwards);

  CDialog& m_Dialog;
};
