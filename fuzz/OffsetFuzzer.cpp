#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <vector>

#include "geometry/offset/ContourOffset.h"
#include "tests/geometry/OffsetDeviation.h"

// Any bytes as a contour and an offset: every point of the offset lies at the distance from the
// contour, and no point of the contour nearer to it, measured by sampling (independently of the
// offset); nothing left is a fault that says so. The first byte gives the distance (up to
// 2.56 mm, the high bit for the right or the inside), the second whether the contour closes and
// on which side it is offset; then every three bytes are a move: its length (up to 6.4 mm), the
// turn before it and its sweep (a line when small, at most 0.9 turns), so that arcs, cusps,
// reversals and tight loops all come.
namespace {

constexpr size_t kMostMoves = 24;
constexpr double kPi = std::numbers::pi;

struct Decoded {
  geometry::Contour contour;
  geometry::OffsetOptions options;
};

Decoded Decode(const uint8_t* data, size_t size) {
  Decoded decoded;
  if (size < 2) return decoded;
  decoded.options.distance = (data[0] & 0x80 ? -0.02 : 0.02) * (1 + (data[0] & 0x7f));
  decoded.options.side = static_cast<geometry::OffsetSide>((data[1] >> 1) % 3);
  geometry::Point at{0.0, 0.0};
  double heading = 0.0;
  for (size_t i = 2; i + 2 < size && decoded.contour.moves.size() < kMostMoves; i += 3) {
    const double length = 0.025 * (1 + data[i]);
    heading += static_cast<int8_t>(data[i + 1]) * kPi / 128.0;
    const double sweep = static_cast<int8_t>(data[i + 2]) * kPi / 72.0;
    const geometry::Point to = at + geometry::Polar(length, heading);
    const int line = static_cast<int>(decoded.contour.moves.size()) + 1;
    decoded.contour.moves.push_back({std::abs(sweep) < kPi / 8.0 ? geometry::ContourSegment::Line(at, to)
                                                                 : geometry::ContourSegment::ArcTurning(at, to, sweep),
                                     0.0, line});
    heading += std::abs(sweep) < kPi / 8.0 ? 0.0 : sweep / 2.0;
    at = to;
  }
  if ((data[1] & 1) != 0 && !decoded.contour.moves.empty())
    decoded.contour.moves.push_back({geometry::ContourSegment::Line(at, {0.0, 0.0}), 0.0, 0});
  decoded.contour.firstLine = 1;
  return decoded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Decoded decoded = Decode(data, size);
  if (decoded.contour.moves.empty()) return 0;
  const Result<std::vector<geometry::Contour>> offset = geometry::OffsetContour(decoded.contour, decoded.options);
  if (!offset) {
    if (offset.Failure().message.empty()) __builtin_trap();
    return 0;
  }
  const double spacing = std::clamp(std::abs(decoded.options.distance) / 2.0, 0.1, 0.5);
  if (!MeasureOffsets(decoded.contour, offset.Value(), spacing).Keeps(decoded.options.distance, 1e-6)) __builtin_trap();
  return 0;
}
