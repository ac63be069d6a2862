#include "geometry/drawing/DrawingImport.h"

namespace geometry {

namespace {

std::string SkippedSummary(const std::map<std::string, int>& skipped) {
  std::string summary;
  for (const auto& [kind, count] : skipped)
    summary += (summary.empty() ? "" : ", ") + std::to_string(count) + " " + kind;
  return "skipped, as they make no contour: " + summary;
}

std::string NoContour(const DrawingOptions& options) {
  std::string layers;
  for (const std::string& layer : options.layers) layers += (layers.empty() ? "" : ", ") + layer;
  return "no contour: the drawing has no line, arc, circle, polyline, ellipse or spline" +
         (layers.empty() ? std::string() : " on the layers " + layers);
}

}  // namespace

DrawingImport ImportDrawing(const Drawing& drawing, const DrawingOptions& options) {
  DrawingImport import;
  if (!drawing.skipped.empty()) import.notes.push_back(SkippedSummary(drawing.skipped));
  std::vector<EntityPath> paths;
  DrawingFault fault;
  if (!PathsOfDrawing(drawing, options, paths, import.notes, fault)) {
    import.faults.push_back(fault.message);
    return import;
  }
  if (paths.empty()) {
    import.faults.push_back(NoContour(options));
    return import;
  }
  Chaining chaining = ChainPaths(paths, options.joinTolerance);
  import.faults = std::move(chaining.branchings);
  import.notes.insert(import.notes.end(), chaining.gaps.begin(), chaining.gaps.end());
  import.contours = std::move(chaining.contours);
  return import;
}

}  // namespace geometry
