#include "geometry/drawing/DrawingImport.h"

#include <string>

#include "geometry/drawing/PathOverlaps.h"

namespace geometry {

namespace {

std::string SkippedSummary(const std::map<std::string, int>& skipped) {
  std::string summary;
  for (const auto& [kind, count] : skipped)
    summary += (summary.empty() ? "" : ", ") + std::to_string(count) + " " + kind;
  return "skipped, as they make no contour: " + summary;
}

std::string NoContour(const Drawing& drawing, const DrawingOptions& options) {
  std::string layers;
  for (const std::string& layer : options.layers) layers += (layers.empty() ? "" : ", ") + layer;
  return "no contour: the drawing has no " + drawing.contourKinds +
         (layers.empty() ? std::string() : " on the layers " + layers);
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

}  // namespace

Result<ImportedDrawing> ImportDrawing(const Drawing& drawing, const DrawingOptions& options) {
  std::vector<std::string> notes;
  if (!drawing.skipped.empty()) notes.push_back(SkippedSummary(drawing.skipped));
  Result<PlacedDrawing> placed = PathsOfDrawing(drawing, options);
  notes.insert(notes.end(), placed.Notes().begin(), placed.Notes().end());
  if (!placed) return {placed.Failure(), std::move(notes)};
  std::vector<EntityPath>& paths = placed->paths;
  if (paths.empty()) return {Fault{0, NoContour(drawing, options)}, std::move(notes)};
  const std::vector<std::string> overlaps = LeaveOutOverlaps(paths, options.joinTolerance);
  notes.insert(notes.end(), overlaps.begin(), overlaps.end());
  Chaining chaining = ChainPaths(std::move(paths), options.joinTolerance);
  notes.insert(notes.end(), chaining.gaps.begin(), chaining.gaps.end());
  if (!chaining.branchings.empty()) return {Fault{0, Lines(chaining.branchings)}, std::move(notes)};
  return {ImportedDrawing{std::move(chaining.contours), placed->unit}, std::move(notes)};
}

}  // namespace geometry
