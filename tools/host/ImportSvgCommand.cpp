#include <CLI/CLI.hpp>

#include "geometry/drawing/svg/SvgReader.h"
#include "tools/host/Commands.h"
#include "tools/host/DrawingImportCommand.h"

CommandRunner DefineImportSvg(CLI::App& command) {
  command.description(
      "Turns the contours of an SVG drawing, as vector editors write it, into motion files, or into the editor's "
      "import lines. Paths and the basic shapes, through their transforms, uses and the viewBox, are joined end to "
      "end into contours, Y up; circles and circular arcs stay arcs, Bezier curves and ellipses become lines and "
      "arcs within the tolerance; shapes that lie on others are left out. Text, images, clip paths and masks are "
      "left out and counted. A px is 1/96 inch unless --units says what it is. The motion is checked by the module "
      "before it is written; docs/geometry.md says how elements are read and joined.");
  return DefineDrawingImport(command, {"import-svg", "SVG_FILE", "SVG file", geometry::ReadSvg});
}
