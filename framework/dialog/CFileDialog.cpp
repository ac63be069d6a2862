#include "framework/dialog/CFileDialog.h"

#include "framework/dialog/DialogBackend.h"

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd*)
    : m_bOpenFileDialog(openFileDialog),
      m_DefaultExtension(defaultExtension),
      m_PathName(fileName),
      m_Flags(flags),
      m_Filter(filter) {}

INT_PTR CFileDialog::DoModal() { return AfxGetDialogBackend().RunFileDialog(*this); }

CString CFileDialog::GetFileName() const {
  int slash = -1;
  for (int at = m_PathName.Find('/'); at >= 0; at = m_PathName.Find('/', at + 1)) slash = at;
  return m_PathName.Mid(slash + 1);
}
