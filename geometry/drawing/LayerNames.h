#pragma once

#include <string>
#include <string_view>

// Layer names as CAD tools compare them: "Cut" and "CUT" name one layer.
namespace geometry {

// The name with its letters in lower case (UTF-8, any script), as the key that compares layers.
std::wstring LayerKey(std::string_view name);

bool SameLayer(std::string_view a, std::string_view b);

}  // namespace geometry
