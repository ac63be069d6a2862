#pragma once

#include <optional>
#include <string_view>

#include "common/Result.h"
#include "geometry/drawing/Drawing.h"

// The reading of SVG files, as vector editors write them, with SVG++ on libxml2.
namespace geometry {

// The shapes of an SVG document as paths, in px of its outermost viewport (96 to the inch, or
// one `units` where given), Y pointing up from the viewport's bottom edge; its layers; what it
// holds that makes no contour (text, images, ...), counted. Or the fault, with the element and
// its line where it has one.
Result<Drawing> ReadSvg(std::string_view bytes, const std::optional<LengthUnit>& units = std::nullopt);

}  // namespace geometry
