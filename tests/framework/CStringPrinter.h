#pragma once

#include <ostream>
#include <string_view>

#include "framework/CString.h"

// Lets failing assertions show the text, embedded NULs included, rather than
// the address the implicit conversion would print.
inline void PrintTo(const CString& text, std::ostream* out) {
  *out << '"' << std::string_view(text.GetString(), static_cast<std::size_t>(text.GetLength())) << '"';
}
