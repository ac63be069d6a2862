#pragma once

#include <string>
#include <string_view>

// Layer names as CAD tools compare them: "Cut" and "CUT" name one layer.
namespace geometry {

// The name with its letters in lower case (UTF-8, any script), as the key that compares layers.
// Its characters are char32_t, not wchar_t, so that keys compare character by character: valgrind,
// which watches the DXF reading, takes the C library's wide compare for a read beyond the string.
std::u32string LayerKey(std::string_view name);

}  // namespace geometry
