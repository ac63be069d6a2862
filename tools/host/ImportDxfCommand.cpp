#include <CLI/CLI.hpp>

#include "geometry/drawing/dxf/DxfReader.h"
#include "tools/host/Commands.h"
#include "tools/host/DrawingImportCommand.h"

CommandRunner DefineImportDxf(CLI::App& command) {
  command.description(
      "Turns the contours of a DXF drawing into motion files, or into the editor's import lines. Lines, arcs, "
      "circles, polylines, ellipses, splines and the blocks that inserts place are joined end to end into "
      "contours; ellipses and splines become lines and arcs within the tolerance; entities that lie on others are "
      "left out. Text, dimensions, hatches and the like are skipped and counted once. The motion is checked by the "
      "module before it is written; docs/geometry.md says how entities are read and joined.");
  return DefineDrawingImport(command, {"import-dxf", "DXF_FILE", "DXF file", geometry::ReadDxf});
}
