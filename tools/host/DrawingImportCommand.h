#pragma once

#include <optional>
#include <string_view>

#include "common/Result.h"
#include "geometry/drawing/Drawing.h"
#include "tools/host/Commands.h"

// What the imports of drawings (import-dxf, import-svg) share: their options, the drawing read
// into contours on the same chaining, the list of its layers and contours, and the motions
// written as every import writes them (ContourImport.h).

struct DrawingFormat {
  const char* command;  // "import-dxf"
  const char* operand;  // "DXF_FILE"
  const char* what;     // "DXF file"
  // The drawing a file holds, its lengths in `units` where given (--units).
  Result<geometry::Drawing> (*read)(std::string_view bytes, const std::optional<geometry::LengthUnit>& units);
};

// Declares the options and the operand on the command, and returns what runs it.
CommandRunner DefineDrawingImport(CLI::App& command, const DrawingFormat& format);
