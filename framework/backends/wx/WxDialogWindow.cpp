#include "framework/backends/wx/WxDialogWindow.h"

#include <algorithm>

#include "framework/backends/wx/WxText.h"
#include "framework/backends/wx/WxWidgets.h"
#include "framework/dialog/CDialog.h"

namespace {

// Where the text of a list's rows starts, right of the list's left edge: its frame and the
// padding of its cells in the toolkit's default theme, measured on a screenshot.
constexpr int kListTextInset = 5;
// In the layout that dialog units come from, a closed drop-down list is this high; the template
// gives the height of the opened list instead.
constexpr int kClosedComboHeight = 13;
// The window may grow this much wider so that captions fit, and no more.
constexpr double kMostStretch = 1.5;

long FrameStyle(DWORD style) {
  return wxCAPTION | ((style & WS_SYSMENU) != 0 ? wxSYSTEM_MENU | wxCLOSE_BOX : 0);
}

DialogRect LayoutRect(const CWnd& control) {
  DialogRect rect = control.GetRect();
  if (control.GetKind() == ControlKind::ComboBox) rect.height = kClosedComboHeight;
  return rect;
}

class BusyScope {
 public:
  explicit BusyScope(int& depth) : m_Depth(depth) { ++m_Depth; }
  ~BusyScope() { --m_Depth; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  int& m_Depth;
};

}  // namespace

CWxDialogWindow::CWxDialogWindow(wxWindow* owner, CDialog& dialog)
    : wxDialog(owner, wxID_ANY, ToWx(dialog.GetWindowText()), wxDefaultPosition, wxDefaultSize,
               FrameStyle(dialog.GetTemplate()->style)),
      m_Dialog(dialog),
      m_User(dialog),
      m_Fonts(*dialog.GetTemplate()) {
  SetFont(m_Fonts.DialogFont());
  CreateWidgets();
  LayOut();
  Bind(wxEVT_CHAR_HOOK, &CWxDialogWindow::OnCharHook, this);
  Bind(wxEVT_CLOSE_WINDOW, &CWxDialogWindow::OnClose, this);
  CentreOnParent();
}

void CWxDialogWindow::Run() {
  Sync();
  // The focus can go to a widget only once the window is on screen.
  CallAfter([this] { Sync(); });
  ShowModal();
  if (m_Failure) std::rethrow_exception(m_Failure);
}

void CWxDialogWindow::Sync() {
  BusyScope busy(m_nBusy);
  for (const auto& control : m_Controls) control->Sync(m_Fonts);
  SyncFocus();
}

wxRect CWxDialogWindow::PixelRect(const DialogRect& rect, double stretch) {
  const wxPoint at = ConvertDialogToPixels(wxPoint(rect.x, rect.y));
  const wxSize size = ConvertDialogToPixels(wxSize(rect.width, rect.height));
  return {wxRound(at.x * stretch), at.y, wxRound(size.x * stretch), size.y};
}

void CWxDialogWindow::CreateWidgets() {
  for (const auto& child : m_Dialog.GetChildren()) {
    wxWindow* widget = CreateWidget(this, *child);
    if (widget == nullptr) continue;
    widget->SetFont(m_Fonts.FontFor(child->GetFont()));
    m_Controls.push_back(std::make_unique<CWxControl>(*child, widget));
    BindUserActions(*m_Controls.back());
  }
}

void CWxDialogWindow::LayOut() {
  const double stretch = HorizontalStretch();
  m_Fonts.Widen(stretch);
  for (const auto& control : m_Controls)
    PlaceWidget(*control->Widget(), control->Control(), PixelRect(LayoutRect(control->Control()), stretch));
  SetClientSize(PixelRect(m_Dialog.GetTemplate()->rect, stretch).GetSize());
  AlignListHeaders();
}

// Captions and items come out wider in this system's fonts than in those the template was drawn
// for, in proportion to the dialog units; the window grows wider until every one-line caption
// and every drop-down list's widest item fits.
double CWxDialogWindow::HorizontalStretch() {
  double stretch = 1.0;
  for (const auto& control : m_Controls) {
    const int needed = WholeTextWidth(*control->Widget(), control->Control());
    const int available = ConvertDialogToPixels(wxSize(control->Control().GetRect().width, 0)).x;
    if (needed > 0 && available > 0) stretch = std::max(stretch, static_cast<double>(needed) / available);
  }
  return std::min(stretch, kMostStretch);
}

// A static text that shares its font with a list box heads the list's columns: its text starts
// where the text of the rows does.
void CWxDialogWindow::AlignListHeaders() {
  for (const auto& header : m_Controls) {
    const CWnd& label = header->Control();
    if (label.GetKind() != ControlKind::Static || label.GetFont() == nullptr) continue;
    for (const auto& list : m_Controls)
      if (list->Control().GetKind() == ControlKind::ListBox && list->Control().GetFont() == label.GetFont())
        header->Widget()->Move(list->Widget()->GetPosition().x + kListTextInset, header->Widget()->GetPosition().y);
  }
}

void CWxDialogWindow::BindUserActions(CWxControl& control) {
  CWnd& window = control.Control();
  const int id = window.GetDlgCtrlID();
  wxWindow* widget = control.Widget();
  const auto click = [this, id](wxCommandEvent&) { Act([this, id] { m_User.Click(id); }); };
  widget->Bind(wxEVT_LEFT_DOWN, [this, &window](wxMouseEvent& event) {
    event.Skip();
    OnPress(window);
  });
  widget->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
    event.Skip();
    CallAfter([this] { SyncFocusAfterToolkit(); });
  });
  widget->Bind(wxEVT_SET_FOCUS, [this, widget](wxFocusEvent& event) {
    event.Skip();
    OnFocus(widget);
  });
  switch (window.GetKind()) {
    case ControlKind::PushButton:
      widget->Bind(wxEVT_BUTTON, click);
      break;
    case ControlKind::CheckBox:
      widget->Bind(wxEVT_CHECKBOX, click);
      break;
    case ControlKind::RadioButton:
      widget->Bind(wxEVT_RADIOBUTTON, click);
      break;
    case ControlKind::ComboBox:
      widget->Bind(wxEVT_CHOICE, [this, id](wxCommandEvent& event) {
        const int index = event.GetSelection();
        Act([this, id, index] { m_User.Choose(id, index); });
      });
      break;
    case ControlKind::ListBox:
      // The toolkit also reports the current row again of its own accord (when the list gets
      // the focus): only a row other than the current one is the person's selection.
      widget->Bind(wxEVT_LISTBOX, [this, id, &window](wxCommandEvent& event) {
        const int row = event.GetSelection();
        Act([this, id, row, &window] {
          if (row >= 0 && row != window.GetCurSel()) m_User.SelectRow(id, row);
        });
      });
      break;
    case ControlKind::Edit:
      widget->Bind(wxEVT_TEXT, [this, &control](wxCommandEvent&) {
        if (m_nBusy == 0) control.TakeTypedText();
      });
      break;
    default:
      break;
  }
}

