#pragma once

#include <string>
#include <string_view>

// A text from a file for a message: in quotes, at most its first 40 characters ("..." marks the
// rest), and every byte that is no printable ASCII shown by its code ("\x1B"), so that neither a
// long line nor control characters reach the terminal.
inline std::string QuotedText(std::string_view text) {
  constexpr size_t kLongest = 40;
  constexpr const char* kDigits = "0123456789ABCDEF";
  std::string quoted = "\"";
  for (const char c : text.substr(0, kLongest)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= ' ' && byte <= '~')
      quoted += c;
    else
      quoted.append("\\x").append(1, kDigits[byte >> 4]).append(1, kDigits[byte & 0xF]);
  }
  return quoted + (text.size() > kLongest ? "...\"" : "\"");
}
