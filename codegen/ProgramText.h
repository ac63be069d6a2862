#pragma once

#include "framework/CString.h"

// Appends each piece in turn, so that a program is written into one buffer without a
// formatted copy of every line.
template <typename... Pieces>
void AppendPieces(CString& code, const Pieces&... pieces) {
  (code += ... += pieces);
}
