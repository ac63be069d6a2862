#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "geometry/gcode/GcodeReader.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/ContourImport.h"
#include "tools/host/ContourOffsetting.h"
#include "tools/host/ImportMessages.h"
#include "tools/host/TextIO.h"
#include "tools/host/ToolCompensation.h"

namespace {

struct ImportOptions {
  std::string source;
  std::string output;
  geometry::GcodeOptions gcode;
  ContourChoice choice;
  ContourMotionOptions motion;
  OffsetRequest offset;
  std::string toolTable;  // the file of the radii that D words select
};

// Reads the G-code and tells its notes; none after telling the first fault.
std::optional<geometry::GcodeProgram> ReadProgram(const std::string& source, const geometry::GcodeOptions& options,
                                                  const ImportMessages& messages) {
  CString text;
  if (!ReadInput(source, text)) return std::nullopt;
  Result<geometry::GcodeProgram> read =
      geometry::ReadGcode(std::string_view(text.GetString(), text.GetLength()), options);
  for (const std::string& note : read.Notes()) messages.Tell(note);
  if (read) return std::move(read).Value();
  messages.TellAtLine(read.Failure().line, read.Failure().message);
  return std::nullopt;
}

// The contour list's columns: where each contour starts in the program, and under which
// coordinate system and offset, where any contour has one.
std::vector<ContourColumn> ColumnsOf(const geometry::GcodeProgram& program) {
  ContourColumn lines{"line", {}, false};
  for (const geometry::Contour& contour : program.contours) lines.cells.push_back(std::to_string(contour.firstLine));
  const bool anyOffset = std::any_of(program.offsets.begin(), program.offsets.end(),
                                     [](const std::string& cell) { return !cell.empty(); });
  if (!anyOffset) return {lines};
  return {lines, ContourColumn{"offset in force", program.offsets, true}};
}

// Without any speed, the motion runs at the one in force when it starts: said once, with how to
// give one.
void NoteMissingSpeed(const geometry::GcodeProgram& program, const ContourMotionOptions& options,
                      const ImportMessages& messages) {
  if (options.speed > 0.0) return;
  for (const geometry::Contour& contour : program.contours)
    for (const geometry::ContourMove& move : contour.moves)
      if (move.feed != 0.0) return;
  messages.Tell(
      "no feed (F) is set for the cuts, so the motion keeps the speed in force; --speed MM/MIN gives its "
      "first segment one");
}

// The tool table's radii into the options; false after telling why not.
bool ReadTools(const std::string& path, geometry::GcodeOptions& options) {
  const ImportMessages messages("import-gcode", path);
  CString text;
  if (!ReadInput(path, text)) return false;
  const Result<std::map<int, double>> radii = ReadToolTable(std::string(text.GetString(), text.GetLength()));
  if (!radii) {
    messages.TellFault(radii.Failure());
    return false;
  }
  options.toolRadii = radii.Value();
  return true;
}

int ImportGcode(HostSession& session, const ImportOptions& options) {
  const ImportMessages messages("import-gcode", options.source);
  if (const int status = CheckChoice(options.choice, options.output, messages); status != kExitOk) return status;
  geometry::GcodeOptions gcode = options.gcode;
  if (!options.toolTable.empty() && !ReadTools(options.toolTable, gcode)) return kExitUsage;
  std::optional<geometry::GcodeProgram> program = ReadProgram(options.source, gcode, messages);
  if (!program || !ApplyToolCompensation(*program, messages)) return kExitUsage;
  NoteMissingSpeed(*program, options.motion, messages);
  std::vector<ContourColumn> columns = ColumnsOf(*program);
  if (const int status = TakeChosen(program->contours, columns, options.choice, messages); status != kExitOk)
    return status;
  if (!OffsetContours(program->contours, columns, options.offset, messages)) return kExitUsage;
  return WriteContours(session, std::move(program->contours), columns, options.choice, options.motion, options.output,
                       messages);
}

}  // namespace

CommandRunner DefineImportGcode(CLI::App& command) {
  auto options = std::make_shared<ImportOptions>();
  command.description(
      "Turns the contours of a G-code program, as CAM post-processors write it, into motion files, or into the "
      "editor's import lines. A contour is a run of cuts (G1-G3) in the XY plane at one depth; rapids and moves in "
      "Z separate contours. The motion is checked by the module before it is written. Skipped words are told once "
      "each; docs/geometry.md lists what is read, skipped and refused.");
  AddOutputOptions(command, options->output, options->motion);
  command.add_flag("--strict", options->gcode.strict, "refuse unknown words instead of skipping them");
  command.add_flag("--flatten", options->gcode.flatten,
                   "drop Z from cuts that also move in Z (3-D work) instead of refusing them");
  AddNumberOption(command, "--join-tolerance", options->gcode.joinTolerance, 1e-6, 10.0, "MM",
                  "points closer than MM millimetres are one point");
  AddNumberOption(command, "--arc-tolerance", options->gcode.arcTolerance, 1e-6, 10.0, "MM",
                  "how far an arc's end may be off its circle (default: what the digits the file writes explain, "
                  "at least 0.002 and at most 0.013)")
      ->default_str("");
  AddOnOffOption(command, "--block-delete", options->gcode.blockDelete,
                 "skip the lines that start with / (block delete), as a control with its block delete switch on "
                 "does; off runs them");
  AddFitArcsOption(command, options->motion);
  CLI::Option* radius =
      AddNumberOption(command, "--tool-radius", options->gcode.toolRadius, 1e-6, 1000.0, "R",
                      "apply G41 and G42 with the tool's radius R mm: each stretch they compensate is offset by R, "
                      "reached on its entry move and left on its exit (default: G41 and G42 are refused)")
          ->default_str("");
  command
      .add_option("--tool-table", options->toolTable,
                  "apply G41 and G42 with the radius their D word selects from FILE, a line \"D RADIUS\" per tool")
      ->type_name("FILE")
      ->excludes(radius);
  AddOffsetOptions(command, options->offset);
  AddChoiceOptions(command, options->choice, options->motion);
  AddOperand(command, options->source, "GCODE_FILE", "G-code file", "the G-code program, or - for standard input");
  return [options](HostSession& session) { return ImportGcode(session, *options); };
}
