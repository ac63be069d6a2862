#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/arcfit/ArcFitter.h"
#include "geometry/core/PathWalk.h"
#include "geometry/core/RelativePath.h"
#include "tests/geometry/SampledDeviation.h"

// Any bytes as a polyline and fitting options: the fitted path lies within the tolerance of the
// polyline both ways, measured by sampling (independently of the fitter), and ends on its last
// point. The first two bytes give the tolerance and the corner angle; then every three bytes are
// a step: its length (a quarter of the tolerance to 16 tolerances), its turn (mostly small, now
// and then sharp) and a sideways jolt (noise). Polylines of up to 32 points and steps of up to 16
// tolerances keep the path short in samples of a tenth of the tolerance, so that an input is
// checked in about a millisecond: what the fitter does depends on how points lie within a few
// tolerances of each other, not on how many there are.
namespace {

using geometry::Point;

constexpr size_t kMostPoints = 32;
constexpr int kLongestStep = 16;  // tolerances

struct Decoded {
  geometry::ArcFitOptions options;
  std::vector<Point> points;
};

Decoded Decode(const uint8_t* data, size_t size) {
  Decoded decoded;
  if (size < 2) return decoded;
  decoded.options.tolerance = 0.001 * std::pow(2.0, data[0] % 10);        // 0.001 to 0.512 mm
  decoded.options.cornerAngle = geometry::Radians(1.0 + data[1] % 90);     // 1 to 90 degrees
  Point at{0.0, 0.0};
  double heading = 0.0;
  decoded.points.push_back(at);
  for (size_t i = 2; i + 2 < size && decoded.points.size() < kMostPoints; i += 3) {
    const double length = decoded.options.tolerance * (1 + data[i] % kLongestStep) * (data[i + 2] & 0x80 ? 1.0 : 0.25);
    const double turn = static_cast<int8_t>(data[i + 1]) * (data[i + 1] & 1 ? 1.0 : 0.05);  // degrees
    const double jolt = decoded.options.tolerance * ((data[i + 2] & 0x7f) - 64) / 64.0;
    heading += geometry::Radians(turn);
    at = at + Point{length * std::cos(heading), length * std::sin(heading)};
    decoded.points.push_back(at + Point{-jolt * std::sin(heading), jolt * std::cos(heading)});
  }
  return decoded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Decoded decoded = Decode(data, size);
  if (decoded.points.size() < 2) return 0;
  const double tolerance = decoded.options.tolerance;
  std::vector<geometry::PathSegment> path;
  for (const geometry::FittedSegment& segment : geometry::FitArcs(decoded.points, decoded.options))
    path.push_back(geometry::RelativeOf(geometry::ContourSegmentOf(segment, segment.End())));
  const Point start = decoded.points.front();
  const Point end = start + geometry::Walk(path).end;
  const Point last = decoded.points.back();
  const bool distinct = std::any_of(decoded.points.begin(), decoded.points.end(), [&](Point p) {
    return std::hypot(p.x - start.x, p.y - start.y) >= 1e-9;
  });
  if (distinct && std::hypot(end.x - last.x, end.y - last.y) > 1e-6) __builtin_trap();
  // Distances to within a ten-thousandth of the tolerance, which the check allows twice over: a
  // fit that strays further is caught, and the sampling stays quick on arcs of large radius.
  const SampledDeviation deviation =
      MeasureDeviation(decoded.points, start, path, tolerance / 10.0, 1.5 * tolerance, tolerance * 1e-4);
  const double allowed = tolerance * (1.0 + 2e-4);
  if (distinct && (deviation.pathFromPolyline > allowed || deviation.polylineFromPath > allowed)) __builtin_trap();
  return 0;
}
