#include "framework/CFont.h"

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont) {
  if (!logFont || IsCreated()) return FALSE;
  m_LogFont = *logFont;
  m_LogFont->lfFaceName[sizeof m_LogFont->lfFaceName - 1] = '\0';
  return TRUE;
}

BOOL CFont::GetLogFont(LOGFONT* logFont) const {
  if (!logFont || !IsCreated()) return FALSE;
  *logFont = *m_LogFont;
  return TRUE;
}

BOOL CFont::DeleteObject() {
  if (!IsCreated()) return FALSE;
  m_LogFont.reset();
  return TRUE;
}

bool CFont::IsCreated() const { return m_LogFont.has_value(); }
