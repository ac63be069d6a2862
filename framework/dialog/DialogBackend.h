#pragma once

#include <memory>

#include "framework/CString.h"
#include "framework/FrameworkApi.h"
#include "framework/Types.h"

class CDialog;
class CFileDialog;
class CPictureWindow;

// What shows dialogs to a person: the modal loop, message boxes and the open-file dialog.
// Dialog code never sees which backend runs: the program that shows dialogs installs one.
class FRAMEWORK_API CDialogBackend {
 public:
  virtual ~CDialogBackend();

  // Runs the dialog's modal loop. The dialog's controls exist and OnInitDialog has run; the
  // loop ends once the dialog is ended (a backend that stops early ends it with IDCANCEL).
  virtual void RunModal(CDialog& dialog) = 0;
  // The chosen button (IDOK, IDCANCEL, IDYES, IDNO).
  virtual int MessageBox(const CString& text, const CString& caption, UINT type) = 0;
  // IDOK with the chosen path stored in the dialog, or IDCANCEL.
  virtual int RunFileDialog(CFileDialog& dialog) = 0;
  // A window titled `title` that shows pictures beside the dialogs, or null where this backend
  // shows none (the default). The window must go before the backend does.
  virtual std::unique_ptr<CPictureWindow> OpenPictureWindow(const CString& title);
};

// The backend installed; with none, throws std::logic_error that says so, which fails the dialog,
// message box or file dialog that asked before it shows anything.
FRAMEWORK_API CDialogBackend& AfxGetDialogBackend();
// Installs a backend (null removes it); returns the one it replaces, or null. The backend must
// outlive its use.
FRAMEWORK_API CDialogBackend* AfxSetDialogBackend(CDialogBackend* backend);
