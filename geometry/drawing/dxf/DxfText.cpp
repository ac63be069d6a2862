#include "geometry/drawing/dxf/DxfText.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <utility>

namespace geometry {

namespace {

const iconv_t kClosed = reinterpret_cast<iconv_t>(-1);

// The C library's name of a code page as DXF names it: ANSI_1252 and DOS850 are CP1252 and
// CP850, ISO8859-1 is ISO-8859-1; others (BIG5, GB2312, MACINTOSH) are named alike.
std::string IconvName(std::string codePage) {
  std::transform(codePage.begin(), codePage.end(), codePage.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  for (const std::string_view prefix : {"ANSI_", "DOS"})
    if (codePage.starts_with(prefix)) return "CP" + codePage.substr(prefix.size());
  if (codePage.starts_with("ISO8859-")) return "ISO-8859-" + codePage.substr(8);
  if (codePage == "KSC5601") return "EUC-KR";
  return codePage;
}

void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// \U+XXXX, four hexadecimal digits, as the character they name.
std::string WithUnicodeEscapes(std::string_view text) {
  std::string result;
  for (size_t at = 0; at < text.size();) {
    unsigned code = 0;
    if (text.substr(at, 3) == "\\U+" && text.size() - at >= 7) {
      const char* digits = text.data() + at + 3;
      const auto [end, fault] = std::from_chars(digits, digits + 4, code, 16);
      if (fault == std::errc() && end == digits + 4 && code != 0 && (code < 0xD800 || code > 0xDFFF)) {
        AppendUtf8(result, code);
        at += 7;
        continue;
      }
    }
    result += text[at++];
  }
  return result;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

DxfText::~DxfText() {
  if (m_Converter != kClosed) iconv_close(m_Converter);
}

void DxfText::SetVersion(std::string_view version) { m_Version = version; }

void DxfText::SetCodePage(std::string_view codePage) {
  if (codePage.empty()) return;
  m_CodePage = codePage;
  if (m_Converter != kClosed) iconv_close(m_Converter);
  m_Converter = kClosed;
  m_Opened = false;
}

bool DxfText::Unicode() const { return m_Version.size() == 6 && m_Version >= "AC1021"; }

std::string DxfText::Decoded(std::string_view raw) {
  if (IsAscii(raw)) return raw.find("\\U+") == std::string_view::npos ? std::string(raw) : WithUnicodeEscapes(raw);
  return WithUnicodeEscapes(Converted(raw));
}

void DxfText::Open() {
  m_Opened = true;
  const std::string from = Unicode() ? "UTF-8" : IconvName(m_CodePage);
  m_Converter = iconv_open("UTF-8", from.c_str());
  if (m_Converter == kClosed && m_Trouble.empty())
    m_Trouble = "the drawing's code page \"" + m_CodePage +
                "\" is not known: the bytes of its names beyond ASCII are shown as \\xNN";
}

// Byte by byte where the converter refuses one, so that one bad byte spoils no more than itself.
std::string DxfText::Converted(std::string_view raw) {
  if (!m_Opened) Open();
  std::string result;
  if (m_Converter == kClosed) {
    for (const char c : raw)
      result += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c)
                                                     : fmt::format("\\x{:02X}", static_cast<unsigned char>(c));
    return result;
  }
  char* in = const_cast<char*>(raw.data());  // iconv only reads it
  size_t inLeft = raw.size();
  while (inLeft > 0) {
    char buffer[256];
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    const size_t done = iconv(m_Converter, &in, &inLeft, &out, &outLeft);
    result.append(buffer, static_cast<size_t>(out - buffer));
    if (done != static_cast<size_t>(-1) || errno == E2BIG) continue;
    result += fmt::format("\\x{:02X}", static_cast<unsigned char>(*in));
    ++in;
    --inLeft;
    iconv(m_Converter, nullptr, nullptr, nullptr, nullptr);
    if (m_Trouble.empty())
      m_Trouble = "a name holds bytes that " +
                  (Unicode() ? std::string("are no UTF-8") : "the code page " + m_CodePage + " does not read") +
                  ": they are shown as \\xNN";
  }
  return result;
}

}  // namespace geometry
