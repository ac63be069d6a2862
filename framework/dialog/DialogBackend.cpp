#include "framework/dialog/DialogBackend.h"

#include <stdexcept>

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
  if (backend == nullptr)
    throw std::logic_error("no dialog backend is installed, so no dialog can be shown; the program must install one");
  return *backend;
}

CDialogBackend* AfxSetDialogBackend(CDialogBackend* backend) {
  CDialogBackend* previous = CurrentBackend();
  CurrentBackend() = backend;
  return previous;
}
