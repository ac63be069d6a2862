#pragma once

#include <optional>
#include <string_view>

#include "geometry/drawing/Drawing.h"
#include "geometry/drawing/dxf/DxfInputCheck.h"

// The reading of DXF files with dxflib. dxflib is under the GPL version 2: this library
// (dxf_import) is linked into motion-host, its tests and its fuzz target only, never into the
// module.
namespace geometry {

// The model space, the blocks, the layers and the unit of a text DXF file, once CheckDxfInput
// passed it; or the fault, with its line where it has one. `units`, where given, is the unit
// of the drawing, over the one it names.
Result<Drawing> ReadDxf(std::string_view bytes, const std::optional<LengthUnit>& units = std::nullopt);

}  // namespace geometry
