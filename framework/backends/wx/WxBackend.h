#pragma once

#include <vector>

#include "framework/CString.h"
#include "framework/backends/wx/WxApi.h"
#include "framework/dialog/DialogBackend.h"

class CWxDialogWindow;
class CWxPictureWindow;
class wxWindow;

// The backend that shows dialogs as real windows, on wxWidgets. A modal run gets a window laid
// out from the dialog's template; what the person does to its widgets reaches the dialog as the
// actions the headless backend plays (CHeadlessUser), and after each action the widgets show the
// controls' state again. Message boxes and the open-file dialog are the toolkit's own.
//
// Install it with AfxSetDialogBackend once CanOpenDisplay said yes.
class FRAMEWORK_WX_API CWxBackend : public CDialogBackend {
 public:
  // Starts the toolkit unless the process runs it already; throws std::runtime_error when it
  // cannot start (no display).
  CWxBackend();
  // Stops the toolkit again if this backend started it.
  ~CWxBackend() override;
  CWxBackend(const CWxBackend&) = delete;
  CWxBackend& operator=(const CWxBackend&) = delete;

  // Whether windows can be shown here; when not, `why` says so in a sentence for the user.
  static bool CanOpenDisplay(CString& why);

  void RunModal(CDialog& dialog) override;
  int MessageBox(const CString& text, const CString& caption, UINT type) override;
  int RunFileDialog(CFileDialog& dialog) override;
  // A window of its own that stands beside the outermost dialog's window once one is open.
  std::unique_ptr<CPictureWindow> OpenPictureWindow(const CString& title) override;

 private:
  // The innermost open window, brought up to date so that it shows what its handler did so far,
  // to own the window that opens next; null when none is open.
  wxWindow* OwnerOfNext();

  bool m_bStartedToolkit = false;
  std::vector<CWxDialogWindow*> m_Open;
  std::vector<CWxPictureWindow*> m_Pictures;
};
