#include "framework/CFont.h"

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont) {
  if (!logFont || IsCreated()) return FALSE;
  m_logFont = *logFont;
  m_logFont->lfFaceName[sizeof m_logFont->lfFaceName - 1] = '\0';
  return TRUE;
}

BOOL CFont::GetLogFont(LOGFONT* logFont) const {
  if (!logFont || !IsCreated()) return FALSE;
  *logFont = *m_logFont;
  return TRUE;
}

BOOL CFont::DeleteObject() {
  if (!IsCreated()) return FALSE;
  m_logFont.reset();
  return TRUE;
}

bool CFont::IsCreated() const { return m_logFont.has_value(); }
