#include "framework/dialog/DialogBackend.h"

#include "framework/backends/headless/HeadlessBackend.h"
#include "framework/dialog/Picture.h"

namespace {

CDialogBackend*& CurrentBackend() {
  static CDialogBackend* backend = nullptr;
  return backend;
}

}  // namespace

CDialogBackend::~CDialogBackend() = default;

std::unique_ptr<CPictureWindow> CDialogBackend::OpenPictureWindow(const CString&) { return nullptr; }

CDialogBackend& AfxGetDialogBackend() {
  CDialogBackend* backend = CurrentBackend();
  return backend != nullptr ? *backend : CHeadlessBackend::Instance();
}

CDialogBackend* AfxSetDialogBackend(CDialogBackend* backend) {
  CDialogBackend* previous = &AfxGetDialogBackend();
  CurrentBackend() = backend;
  return previous;
}
