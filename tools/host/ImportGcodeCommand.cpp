#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>

#include "geometry/GcodeReader.h"
#include "geometry/RelativePath.h"
#include "geometry/SegmentGeometry.h"
#include "host/CMC_Setup.h"
#include "motion/CInternalData.h"
#include "plugin/ModuleExports.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/TextIO.h"

namespace {

using geometry::Degrees;
using geometry::Radians;

// Where the import's messages come from: the command and the G-code file.
class ImportMessages {
 public:
  explicit ImportMessages(const std::string& source) : m_Source(source) {}
  void Tell(const std::string& message) const {
    std::fprintf(stderr, "motion-host import-gcode: %s: %s\n", m_Source.c_str(), message.c_str());
  }
  void TellAtLine(int line, const std::string& message) const { Tell("line " + std::to_string(line) + ": " + message); }

 private:
  std::string m_Source;
};

// The record of a new motion on the session's setup, emptied of segments, with its positions in
// millimetres and its angles in degrees. False after telling why G-code cannot become a motion.
bool PrepareRecord(HostSession& session, CInternalData& record, const ImportMessages& messages) {
  const auto getDefaults = session.Export<GetDefaultParametersFn>("GetDefaultParameters");
  if (getDefaults == nullptr) return false;
  CString text;
  getDefaults(session.Controller(), session.Motion(), text);
  CString ignored;  // a new motion's one segment has no length yet, so it does not pass validation
  record.ReadData(text, ignored);
  if (record.m_UnitMode != 1) {
    messages.Tell("G-code positions are lengths, but the setup's X and Y drives do not both carry linear loads");
    return false;
  }
  for (CMC_ArrayParameter* array : {record.m_pPosIncrX.get(), record.m_pPosIncrY.get(), record.m_pRadius.get()})
    array->ChangeUnit("mm");
  for (CMC_ArrayParameter* array : {&record.m_InitAngle, &record.m_AngleIncrement}) array->ChangeUnit("deg");
  for (CMC_ArrayParameter* array :
       {&record.m_SegmentType, record.m_pVectorAcc.get(), record.m_pVectorSpeed.get(), record.m_pPosIncrX.get(),
        record.m_pPosIncrY.get(), record.m_pRadius.get(), &record.m_InitAngle, &record.m_AngleIncrement})
    array->SetValuesCount(0);
  return true;
}

// A value in the array's selected unit as the array would keep it.
double KeptValue(const CMC_ArrayParameter& array, double value) {
  double stored = 0.0;
  return array.AcceptIU(array.UnitToIU(value), stored) ? array.IUToUnit(stored) : value;
}

geometry::Rounding RoundingOf(const CInternalData& record) {
  // The radius shares the increments' drive and type; its lower limit is checked when it is stored.
  return {[&record](double millimetres) { return KeptValue(*record.m_pPosIncrX, millimetres); },
          [&record](double radians) { return Radians(KeptValue(record.m_InitAngle, Degrees(radians))); }};
}

// False when a value does not fit the motion's arrays.
bool AppendSegment(CInternalData& record, const geometry::ImportedSegment& imported, const CMC_Unit& feedUnit) {
  const geometry::PathSegment& segment = imported.segment;
  const int index = record.m_SegmentType.GetValuesCount();
  const double speed = record.m_pVectorSpeed->BaseUnitToIU(feedUnit.ToBaseUnit(imported.feed));
  const bool linear = segment.kind == geometry::PathSegment::Kind::Linear;
  if (!record.m_SegmentType.InsertValueAt(index, linear ? 0.0 : 1.0) ||
      !record.m_pVectorAcc->InsertValueAt(index, 0.0) ||
      !record.m_pVectorSpeed->InsertValueInInternalUnitAt(index, speed))
    return false;
  const auto append = [](CMC_ArrayParameter& array, double value) {
    return array.InsertValueAt(array.GetValuesCount(), value);
  };
  if (linear)
    return append(*record.m_pPosIncrX, segment.increment.x) && append(*record.m_pPosIncrY, segment.increment.y);
  return append(*record.m_pRadius, segment.radius) && append(record.m_InitAngle, Degrees(segment.initialAngle)) &&
         append(record.m_AngleIncrement, Degrees(segment.angleIncrement));
}

// The contour's segments into the emptied record, rounded as the record keeps them, then checked
// as the module checks a motion. Returns an exit code; faults are told with their G-code line.
int FillRecord(CInternalData& record, const geometry::GcodePath& contour, const CMC_Setup& setup,
               const ImportMessages& messages) {
  const CMC_Unit& feedUnit = *setup.GetUnits().FindUnit("mm/min");  // a standard unit
  const std::vector<geometry::ImportedSegment> segments = geometry::ToRelativePath(contour, RoundingOf(record));
  if (segments.empty()) {
    messages.Tell("no contour: every move is shorter than one count of the drives");
    return kExitUsage;
  }
  for (const geometry::ImportedSegment& segment : segments) {
    if (!AppendSegment(record, segment, feedUnit)) {
      messages.TellAtLine(segment.line,
                          "the move does not fit the motion: a radius below one count of the drive, "
                          "or a value beyond what the controller holds");
      return kExitUsage;
    }
  }
  int faultySegment = 0;
  const CString fault = record.CheckData(faultySegment);
  if (fault.IsEmpty()) return kExitOk;
  const size_t index = std::min(static_cast<size_t>(std::max(faultySegment, 0)), segments.size() - 1);
  messages.TellAtLine(segments[index].line, fault.GetString());
  return kExitRefused;
}

// The editor's import lines: "L dx dy [acc [spd]]" and "C r a0 da [acc [spd]]" in the units the
// motion shows; only a new speed is written, after an acceleration of 0 that keeps the one in force.
CString ImportFileLines(const CInternalData& record) {
  CString text;
  int linear = 0;
  int circular = 0;
  for (int i = 0; i < record.m_SegmentType.GetValuesCount(); ++i) {
    const CString speed = record.m_pVectorSpeed->GetValueInInternalUnit(i) != 0.0
                              ? " 0 " + record.m_pVectorSpeed->PrintValue(i)
                              : CString();
    if (record.m_SegmentType.GetValueInInternalUnit(i) == 0.0) {
      text.AppendFormat("L %s %s%s\n", record.m_pPosIncrX->PrintValue(linear).GetString(),
                        record.m_pPosIncrY->PrintValue(linear).GetString(), speed.GetString());
      ++linear;
    } else {
      text.AppendFormat("C %s %s %s%s\n", record.m_pRadius->PrintValue(circular).GetString(),
                        record.m_InitAngle.PrintValue(circular).GetString(),
                        record.m_AngleIncrement.PrintValue(circular).GetString(), speed.GetString());
      ++circular;
    }
  }
  return text;
}

// Reads and checks the G-code; false after telling the first fault.
bool ReadContour(const std::string& source, const geometry::GcodeOptions& options, geometry::GcodePath& path,
                 const ImportMessages& messages) {
  CString text;
  if (!ReadInput(source, text)) return false;
  geometry::GcodeError error;
  const bool read = geometry::ReadGcode(std::string_view(text.GetString(), text.GetLength()), options, path, error);
  for (const std::string& note : path.notes) messages.Tell(note);
  if (!read) {
    messages.TellAtLine(error.line, error.message);
    return false;
  }
  if (path.moves.empty()) messages.Tell("no contour: the program has no G1, G2 or G3 move");
  return !path.moves.empty();
}

struct ImportOptions {
  std::string source;
  std::string output;
  geometry::GcodeOptions gcode;
  bool segments = false;
};

int ImportGcode(HostSession& session, const ImportOptions& options) {
  const ImportMessages messages(options.source);
  geometry::GcodePath contour;
  if (!ReadContour(options.source, options.gcode, contour, messages)) return kExitUsage;

  CInternalData record(session.Controller(), session.Motion());
  if (!PrepareRecord(session, record, messages)) return kExitUsage;
  if (const int status = FillRecord(record, contour, session.Controller(), messages); status != kExitOk) return status;
  CString output;
  if (options.segments)
    output = ImportFileLines(record);
  else
    record.WriteData(output);
  return WriteOutput(options.output, output) ? kExitOk : kExitUsage;
}

}  // namespace

CommandRunner DefineImportGcode(CLI::App& command) {
  auto options = std::make_shared<ImportOptions>();
  command.description(
      "Turns the contour of a G-code program (G0-G3, G17, G90/G91, G20/G21, I/J or R, F) into a motion file, or "
      "into the editor's import lines. Skipped words are reported.");
  command.add_option("-o", options->output, "write into FILE (atomically) instead of standard output")
      ->type_name("FILE");
  command.add_flag("--segments", options->segments, "write the editor's import lines instead of a motion file");
  command.add_flag("--strict", options->gcode.strict, "refuse the words that would be skipped");
  AddNumberOption(command, "--join-tolerance", options->gcode.joinTolerance, 1e-6, 10.0, "MM",
                  "points closer than MM millimetres are one point");
  AddOperand(command, options->source, "GCODE_FILE", "G-code file", "the G-code program, or - for standard input");
  return [options](HostSession& session) { return ImportGcode(session, *options); };
}
