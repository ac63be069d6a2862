#pragma once

#include <wx/string.h>

#include "framework/CString.h"

// Dialog texts are UTF-8; a text that is not is taken byte for byte as Latin-1 rather than lost.
wxString ToWx(const CString& text);
CString FromWx(const wxString& text);
