#pragma once

#include <memory>
#include <vector>

#include "framework/CString.h"
#include "framework/FrameworkApi.h"
#include "framework/dialog/CDC.h"
#include "framework/dialog/ControlStyle.h"
#include "framework/dialog/DialogTemplate.h"
#include "framework/dialog/MessageMap.h"
#include "framework/dialog/WindowMessages.h"

class CFont;
class CDialog;

// A window: a dialog or one of its controls. It keeps everything a person can see of it (text,
// check, enabled and visible state, items and selection, font) and answers the control messages
// of its kind; a backend that shows the window reads that state.
//
// IDs, indices and pointers are never trusted: a message with an index out of range answers
// LB_ERR / CB_ERR and changes nothing, and the helpers that take a control ID skip an ID that
// names no control.
class FRAMEWORK_API CWnd {
 public:
  struct Item {
    CString text;
    DWORD_PTR data = 0;
  };

  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  int GetDlgCtrlID() const { return m_nID; }
  ControlKind GetKind() const { return m_Kind; }
  DWORD GetStyle() const { return m_Style; }
  const DialogRect& GetRect() const { return m_Rect; }
  CWnd* GetParent() const { return m_pParent; }

  void SetWindowText(const char* text);
  CString GetWindowText() const { return m_Text; }
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const { return m_bEnabled; }
  BOOL ShowWindow(int showCommand);
  BOOL IsWindowVisible() const { return m_bVisible; }
  int GetCheck() const { return m_nCheck; }
  void SetCheck(int check);
  const std::vector<Item>& GetItems() const { return m_Items; }
  // Changes whenever an item is added or removed, so a backend that shows the items can tell in
  // constant time that they are as it last showed them.
  unsigned GetItemsRevision() const { return m_nItemsRevision; }
  int GetCurSel() const { return m_nCurSel; }
  const CFont* GetFont() const { return m_pFont; }
  // Whether a person can reach the control with the mouse or the Tab key.
  bool IsReachable() const { return m_bVisible && m_bEnabled; }

  // Gives this window the keyboard focus within its dialog; returns the window that had it.
  CWnd* SetFocus();
  // The window with the keyboard focus in the dialog that runs innermost, or null.
  static CWnd* GetFocus();

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // The child control with this ID, or null.
  CWnd* GetDlgItem(int id) const;
  const std::vector<std::unique_ptr<CWnd>>& GetChildren() const { return m_Children; }
  void SetDlgItemText(int id, const char* text);
  int GetDlgItemText(int id, CString& text) const;
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;
  // Checks `checkId` and clears the other radio buttons from firstId to lastId.
  void CheckRadioButton(int firstId, int lastId, int checkId);
  // The first checked radio button from firstId to lastId, or 0.
  int GetCheckedRadioButton(int firstId, int lastId) const;

  int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);
  CDC* GetDC();
  int ReleaseDC(CDC* dc);

  // Routes a WM_COMMAND notification through the message map; FALSE when no entry takes it.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;

  void CreateChildren(const DialogTemplate& dialogTemplate);
  void DestroyChildren();
  // The dialog this window belongs to (itself for a dialog).
  CDialog* OwningDialog();

 private:
  void InitializeFromTemplate(const DialogControlTemplate& control, CWnd* parent);
  LRESULT SendButtonMessage(UINT message, WPARAM wParam);
  LRESULT SendEditMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT SendListMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT InsertItem(int index, const char* text);
  LRESULT SelectItem(int index);
  bool IsItemIndex(WPARAM index) const { return index < m_Items.size(); }

  int m_nID = 0;
  ControlKind m_Kind = ControlKind::Dialog;
  DWORD m_Style = 0;
  DialogRect m_Rect;
  CWnd* m_pParent = nullptr;
  CString m_Text;
  bool m_bEnabled = true;
  bool m_bVisible = true;
  int m_nCheck = BST_UNCHECKED;
  std::vector<Item> m_Items;
  unsigned m_nItemsRevision = 0;
  int m_nCurSel = -1;
  int m_nSelStart = 0;
  int m_nSelEnd = 0;
  const CFont* m_pFont = nullptr;
  CDC m_DC;
  std::vector<std::unique_ptr<CWnd>> m_Children;
};
