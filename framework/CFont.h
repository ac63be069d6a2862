#pragma once

#include <optional>

#include "framework/FrameworkApi.h"
#include "framework/LogFont.h"
#include "framework/Types.h"

// Describes a font; a drawing backend realises it when it is first used.
// Not copyable, because a realised font will own a backend resource.
class FRAMEWORK_API CFont {
 public:
  CFont() = default;
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;

  // Stores a copy, with the face name cut to fit and NUL-terminated. FALSE
  // for a null pointer or when the font was already created.
  BOOL CreateFontIndirect(const LOGFONT* logFont);
  // FALSE, leaving *logFont alone, for a null pointer or an uncreated font.
  BOOL GetLogFont(LOGFONT* logFont) const;
  // FALSE when there was nothing to delete; afterwards the font may be
  // created again.
  BOOL DeleteObject();
  bool IsCreated() const;

 private:
  std::optional<LOGFONT> m_LogFont;
};
