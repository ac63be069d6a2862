#include <memory>

#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/MotionPath.h"
#include "tools/host/SvgPlot.h"
#include "tools/host/TextIO.h"

namespace {

struct PlotOptions {
  PathOptions path;
  std::string output;
};

int Plot(HostSession& session, const PlotOptions& options) {
  MotionPath path;
  if (const int status = LoadMotionPath(session, options.path.motionFile, path); status != kExitOk) return status;
  const CString svg = PlotSvg(path, options.path.CornerThreshold());
  return WriteOutput(options.output, svg) ? kExitOk : kExitUsage;
}

}  // namespace

CommandRunner DefinePlot(CLI::App& command) {
  auto options = std::make_shared<PlotOptions>();
  command.description(
      "Draws the motion's path as an SVG picture in the X/Y plane, to scale, with its segments, their numbers "
      "and directions, the start and the end, and rings round the corners.");
  command.add_option("-o", options->output, "write the picture into FILE.svg (atomically) instead of standard output")
      ->type_name("FILE.svg");
  AddPathOptions(command, options->path);
  return [options](HostSession& session) { return Plot(session, *options); };
}
