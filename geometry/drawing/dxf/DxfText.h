#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

// The text of a DXF file (layer and block names) in UTF-8. A file before R2007 writes its text in
// the code page that $DWGCODEPAGE names (ANSI_1252 when it names none), a later one in UTF-8;
// either may write a character beyond it as \U+XXXX.
namespace geometry {

class DxfText {
 public:
  DxfText() = default;
  ~DxfText();
  DxfText(const DxfText&) = delete;
  DxfText& operator=(const DxfText&) = delete;

  // $ACADVER: AC1021 (R2007) and later write UTF-8.
  void SetVersion(std::string_view version);
  void SetCodePage(std::string_view codePage);

  // The text in UTF-8. A byte that the file's code page does not read stays as \xNN, and
  // Trouble() then says why.
  std::string Decoded(std::string_view raw);
  const std::string& Trouble() const { return m_Trouble; }

 private:
  bool Unicode() const;
  std::string Converted(std::string_view raw);
  void Open();

  std::string m_Version;
  std::string m_CodePage = "ANSI_1252";
  iconv_t m_Converter = reinterpret_cast<iconv_t>(-1);
  bool m_Opened = false;
  std::string m_Trouble;
};

}  // namespace geometry
