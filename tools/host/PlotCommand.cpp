#include <fmt/format.h>

#include <charconv>
#include <memory>

#include "motionpath/MotionPath.h"
#include "pictures/PngRenderer.h"
#include "pictures/SvgPlot.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/PathCommandInput.h"
#include "tools/host/TextIO.h"

namespace {

struct PlotOptions {
  PathOptions path;
  std::string output;
  std::string png;
  std::string source;  // a motion drawn beneath, from (0, 0)
  geometry::Point origin;
};

// "X,Y": two decimal numbers and nothing else.
bool ReadPoint(const std::string& text, geometry::Point& point) {
  const char* end = text.data() + text.size();
  const auto x = std::from_chars(text.data(), end, point.x);
  if (x.ec != std::errc() || x.ptr == end || *x.ptr != ',') return false;
  const auto y = std::from_chars(x.ptr + 1, end, point.y);
  return y.ec == std::errc() && y.ptr == end && std::isfinite(point.x) && std::isfinite(point.y);
}

int Plot(HostSession& session, const PlotOptions& options) {
  const auto loaded = LoadMotionPath(session, options.path.motionFile);
  if (!loaded) return loaded.Failure();
  const MotionPath& path = *loaded.Value();
  std::unique_ptr<MotionPath> source;
  if (!options.source.empty()) {
    auto loadedSource = LoadMotionPath(session, options.source);
    if (!loadedSource) return loadedSource.Failure();
    source = std::move(loadedSource.Value());
    if (source->lengthUnit != path.lengthUnit)
      return CommandFailure("plot", fmt::format("the source's lengths are in {}, the motion's in {}: they cannot be "
                                                "drawn together",
                                                source->lengthUnit.GetString(), path.lengthUnit.GetString()));
  }
  const CString svg = PlotSvg(path, options.path.CornerThreshold(), options.origin, source.get());
  if (!options.png.empty()) {
    std::string png, error;
    if (!RenderPng(std::string_view(svg.GetString(), svg.GetLength()), png, error))
      return CommandFailure("plot", error);
    if (!WriteOutput(options.png, CString(png.data(), static_cast<int>(png.size())))) return kExitUsage;
    if (options.output.empty()) return kExitOk;
  }
  return WriteOutput(options.output, svg) ? kExitOk : kExitUsage;
}

}  // namespace

CommandRunner DefinePlot(CLI::App& command) {
  auto options = std::make_shared<PlotOptions>();
  command.description(
      "Draws the motion's path as an SVG picture in the X/Y plane, to scale, with its segments, their numbers "
      "and directions, the start and the end, and rings round the corners; on a dense path, what can be seen.");
  command.add_option("-o", options->output, "write the picture into FILE.svg (atomically) instead of standard output")
      ->type_name("FILE.svg");
  command
      .add_option(
          "--png", options->png,
          "render the picture into FILE.png (atomically) with rsvg-convert; the SVG is then written with -o only")
      ->type_name("FILE.png");
  command
      .add_option_function<std::string>(
          "--origin",
          [options](const std::string& text) {
            if (!ReadPoint(text, options->origin)) throw CLI::ValidationError("--origin", "takes X,Y, not " + text);
          },
          "where the path starts, in the length unit (mm on linear drives), so that the grid shows program "
          "coordinates")
      ->type_name("X,Y")
      ->allow_extra_args(false);
  command
      .add_option("--with-source", options->source,
                  "draw the path of the motion in FILE beneath, in grey, from (0, 0): the path the motion was offset "
                  "from, with --origin where `offset` says the offset starts")
      ->type_name("FILE");
  AddPathOptions(command, options->path);
  return [options](HostSession& session) { return Plot(session, *options); };
}
