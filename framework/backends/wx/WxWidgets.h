#pragma once

#include <wx/gdicmn.h>

class CWnd;
class wxWindow;

// Creates the widget that shows `control` inside `parent`, with the control's ID and caption;
// where it goes is left to PlaceWidget, its states and items to the first synchronisation.
wxWindow* CreateWidget(wxWindow* parent, const CWnd& control);

// The width the widget needs to show its one-line caption whole, or a drop-down list its widest
// item; 0 for a control whose text may wrap or scroll.
int WholeTextWidth(wxWindow& widget, const CWnd& control);

// Puts the widget on `rect` (pixels). A one-line edit, check box or radio button that the
// toolkit cannot make as low as `rect` keeps its own height, centred on the rect's, and a
// drop-down list always has its own.
void PlaceWidget(wxWindow& widget, const CWnd& control, const wxRect& rect);

// The control's text as the widget's caption: a multi-line button or check box breaks it into
// lines that fit the widget's width.
wxString CaptionFor(wxWindow& widget, const CWnd& control);
