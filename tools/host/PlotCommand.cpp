#include "tools/host/CommandArguments.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/MotionPath.h"
#include "tools/host/SvgPlot.h"
#include "tools/host/TextIO.h"

const char kPlotHelp[] =
    "draws the motion's path as an SVG picture in the X/Y plane, to scale, into FILE.svg (atomically) or\n"
    "             onto standard output; corners that turn by more than DEG degrees (default 10) are ringed";

int RunPlot(HostSession& session, const std::vector<std::string>& arguments) {
  CommandArguments options("plot", {"-o", "--corner-angle"}, {});
  double cornerThreshold = 0.0;
  MotionPath path;
  if (const int status = StartPathCommand(session, arguments, options, cornerThreshold, path); status != kExitOk)
    return status;
  const CString svg = PlotSvg(path, cornerThreshold);
  return WriteOutput(options.Value("-o"), svg) ? kExitOk : kExitUsage;
}
