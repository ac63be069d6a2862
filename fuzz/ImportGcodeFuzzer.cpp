#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "geometry/core/PathWalk.h"
#include "geometry/core/RelativePath.h"
#include "geometry/gcode/GcodeReader.h"

// Any bytes as a G-code program: reading ends in contours or in one fault on a line of the text,
// and each contour's segments, rounded to a grid as a motion keeps them, are finite numbers. The
// first byte picks the options, so that strict, flattening and a set arc tolerance are fuzzed too.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  geometry::GcodeOptions options;
  const uint8_t pick = size > 0 ? data[0] : 0;
  options.strict = (pick & 1) != 0;
  options.flatten = (pick & 2) != 0;
  if ((pick & 4) != 0) options.arcTolerance = 0.01;
  const Result<geometry::GcodeProgram> read = geometry::ReadGcode(text, options);
  if (!read) {
    const long lines = 1 + static_cast<long>(std::count(text.begin(), text.end(), '\n'));
    if (read.Failure().line < 1 || read.Failure().line > lines || read.Failure().message.empty()) __builtin_trap();
    return 0;
  }
  const geometry::GcodeProgram& program = read.Value();
  if (!(program.arcTolerance >= 0.002)) __builtin_trap();
  geometry::Rounding toMicrometres;
  toMicrometres.length = [](double value) { return std::round(value * 1000.0) / 1000.0; };
  for (const geometry::Contour& contour : program.contours) {
    if (contour.moves.empty() || contour.firstLine < 1) __builtin_trap();
    std::vector<geometry::PathSegment> segments;
    for (const geometry::ImportedSegment& imported : geometry::ToRelativePath(contour, toMicrometres)) {
      if (imported.line < contour.firstLine || !(imported.feed >= 0.0)) __builtin_trap();
      segments.push_back(imported.segment);
    }
    const geometry::PathWalk walk = geometry::Walk(segments);
    if (!std::isfinite(walk.end.x) || !std::isfinite(walk.end.y) || !std::isfinite(walk.totalLength)) __builtin_trap();
  }
  return 0;
}
