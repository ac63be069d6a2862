#pragma once

#include "framework/CString.h"
#include "framework/Types.h"

class wxWindow;

// Shows the toolkit's message box with the buttons and the icon of `type` (MB_...) and returns
// the button chosen (IDOK, IDCANCEL, IDYES, IDNO).
int ShowWxMessageBox(wxWindow* owner, const CString& text, const CString& caption, UINT type);
