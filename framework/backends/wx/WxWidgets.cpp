#include "framework/backends/wx/WxWidgets.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/control.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tokenzr.h>

#include <algorithm>

#include "framework/backends/wx/WxText.h"
#include "framework/dialog/CWnd.h"

namespace {

constexpr DWORD kButtonTypeMask = 0x0F;

long EditStyle(DWORD style) {
  long wxStyle = (style & WS_BORDER) != 0 ? 0 : wxBORDER_NONE;
  if ((style & ES_MULTILINE) != 0) wxStyle |= wxTE_MULTILINE | wxTE_WORDWRAP;
  if ((style & ES_READONLY) != 0) wxStyle |= wxTE_READONLY;
  return wxStyle;
}

wxButton* CreateButton(wxWindow* parent, int id, const wxString& caption, DWORD style) {
  auto* button = new wxButton(parent, id, caption);
  if ((style & kButtonTypeMask) == BS_DEFPUSHBUTTON) button->SetDefault();
  return button;
}

bool IsButtonKind(ControlKind kind) {
  return kind == ControlKind::PushButton || kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

bool IsOneLine(const CWnd& control) {
  switch (control.GetKind()) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return (control.GetStyle() & BS_MULTILINE) == 0;
    case ControlKind::Edit:
      return (control.GetStyle() & ES_MULTILINE) == 0;
    case ControlKind::ComboBox:
      return true;
    default:
      return false;
  }
}

}  // namespace

wxWindow* CreateWidget(wxWindow* parent, const CWnd& control) {
  // The toolkit's IDs stop at 32767; controls without an ID of their own (-1), or with one past
  // that, get one from the toolkit.
  const int id = control.GetDlgCtrlID() > 0 && control.GetDlgCtrlID() < 32767 ? control.GetDlgCtrlID() : wxID_ANY;
  const wxString caption = ToWx(control.GetWindowText());
  const DWORD style = control.GetStyle();
  switch (control.GetKind()) {
    case ControlKind::PushButton:
      return CreateButton(parent, id, caption, style);
    case ControlKind::CheckBox:
      return new wxCheckBox(parent, id, caption);
    case ControlKind::RadioButton:
      return new wxRadioButton(parent, id, caption, wxDefaultPosition, wxDefaultSize,
                               (style & WS_GROUP) != 0 ? wxRB_GROUP : 0);
    case ControlKind::GroupBox:
      return new wxStaticBox(parent, id, caption);
    case ControlKind::Static:
      return new wxStaticText(parent, id, caption, wxDefaultPosition, wxDefaultSize,
                              wxST_NO_AUTORESIZE | ((style & SS_RIGHT) != 0 ? wxALIGN_RIGHT : wxALIGN_LEFT));
    case ControlKind::Edit:
      return new wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize, EditStyle(style));
    case ControlKind::ComboBox:
      return new wxChoice(parent, id);
    case ControlKind::ListBox:
      return new wxListBox(parent, id, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
    case ControlKind::Dialog:
      break;
  }
  return nullptr;
}

int WholeTextWidth(wxWindow& widget, const CWnd& control) {
  if (control.GetKind() == ControlKind::ComboBox) {
    // The list is still empty here, so its natural width says nothing of its items.
    int widest = 0;
    for (const CWnd::Item& item : control.GetItems()) widest = std::max(widest, widget.GetTextExtent(ToWx(item.text)).x);
    return static_cast<wxControl&>(widget).GetSizeFromTextSize(widest).x;
  }
  const bool oneLineCaption =
      control.GetKind() == ControlKind::Static || (IsButtonKind(control.GetKind()) && IsOneLine(control));
  return oneLineCaption ? widget.GetBestSize().x : 0;
}

void PlaceWidget(wxWindow& widget, const CWnd& control, const wxRect& rect) {
  wxRect place = rect;
  // A push button only clips its padding when it is lower than the toolkit would make it.
  if (IsOneLine(control) && control.GetKind() != ControlKind::PushButton) {
    const int natural = widget.GetBestSize().y;
    if (control.GetKind() == ControlKind::ComboBox || natural > rect.height) {
      place.height = natural;
      place.y = rect.y + (rect.height - natural) / 2;
    }
  }
  widget.SetSize(place);
}

namespace {

wxString WrappedCaption(wxWindow& widget, const wxString& caption) {
  // What the widget draws besides its text (a check box's box, a button's padding).
  const int frame = widget.GetBestSize().x - widget.GetTextExtent(wxControl::RemoveMnemonics(widget.GetLabel())).x;
  const int width = std::max(1, widget.GetSize().x - frame);
  wxString wrapped;
  wxString line;
  for (const wxString& word : wxStringTokenize(caption, " ")) {
    const wxString longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && widget.GetTextExtent(wxControl::RemoveMnemonics(longer)).x > width) {
      wrapped << line << "\n";
      line = word;
    } else {
      line = longer;
    }
  }
  return wrapped + line;
}

}  // namespace

wxString CaptionFor(wxWindow& widget, const CWnd& control) {
  const wxString caption = ToWx(control.GetWindowText());
  return IsButtonKind(control.GetKind()) && !IsOneLine(control) ? WrappedCaption(widget, caption) : caption;
}
