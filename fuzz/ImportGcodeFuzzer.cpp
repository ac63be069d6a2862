#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "geometry/GcodeReader.h"
#include "geometry/PathWalk.h"
#include "geometry/RelativePath.h"

// Any bytes as a G-code program: reading ends in a contour or in one fault on a line of the
// text, and a contour's segments, rounded to a grid as a motion keeps them, are finite numbers.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  geometry::GcodeOptions options;
  options.strict = size > 0 && data[0] % 2 == 1;
  geometry::GcodePath path;
  geometry::GcodeError error;
  if (!geometry::ReadGcode(text, options, path, error)) {
    const long lines = 1 + static_cast<long>(std::count(text.begin(), text.end(), '\n'));
    if (error.line < 1 || error.line > lines || error.message.empty()) __builtin_trap();
    return 0;
  }
  geometry::Rounding toMicrometres;
  toMicrometres.length = [](double value) { return std::round(value * 1000.0) / 1000.0; };
  std::vector<geometry::PathSegment> segments;
  for (const geometry::ImportedSegment& imported : geometry::ToRelativePath(path, toMicrometres)) {
    if (imported.line < 1 || !(imported.feed >= 0.0)) __builtin_trap();
    segments.push_back(imported.segment);
  }
  const geometry::PathWalk walk = geometry::Walk(segments);
  if (!std::isfinite(walk.end.x) || !std::isfinite(walk.end.y) || !std::isfinite(walk.totalLength)) __builtin_trap();
  return 0;
}
