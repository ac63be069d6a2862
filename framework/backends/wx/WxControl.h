#pragma once

#include <vector>

#include "framework/CString.h"

class CFont;
class CWnd;
class CWxFonts;
class wxWindow;

// One control of a running dialog and the widget that shows it. Sync makes the widget show the
// control's state; what the person types into an edit goes the other way with TakeTypedText.
//
// Texts, the font, the items and an edit's selection are pushed only when the control's differ
// from what the widget was last given, so a caret the person moved stays put and an unchanged
// list costs nothing; checks, selections, visibility and enabling are compared with the widget
// itself, so a widget that changed itself (a click on a check box that is not automatic) is
// set back.
class CWxControl {
 public:
  CWxControl(CWnd& control, wxWindow* widget) : m_Control(control), m_pWidget(widget) {}

  CWnd& Control() const { return m_Control; }
  wxWindow* Widget() const { return m_pWidget; }

  void Sync(const CWxFonts& fonts);
  // The person typed into the edit: the control takes its text and caret.
  void TakeTypedText();

 private:
  void SyncFont(const CWxFonts& fonts);
  // Whether the text changed.
  bool SyncText();
  void SyncCheck();
  void SyncItems();
  void SyncSelection(bool itemsChanged);
  void SyncEditSelection(bool textChanged);
  long EditSelection();

  CWnd& m_Control;
  wxWindow* m_pWidget;
  bool m_bSynced = false;
  const CFont* m_pShownFont = nullptr;
  CString m_ShownText;
  long m_nShownEditSelection = -1;
  unsigned m_nShownItemsRevision = 0;
  std::vector<CString> m_ShownItems;
};
