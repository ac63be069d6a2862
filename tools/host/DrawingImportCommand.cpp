#include "tools/host/DrawingImportCommand.h"

#include <fmt/format.h>

#include <memory>
#include <utility>

#include "geometry/drawing/DrawingImport.h"
#include "geometry/drawing/LengthUnits.h"
#include "tools/host/CommandLine.h"
#include "tools/host/ContourImport.h"
#include "tools/host/ContourOffsetting.h"
#include "tools/host/ImportMessages.h"
#include "tools/host/TextIO.h"

namespace {

struct ImportOptions {
  std::string source;
  std::string output;
  geometry::DrawingOptions drawing;
  std::optional<geometry::LengthUnit> units;
  bool list = false;
  ContourChoice choice;
  ContourMotionOptions motion;
  OffsetRequest offset;
};

// Reads the drawing and tells the reader's notes; none after telling why it cannot be read.
std::optional<geometry::Drawing> ReadDrawing(const DrawingFormat& format, const ImportOptions& options,
                                             const ImportMessages& messages) {
  CString text;
  if (!ReadInput(options.source, text)) return std::nullopt;
  Result<geometry::Drawing> drawing = format.read(std::string_view(text.GetString(), text.GetLength()), options.units);
  for (const std::string& note : drawing.Notes()) messages.Tell(note);
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

// The drawing's unit, its layers with their entities, and its contours.
std::string DrawingList(const geometry::Drawing& drawing, const geometry::LengthUnit& unit,
                        const ImportedContours& imported) {
  std::string list = fmt::format("unit: {} ({:g} mm)\nlayers:\n", unit.name, unit.millimetres);
  size_t width = 0;
  for (const geometry::DrawingLayer& layer : drawing.layers) width = std::max(width, DisplayWidth(layer.name));
  for (const geometry::DrawingLayer& layer : drawing.layers)
    list += fmt::format("  {:<{}}  {:>7} {}\n", layer.name, width, layer.entities,
                        layer.entities == 1 ? "entity" : "entities");
  return list + "contours:\n" + ContourList(imported.contours, imported.columns) + "\n";
}

int ImportDrawingFile(HostSession& session, const DrawingFormat& format, const ImportOptions& options) {
  ImportedContours imported;
  const ImportMessages messages(format.command, options.source, [&imported](int entity) {
    return imported.entities.at(static_cast<size_t>(entity - 1));
  });
  if (const int status = CheckChoice(options.choice, options.output, messages); status != kExitOk) return status;
  const std::optional<geometry::Drawing> drawing = ReadDrawing(format, options, messages);
  if (!drawing) return kExitUsage;
  const auto import = geometry::ImportDrawing(*drawing, options.drawing);
  for (const std::string& note : import.Notes()) messages.Tell(note);
  if (!import) {
    messages.TellFault(import.Failure());
    return kExitUsage;
  }
  Take(import->contours, imported);
  if (options.list) {
    fmt::print("{}", DrawingList(*drawing, import->unit, imported));
    return kExitOk;
  }
  if (const int status = TakeChosen(imported.contours, imported.columns, options.choice, messages); status != kExitOk)
    return status;
  if (!OffsetContours(imported.contours, imported.columns, options.offset, messages)) return kExitUsage;
  return WriteContours(session, std::move(imported.contours), imported.columns, options.choice, options.motion,
                       options.output, messages);
}

CLI::Validator LengthUnitName() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        if (geometry::LengthUnitNamed(text)) return {};
        return RefusedValue("a unit of length (" + geometry::LengthUnitSymbols() + ")", text);
      },
      "");
}

}  // namespace

CommandRunner DefineDrawingImport(CLI::App& command, const DrawingFormat& format) {
  auto options = std::make_shared<ImportOptions>();
  CLI::Option* output = AddOutputOptions(command, options->output, options->motion);
  command
      .add_option("--layer", options->drawing.layers,
                  "take only the entities on layer NAME, in any case; give it once per layer")
      ->type_name("NAME")
      ->allow_extra_args(false);
  AddNumberOption(command, "--tolerance", options->drawing.tolerance, 1e-4, 10.0, "MM",
                  "how far the lines and arcs that stand for curves other than circles may stray from them");
  AddNumberOption(command, "--join-tolerance", options->drawing.joinTolerance, 1e-6, 10.0, "MM",
                  "entity ends closer than MM millimetres meet");
  command
      .add_option_function<std::string>(
          "--units", [options](const std::string& name) { options->units = geometry::LengthUnitNamed(name); },
          "the unit of the drawing's lengths, over the one it gives (" + geometry::LengthUnitSymbols() + ")")
      ->type_name("UNIT")
      ->check(LengthUnitName());
  AddFitArcsOption(command, options->motion);
  CLI::Option* list =
      command.add_flag("--list", options->list,
                       "list the drawing's unit, its layers with their entities and its contours; write nothing");
  AddOffsetOptions(command, options->offset);
  const std::vector<CLI::Option*> choices = AddChoiceOptions(command, options->choice, options->motion);
  list->excludes(output);
  for (CLI::Option* choice : choices) list->excludes(choice);
  AddOperand(command, options->source, format.operand, format.what, "the drawing, or - for standard input");
  return [options, format](HostSession& session) { return ImportDrawingFile(session, format, *options); };
}
