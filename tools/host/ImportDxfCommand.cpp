#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "geometry/drawing/DrawingImport.h"
#include "geometry/drawing/dxf/DxfReader.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/ContourImport.h"
#include "tools/host/ImportMessages.h"
#include "tools/host/TextIO.h"

namespace {

struct ImportOptions {
  std::string source;
  std::string output;
  geometry::DrawingOptions drawing;
  ContourChoice choice;
  ContourMotionOptions motion;
};

// Reads the drawing; none after telling why it cannot be read.
std::optional<geometry::Drawing> ReadDrawing(const std::string& source, const ImportMessages& messages) {
  CString text;
  if (!ReadInput(source, text)) return std::nullopt;
  Result<geometry::Drawing> drawing = geometry::ReadDxf(std::string_view(text.GetString(), text.GetLength()));
  if (drawing) return std::move(drawing).Value();
  messages.TellFault(drawing.Failure());
  return std::nullopt;
}

// The contours in the imports' model, each move's line numbering the entity it comes from in
// `entities`, and the list's columns: each contour's layers and whether it closes.
struct ImportedContours {
  std::vector<geometry::Contour> contours;
  std::vector<std::string> entities;
  std::vector<ContourColumn> columns{{"layer", {}, true}, {"path", {}, true}};
};

void Take(const std::vector<geometry::DrawingContour>& drawn, ImportedContours& imported) {
  for (const geometry::DrawingContour& contour : drawn) {
    imported.contours.push_back(geometry::ToContour(contour, static_cast<int>(imported.entities.size())));
    imported.entities.insert(imported.entities.end(), contour.entities.begin(), contour.entities.end());
    imported.columns[0].cells.push_back(contour.layers);
    imported.columns[1].cells.push_back(contour.closed ? "closed" : "open");
  }
}

int ImportDxf(HostSession& session, const ImportOptions& options) {
  ImportedContours imported;
  const ImportMessages messages("import-dxf", options.source, [&imported](int entity) {
    return imported.entities.at(static_cast<size_t>(entity - 1));
  });
  if (const int status = CheckChoice(options.choice, options.output, messages); status != kExitOk) return status;
  const std::optional<geometry::Drawing> drawing = ReadDrawing(options.source, messages);
  if (!drawing) return kExitUsage;
  const auto import = geometry::ImportDrawing(*drawing, options.drawing);
  for (const std::string& note : import.Notes()) messages.Tell(note);
  if (!import) {
    messages.TellFault(import.Failure());
    return kExitUsage;
  }
  Take(import.Value(), imported);
  return WriteContours(session, std::move(imported.contours), imported.columns, options.choice, options.motion, options.output,
                       messages);
}

}  // namespace

CommandRunner DefineImportDxf(CLI::App& command) {
  auto options = std::make_shared<ImportOptions>();
  command.description(
      "Turns the contours of a DXF drawing into motion files, or into the editor's import lines. Lines, arcs, "
      "circles, polylines, ellipses, splines and the blocks that inserts place are joined end to end into "
      "contours; ellipses and splines become lines and arcs within the tolerance. Text, dimensions, hatches and the "
      "like are "
      "skipped and counted once. The motion is checked by the module before it is written; docs/geometry.md says "
      "how entities are read and joined.");
  AddOutputOptions(command, options->output, options->motion);
  command
      .add_option("--layer", options->drawing.layers, "take only the entities on layer NAME; give it once per layer")
      ->type_name("NAME")
      ->allow_extra_args(false);
  AddNumberOption(command, "--tolerance", options->drawing.tolerance, 1e-4, 10.0, "MM",
                  "how far the lines and arcs that stand for ellipses and splines may stray from them");
  AddNumberOption(command, "--join-tolerance", options->drawing.joinTolerance, 1e-6, 10.0, "MM",
                  "entity ends closer than MM millimetres meet");
  AddChoiceOptions(command, options->choice, options->motion);
  AddOperand(command, options->source, "DXF_FILE", "DXF file", "the drawing, or - for standard input");
  return [options](HostSession& session) { return ImportDxf(session, *options); };
}
