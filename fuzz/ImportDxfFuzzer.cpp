#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/DrawingImportCheck.h"
#include "geometry/drawing/dxf/DxfReader.h"

// Any bytes as a DXF file, through the whole import: the input check, dxflib, the drawing's
// entities and their contours, checked as DrawingImportCheck.h says.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckDrawingImport(bytes, geometry::ReadDxf(bytes));
  return 0;
}
