#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"

// motion-host: the stand-in host application. It loads the motion-kind module, builds a project
// (the built-in demo or a setup file) and calls the module's exports as the host would.

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"demo", "translates the built-in demo motion, a rounded rectangle with a tangent axis (the default)",
       DefineDemo},
      {"info", "prints what the module says about itself and the version of motion-host", DefineInfo},
      {"new", "prints the parameter text of a new motion", DefineNew},
      {"translate", "prints the program of a motion file, or the module's messages", DefineTranslate},
      {"plot", "draws the motion's path as an SVG picture", DefinePlot},
      {"report", "prints one row per segment and the path's totals", DefineReport},
      {"import-gcode", "turns the contours of a G-code program into motion files", DefineImportGcode},
      {"import-dxf", "turns the contours of a DXF drawing into motion files", DefineImportDxf},
      {"import-svg", "turns the contours of an SVG drawing into motion files", DefineImportSvg},
      {"fit-arcs", "fits a motion's runs of lines with few lines and arcs", DefineFitArcs},
      {"offset", "offsets a motion's path sideways by a tool's radius, its arcs kept exact", DefineOffset},
      {"edit", "opens the editor on a motion file, in a window or played from a script", DefineEdit},
      {"completion", "prints the bash completion script of motion-host", DefineCompletion, false},
  };
  return commands;
}

// A result that did not reach standard output is a failure, whatever the command made of it.
int WithOutputDelivered(int status) {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  HostSession::ReportError(std::string("cannot write to standard output") +
                           (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string()));
  return kExitUsage;
}

int main(int argc, char** argv) { return WithOutputDelivered(RunCommandLine(argc, argv)); }
