#include "framework/backends/wx/WxBackendEntry.h"

#include <exception>

#include "framework/backends/wx/WxBackend.h"

CDialogBackend* WxOpenBackend(CString& why) {
  if (!CWxBackend::CanOpenDisplay(why)) return nullptr;
  try {
    return new CWxBackend;
  } catch (const std::exception& error) {
    why = error.what();
    return nullptr;
  }
}

void WxCloseBackend(CDialogBackend* backend) { delete backend; }
