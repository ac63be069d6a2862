#include <climits>
#include <memory>
#include <string_view>

#include "geometry/GcodeReader.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/ContourImport.h"
#include "tools/host/ImportMessages.h"
#include "tools/host/TextIO.h"

namespace {

struct ImportOptions {
  std::string source;
  std::string output;
  geometry::GcodeOptions gcode;
  ContourChoice choice;
  ContourMotionOptions motion;
};

// Reads the G-code and tells its notes; false after telling the first fault.
bool ReadProgram(const std::string& source, const geometry::GcodeOptions& options, geometry::GcodeProgram& program,
                 const ImportMessages& messages) {
  CString text;
  if (!ReadInput(source, text)) return false;
  geometry::GcodeError error;
  const bool read =
      geometry::ReadGcode(std::string_view(text.GetString(), text.GetLength()), options, program, error);
  for (const std::string& note : program.notes) messages.Tell(note);
  if (!read) messages.TellAtLine(error.line, error.message);
  return read;
}

int ImportGcode(HostSession& session, const ImportOptions& options) {
  const ImportMessages messages("import-gcode", options.source);
  geometry::GcodeProgram program;
  if (!ReadProgram(options.source, options.gcode, program, messages)) return kExitUsage;
  return WriteContours(session, program.contours, options.choice, options.motion, options.output, messages);
}

}  // namespace

CommandRunner DefineImportGcode(CLI::App& command) {
  auto options = std::make_shared<ImportOptions>();
  command.description(
      "Turns the contours of a G-code program, as CAM post-processors write it, into motion files, or into the "
      "editor's import lines. A contour is a run of cuts (G1-G3) in the XY plane at one depth; rapids and moves in "
      "Z separate contours. The motion is checked by the module before it is written. Skipped words are told once "
      "each; docs/geometry.md lists what is read, skipped and refused.");
  command.add_option("-o", options->output, "write into FILE (atomically) instead of standard output")
      ->type_name("FILE");
  command.add_flag("--segments", options->motion.segments, "write the editor's import lines instead of a motion file");
  command.add_flag("--strict", options->gcode.strict, "refuse unknown words instead of skipping them");
  command.add_flag("--flatten", options->gcode.flatten,
                   "drop Z from cuts that also move in Z (3-D work) instead of refusing them");
  AddNumberOption(command, "--join-tolerance", options->gcode.joinTolerance, 1e-6, 10.0, "MM",
                  "points closer than MM millimetres are one point");
  AddNumberOption(command, "--arc-tolerance", options->gcode.arcTolerance, 1e-6, 10.0, "MM",
                  "how far an arc's end may be off its circle (default: what the digits the file writes explain, "
                  "at least 0.002)")
      ->default_str("");
  AddNumberOption(command, "--acceleration", options->motion.acceleration, 1e-6, 1000.0, "A",
                  "the acceleration in m/s^2, written on the first segment (default: the one in force)")
      ->default_str("");
  CLI::Option* split =
      command.add_flag("--split", options->choice.split, "write each contour into its own file, FILE-1.EXT, FILE-2.EXT, ...");
  command.add_option("--contour", options->choice.contour, "take the contour numbered N of several")
      ->type_name("N")
      ->check(CLI::Range(1, INT_MAX).description(""))
      ->excludes(split);
  AddOperand(command, options->source, "GCODE_FILE", "G-code file", "the G-code program, or - for standard input");
  return [options](HostSession& session) { return ImportGcode(session, *options); };
}
