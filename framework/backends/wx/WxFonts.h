#pragma once

#include <wx/font.h>

class CFont;
struct DialogTemplate;

// The fonts of one dialog window. The dialog's font is the template's, but never smaller than
// the desktop's: the toolkit sizes its controls for the desktop's font, and the dialog units
// that place them follow the dialog's font, so a smaller one makes the controls overlap. Fonts
// that the dialog gives its controls grow by the same factor, so they keep their proportions.
//
// When the window is laid out wider than its dialog units say (captions need more room in this
// system's fonts), those fonts grow with it, so that they fill their controls as designed.
class CWxFonts {
 public:
  explicit CWxFonts(const DialogTemplate& dialogTemplate);

  void Widen(double stretch) { m_Scale *= stretch; }
  const wxFont& DialogFont() const { return m_DialogFont; }
  // The font that shows `font`; the dialog's for null or an uncreated font. A fixed-pitch
  // request gets the fixed-pitch face every system here has, so columns line up and look the
  // same on every machine.
  wxFont FontFor(const CFont* font) const;

 private:
  wxFont m_DialogFont;
  double m_Scale = 1.0;
};
