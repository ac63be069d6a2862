#pragma once

#include "framework/Types.h"

struct LOGFONT {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  char lfFaceName[32];
};

// lfPitchAndFamily: the pitch in the low bits, the family in the high ones.
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE FF_MODERN = 0x30;
// lfWeight
constexpr LONG FW_BOLD = 700;
