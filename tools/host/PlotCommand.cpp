#include <fmt/format.h>

#include <charconv>
#include <memory>
#include <string>
#include <utility>
#include <vector>

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
  std::vector<std::string> sources;  // motions drawn beneath in grey: FILE, from (0, 0), or FILE@X,Y
  std::vector<std::string> others;   // motions drawn beside in the path's colour, FILE@X,Y
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

// "FILE@X,Y" names the file and where its path starts; a name without a point after its last @ is
// all the file's.
std::pair<std::string, geometry::Point> PlacedFile(const std::string& text) {
  geometry::Point origin;
  const size_t at = text.rfind('@');
  if (at != std::string::npos && ReadPoint(text.substr(at + 1), origin)) return {text.substr(0, at), origin};
  return {text, {}};
}

// The motions drawn beside the plotted one, loaded into `loaded`; or the exit code, after telling
// why not.
Result<std::vector<PlotBeside>, ExitCode> LoadBeside(HostSession& session, const PlotOptions& options,
                                                     const MotionPath& path,
                                                     std::vector<std::unique_ptr<MotionPath>>& loaded) {
  std::vector<PlotBeside> beside;
  for (const bool source : {true, false}) {
    for (const std::string& text : source ? options.sources : options.others) {
      const auto [file, origin] = PlacedFile(text);
      auto other = LoadMotionPath(session, file);
      if (!other) return other.Failure();
      if (other.Value()->lengthUnit != path.lengthUnit)
        return static_cast<ExitCode>(CommandFailure(
            "plot", fmt::format("the {}'s lengths are in {}, the motion's in {}: they cannot be drawn together",
                                source ? "source" : "other path", other.Value()->lengthUnit.GetString(),
                                path.lengthUnit.GetString())));
      loaded.push_back(std::move(other.Value()));
      beside.push_back({loaded.back().get(), origin, source});
    }
  }
  return beside;
}

int Plot(HostSession& session, const PlotOptions& options) {
  const auto loaded = LoadMotionPath(session, options.path.motionFile);
  if (!loaded) return loaded.Failure();
  const MotionPath& path = *loaded.Value();
  std::vector<std::unique_ptr<MotionPath>> others;
  const Result<std::vector<PlotBeside>, ExitCode> beside = LoadBeside(session, options, path, others);
  if (!beside) return beside.Failure();
  const CString svg = PlotSvg(path, options.path.CornerThreshold(), options.origin, beside.Value());
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
            if (!ReadPoint(text, options->origin)) throw CLI::ValidationError("--origin", RefusedValue("X,Y", text));
          },
          "where the path starts, in the length unit (mm on linear drives), so that the grid shows program "
          "coordinates")
      ->type_name("X,Y")
      ->allow_extra_args(false);
  command
      .add_option("--with-source", options->sources,
                  "draw the path of the motion in FILE beneath, in grey, from (0, 0), or from X,Y with FILE@X,Y: "
                  "the path the motion was offset from, with --origin where `offset` says the offset starts; give "
                  "it once per source")
      ->type_name("FILE[@X,Y]")
      ->allow_extra_args(false);
  command
      .add_option("--also", options->others,
                  "draw the path of the motion in FILE too, from X,Y, in the path's colour without its marks: the "
                  "other contours of a part, each where its import says it starts; give it once per motion")
      ->type_name("FILE@X,Y")
      ->allow_extra_args(false);
  AddPathOptions(command, options->path);
  return [options](HostSession& session) { return Plot(session, *options); };
}
