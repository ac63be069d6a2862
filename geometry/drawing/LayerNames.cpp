#include "geometry/drawing/LayerNames.h"

#include <locale.h>

#include <clocale>
#include <cwchar>
#include <cwctype>

namespace geometry {

namespace {

// The C library's UTF-8 locale, in force for this thread while it lives: the program's own
// locale is left as it is.
class Utf8Locale {
 public:
  Utf8Locale() {
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    if (utf8 != nullptr) m_Previous = uselocale(utf8);
  }
  ~Utf8Locale() {
    if (m_Previous != nullptr) uselocale(m_Previous);
  }
  Utf8Locale(const Utf8Locale&) = delete;
  Utf8Locale& operator=(const Utf8Locale&) = delete;

 private:
  locale_t m_Previous = nullptr;
};

}  // namespace

std::u32string LayerKey(std::string_view name) {
  const Utf8Locale utf8;
  std::u32string key;
  std::mbstate_t state{};
  for (size_t at = 0; at < name.size();) {
    wchar_t c = 0;
    const size_t length = std::mbrtowc(&c, name.data() + at, name.size() - at, &state);
    if (length == 0 || length > name.size() - at) {
      // A byte that starts no character stands for itself, beyond the range of characters.
      key += static_cast<char32_t>(0x110000 + static_cast<unsigned char>(name[at]));
      state = {};
      ++at;
      continue;
    }
    key += static_cast<char32_t>(std::towlower(static_cast<wint_t>(c)));
    at += length;
  }
  return key;
}

}  // namespace geometry
