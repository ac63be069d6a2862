#include "framework/backends/wx/WxMessageBox.h"

#include <wx/msgdlg.h>
#include <wx/generic/msgdlgg.h>

#include "framework/backends/wx/WxText.h"
#include "framework/dialog/WindowMessages.h"

namespace {

long ButtonStyle(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return wxOK | wxCANCEL;
    case MB_YESNO:
      return wxYES_NO;
    case MB_YESNOCANCEL:
      return wxYES_NO | wxCANCEL;
    default:
      return wxOK;
  }
}

long IconStyle(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONSTOP:
      return wxICON_ERROR;
    case MB_ICONQUESTION:
      return wxICON_QUESTION;
    case MB_ICONEXCLAMATION:
      return wxICON_WARNING;
    case MB_ICONINFORMATION:
      return wxICON_INFORMATION;
    default:
      return 0;  // the generic box shows no icon without a flag; it refuses wxICON_NONE
  }
}

int Answer(int toolkitId) {
  switch (toolkitId) {
    case wxID_YES:
      return IDYES;
    case wxID_NO:
      return IDNO;
    case wxID_OK:
      return IDOK;
    default:
      return IDCANCEL;
  }
}

}  // namespace

// The toolkit's own box on GTK leaves its icon out; the generic one shows it beside the text.
int ShowWxMessageBox(wxWindow* owner, const CString& text, const CString& caption, UINT type) {
  wxGenericMessageDialog box(owner, ToWx(text), ToWx(caption), ButtonStyle(type) | IconStyle(type) | wxCENTRE);
  return Answer(box.ShowModal());
}
