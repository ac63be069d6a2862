#include "framework/backends/wx/WxText.h"

wxString ToWx(const CString& text) {
  const wxString utf8 = wxString::FromUTF8(text.GetString(), static_cast<size_t>(text.GetLength()));
  if (!utf8.empty() || text.IsEmpty()) return utf8;
  return wxString(text.GetString(), wxConvISO8859_1, static_cast<size_t>(text.GetLength()));
}

CString FromWx(const wxString& text) { return CString(text.utf8_str().data()); }
