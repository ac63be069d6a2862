#pragma once

#include "framework/CString.h"
#include "framework/backends/wx/WxApi.h"
#include "framework/dialog/DialogBackend.h"

// For a program that loads this library only when it is to show a window, so that its other
// runs never map the toolkit: unmangled names to look up, and nothing that throws.
extern "C" {

// A new window backend, or null with the reason a person reads when no window can be shown.
FRAMEWORK_WX_API CDialogBackend* WxOpenBackend(CString& why);
using WxOpenBackendFn = CDialogBackend* (*)(CString& why);

FRAMEWORK_WX_API void WxCloseBackend(CDialogBackend* backend);
using WxCloseBackendFn = void (*)(CDialogBackend* backend);

}
