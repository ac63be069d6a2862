#pragma once

#include "framework/CString.h"
#include "framework/FrameworkApi.h"
#include "framework/Types.h"
#include "framework/dialog/WindowMessages.h"

class CWnd;

// The open-file (or save-file) dialog. The filter is the usual text of pairs separated by '|'
// and ended by "||", such as "Text files (*.txt)|*.txt|All files (*.*)|*.*||".
class FRAMEWORK_API CFileDialog {
 public:
  CFileDialog(BOOL openFileDialog, const char* defaultExtension = nullptr, const char* fileName = nullptr,
              DWORD flags = 0, const char* filter = nullptr, CWnd* parent = nullptr);

  // IDOK once the user chose a file, else IDCANCEL.
  virtual INT_PTR DoModal();

  CString GetPathName() const { return m_PathName; }
  CString GetFileName() const;
  BOOL IsOpenFileDialog() const { return m_bOpenFileDialog; }
  const CString& GetFilter() const { return m_Filter; }
  const CString& GetDefaultExtension() const { return m_DefaultExtension; }
  DWORD GetFlags() const { return m_Flags; }
  // The backend stores the user's choice here.
  void SetPathName(const char* path) { m_PathName = path; }

 private:
  BOOL m_bOpenFileDialog;
  CString m_DefaultExtension;
  CString m_PathName;
  DWORD m_Flags;
  CString m_Filter;
};

constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
