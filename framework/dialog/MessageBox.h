#pragma once

#include "framework/FrameworkApi.h"
#include "framework/Types.h"
#include "framework/dialog/WindowMessages.h"

// Shows a modal message box through the current dialog backend and returns the button the user
// chose (IDOK, IDCANCEL, IDYES, IDNO). `type` combines the buttons (MB_OK ...) and the icon
// (MB_ICONEXCLAMATION ...).
FRAMEWORK_API int ShowMessageBox(const char* text, const char* caption, UINT type);

// The same with the caption of the dialog that runs innermost, or the application's when none
// runs.
FRAMEWORK_API int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
// The text is the string resource `stringId`, found through the resource chain.
FRAMEWORK_API int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = 0);
