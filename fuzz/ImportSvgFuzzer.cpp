#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/DrawingImportCheck.h"
#include "geometry/drawing/svg/SvgReader.h"

// Any bytes as an SVG file, through the whole import: libxml2, SVG++'s reading of elements,
// path data, transforms and lengths, the drawing's paths and their contours, checked as
// DrawingImportCheck.h says.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckDrawingImport(bytes, geometry::ReadSvg(bytes));
  return 0;
}
