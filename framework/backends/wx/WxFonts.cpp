#include "framework/backends/wx/WxFonts.h"

#include <wx/fontenum.h>
#include <wx/settings.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "framework/CFont.h"
#include "framework/LogFont.h"
#include "framework/dialog/DialogTemplate.h"

namespace {

constexpr const char* kFixedPitchFace = "DejaVu Sans Mono";
// Logical font heights are in pixels of a 96 dots-per-inch screen.
constexpr double kPointsPerPixel = 72.0 / 96.0;

bool IsFixedPitchRequest(const LOGFONT& logFont) {
  if ((logFont.lfPitchAndFamily & 0x03) == FIXED_PITCH || (logFont.lfPitchAndFamily & 0xF0) == FF_MODERN) return true;
  const std::string_view face = logFont.lfFaceName;
  for (std::string_view fixed : {"Courier", "Courier New", "Consolas", "Lucida Console", "Fixedsys", "Terminal"})
    if (face == fixed) return true;
  return false;
}

// The face if this system has it, else the desktop's.
wxString InstalledFace(const wxString& face, const wxFont& desktop) {
  return !face.empty() && wxFontEnumerator::IsValidFacename(face) ? face : desktop.GetFaceName();
}

}  // namespace

CWxFonts::CWxFonts(const DialogTemplate& dialogTemplate) {
  const wxFont desktop = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  const double templatePoints = dialogTemplate.fontPointSize > 0 ? dialogTemplate.fontPointSize : desktop.GetFractionalPointSize();
  const double points = std::max(templatePoints, desktop.GetFractionalPointSize());
  m_Scale = points / templatePoints;
  m_DialogFont = wxFontInfo(points).FaceName(InstalledFace(dialogTemplate.fontName, desktop));
}

wxFont CWxFonts::FontFor(const CFont* font) const {
  LOGFONT logFont{};
  if (font == nullptr || !font->GetLogFont(&logFont)) return m_DialogFont;
  const double points = logFont.lfHeight != 0 ? std::abs(logFont.lfHeight) * kPointsPerPixel * m_Scale
                                              : m_DialogFont.GetFractionalPointSize();
  const wxString face = IsFixedPitchRequest(logFont) ? wxString(kFixedPitchFace)
                                                     : InstalledFace(logFont.lfFaceName, m_DialogFont);
  return wxFontInfo(points)
      .FaceName(face)
      .Bold(logFont.lfWeight >= FW_BOLD)
      .Italic(logFont.lfItalic != 0)
      .Underlined(logFont.lfUnderline != 0);
}
