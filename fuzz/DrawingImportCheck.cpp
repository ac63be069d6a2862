#include "fuzz/DrawingImportCheck.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/core/PathWalk.h"
#include "geometry/core/RelativePath.h"
#include "geometry/drawing/DrawingImport.h"

namespace {

double Gap(geometry::Point a, geometry::Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Within the join tolerance, and the noise of the arithmetic at the contour's size.
bool Joins(geometry::Point a, geometry::Point b, double joinTolerance) {
  const double size = std::max({std::abs(a.x), std::abs(a.y), 1.0});
  return Gap(a, b) < joinTolerance + 1e-12 * size;
}

// As motion-host's imports go on: the contour in the imports' model, made relative segments
// rounded to micrometres as a motion keeps them.
void CheckContour(const geometry::DrawingContour& contour, double joinTolerance) {
  if (contour.pieces.empty() || contour.entities.empty() || contour.entities.size() != contour.firstPieces.size())
    __builtin_trap();
  for (size_t i = 1; i < contour.pieces.size(); ++i)
    if (!Joins(contour.pieces[i - 1].end, contour.pieces[i].start, joinTolerance)) __builtin_trap();
  if (contour.closed && !Joins(contour.End(), contour.Start(), joinTolerance)) __builtin_trap();
  geometry::Rounding toMicrometres;
  toMicrometres.length = [](double value) { return std::round(value * 1000.0) / 1000.0; };
  std::vector<geometry::PathSegment> segments;
  for (const geometry::ImportedSegment& imported :
       geometry::ToRelativePath(geometry::ToContour(contour, 0), toMicrometres)) {
    if (imported.line < 1 || imported.line > static_cast<int>(contour.entities.size())) __builtin_trap();
    segments.push_back(imported.segment);
  }
  const geometry::PathWalk walk = geometry::Walk(segments);
  if (!std::isfinite(walk.end.x) || !std::isfinite(walk.end.y) || !std::isfinite(walk.totalLength)) __builtin_trap();
}

}  // namespace

void CheckDrawingImport(std::string_view bytes, const Result<geometry::Drawing>& drawing) {
  if (!drawing) {
    const long lines = 1 + static_cast<long>(std::count(bytes.begin(), bytes.end(), '\n'));
    const Fault& fault = drawing.Failure();
    if (fault.line < 0 || fault.line > lines || fault.message.empty()) __builtin_trap();
    return;
  }
  // A few thousand points along curves try every path through the fitting that half a million
  // do, at a rate a short fuzzing run can afford.
  geometry::DrawingOptions options;
  options.mostCurvePoints = 5'000;
  const auto import = geometry::ImportDrawing(drawing.Value(), options);
  if (!import) {
    if (import.Failure().message.empty()) __builtin_trap();
    return;
  }
  if (import->contours.empty()) __builtin_trap();
  for (const geometry::DrawingContour& contour : import->contours) CheckContour(contour, options.joinTolerance);
}
