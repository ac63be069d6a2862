#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "geometry/drawing/Drawing.h"

// The units of length a user names for a drawing (`--units`).
namespace geometry {

// The unit by its symbol ("mm", "in") or its name ("inch", "micron"); none when it is no unit of length.
std::optional<LengthUnit> LengthUnitNamed(std::string_view name);

// The symbols LengthUnitNamed knows, for messages: "mm, cm, ...".
std::string LengthUnitSymbols();

}  // namespace geometry
