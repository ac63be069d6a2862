#include "framework/dialog/DialogBackend.h"

#include "framework/backends/headless/HeadlessBackend.h"

namespace {

CDialogBackend*& CurrentBackend() {
  static CDialogBackend* backend = nullptr;
  return backend;
}

}  // namespace

CDialogBackend::~CDialogBackend() = default;

CDialogBackend& AfxGetDialogBackend() {
  CDialogBackend* backend = CurrentBackend();
  return backend != nullptr ? *backend : CHeadlessBackend::Instance();
}

CDialogBackend* AfxSetDialogBackend(CDialogBackend* backend) {
  CDialogBackend* previous = &AfxGetDialogBackend();
  CurrentBackend() = backend;
  return previous;
}