// The focus is the dialog's: a press of the mouse button on a control gives it the focus at
// once, before the toolkit reports what the click does (a list, say, reports its new row before
// it takes the focus), so that a handler of the click can move the focus on.
void CWxDialogWindow::OnPress(const CWnd& control) {
  if (control.GetKind() == ControlKind::Static || control.GetKind() == ControlKind::GroupBox) return;
  if (&control == m_Dialog.GetFocusedWindow()) return;
  const int id = control.GetDlgCtrlID();
  Act([this, id] { m_User.Focus(id); });
}

// The toolkit's own moves of the focus (to the first widget when the window becomes active, to a
// list that takes it when clicked, back to a button when a message box closes) are undone once
// the toolkit is done with the event.
void CWxDialogWindow::OnFocus(wxWindow* widget) {
  const CWxControl* control = ControlOf(widget);
  if (control == nullptr || &control->Control() == m_Dialog.GetFocusedWindow()) return;
  CallAfter([this] { SyncFocusAfterToolkit(); });
}

void CWxDialogWindow::SyncFocusAfterToolkit() {
  BusyScope busy(m_nBusy);
  SyncFocus();
}

// The toolkit's own handling of these keys differs from the dialog's (Enter would toggle a
// focused check box or open a focused drop-down list, a label's mnemonic would do nothing), so
// the dialog takes them first.
void CWxDialogWindow::OnCharHook(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
    Act([this] { m_User.PressEnter(); });
  } else if (key == WXK_ESCAPE) {
    Act([this] { m_User.PressEscape(); });
  } else if (key == WXK_TAB && !event.ControlDown() && !event.AltDown()) {
    const bool backwards = event.ShiftDown();
    Act([this, backwards] { m_User.PressTab(backwards); });
  } else if (event.GetModifiers() == wxMOD_ALT && key > 0 && key < 128) {
    bool handled = false;
    Act([this, key, &handled] { handled = m_User.PressMnemonic(static_cast<char>(key)); });
    if (!handled) event.Skip();
  } else {
    event.Skip();
  }
}

// The close box is Escape; the dialog decides whether it ends.
void CWxDialogWindow::OnClose(wxCloseEvent& event) {
  Act([this] { m_User.PressEscape(); });
  if (!m_Dialog.IsEnded() && !m_Failure && event.CanVeto()) event.Veto();
}

void CWxDialogWindow::Act(const std::function<void()>& action) {
  if (m_nBusy > 0 || m_Failure || m_Dialog.IsEnded()) return;
  {
    BusyScope busy(m_nBusy);
    try {
      action();
    } catch (...) {
      m_Failure = std::current_exception();
    }
  }
  if (m_Failure || m_Dialog.IsEnded()) {
    if (IsModal()) EndModal(wxID_CANCEL);  // the dialog keeps its own result
    return;
  }
  Sync();
}

// A list box that gets the focus selects a row of its own accord (the first, when none is), so
// the control is shown again afterwards.
void CWxDialogWindow::SyncFocus() {
  CWxControl* focused = ControlOf(m_Dialog.GetFocusedWindow());
  if (focused == nullptr || !IsShown()) return;
  wxWindow* widget = focused->Widget();
  if (wxWindow::FindFocus() == widget || !widget->IsShown() || !widget->IsThisEnabled()) return;
  widget->SetFocus();
  focused->Sync(m_Fonts);
}

CWxControl* CWxDialogWindow::ControlOf(const CWnd* window) {
  for (const auto& control : m_Controls)
    if (&control->Control() == window) return control.get();
  return nullptr;
}

CWxControl* CWxDialogWindow::ControlOf(const wxWindow* widget) {
  for (const auto& control : m_Controls)
    if (control->Widget() == widget) return control.get();
  return nullptr;
}
