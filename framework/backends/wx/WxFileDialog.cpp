#include "framework/backends/wx/WxFileDialog.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/tokenzr.h>

#include "framework/backends/wx/WxText.h"
#include "framework/dialog/CFileDialog.h"

namespace {

// The filter's pairs of description and patterns, separated by '|' and ended by "||", are the
// toolkit's wildcard too once the end is cut; only "*.*" must become "*", which on this system
// also matches names without a dot.
wxString Wildcard(const CString& filter) {
  wxArrayString parts = wxStringTokenize(ToWx(filter), "|", wxTOKEN_RET_EMPTY_ALL);
  while (!parts.empty() && parts.back().empty()) parts.pop_back();
  if (parts.size() % 2 != 0) parts.pop_back();
  if (parts.empty()) return wxFileSelectorDefaultWildcardStr;
  wxString wildcard;
  for (size_t i = 0; i < parts.size(); i += 2) {
    wxString patterns = parts[i + 1];
    patterns.Replace("*.*", "*");
    wildcard << (i > 0 ? "|" : "") << parts[i] << "|" << patterns;
  }
  return wildcard;
}

long Style(const CFileDialog& dialog) {
  if (!dialog.IsOpenFileDialog()) return wxFD_SAVE | wxFD_OVERWRITE_PROMPT;
  return wxFD_OPEN | ((dialog.GetFlags() & OFN_FILEMUSTEXIST) != 0 ? wxFD_FILE_MUST_EXIST : 0);
}

}  // namespace

int RunWxFileDialog(wxWindow* owner, CFileDialog& dialog) {
  const wxFileName start(ToWx(dialog.GetPathName()));
  wxFileDialog chooser(owner, wxFileSelectorPromptStr, start.GetPath(), start.GetFullName(),
                       Wildcard(dialog.GetFilter()), Style(dialog));
  if (chooser.ShowModal() != wxID_OK) return IDCANCEL;
  dialog.SetPathName(FromWx(chooser.GetPath()));
  return IDOK;
}
