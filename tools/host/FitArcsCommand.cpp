#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "geometry/arcfit/ContourFitting.h"
#include "geometry/core/PathWalk.h"
#include "geometry/core/SegmentGeometry.h"
#include "host/CMC_Setup.h"
#include "motion/CInternalData.h"
#include "motionpath/MotionBuilder.h"
#include "motionpath/MotionContour.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/ImportMessages.h"
#include "tools/host/MotionChecks.h"
#include "tools/host/TextIO.h"

namespace {

struct FitOptions {
  std::string source;
  std::string output;
  double tolerance = 0.0;  // mm
  double cornerDegrees = geometry::kDefaultCornerDegrees;
};

// The options in the unit of the X increments.
geometry::ArcFitOptions FitOptionsOf(const FitOptions& options, const CInternalData& record, const CMC_Setup& setup) {
  const CMC_ArrayParameter& x = *record.m_pPosIncrX;
  const double millimetre = setup.GetUnits().FindUnit("mm")->ToBaseUnit(1.0);
  geometry::ArcFitOptions fit = FitOptionsFor(record, x.IUToUnit(x.BaseUnitToIU(options.tolerance * millimetre)));
  fit.cornerAngle = geometry::Radians(options.cornerDegrees);
  return fit;
}

// The fitted segments into the record, rounded as it keeps them. A segment that sets a new
// acceleration or speed starts a fitted segment, which gets the values. Returns an exit code.
int Refill(CInternalData& record, const geometry::Contour& fitted, const std::vector<size_t>& setters,
           const std::vector<Dynamics>& dynamics, const ImportMessages& messages) {
  const std::vector<geometry::ImportedSegment> segments = geometry::ToRelativePath(fitted, RoundingOf(record));
  record.ClearSegments();
  // Each source segment's values go to the first fitted segment from its start point on; one too
  // short to keep passes them on to the next.
  size_t next = 0;
  const auto carried = [&](size_t i) {
    Dynamics set;
    for (; next < setters.size() && setters[next] < static_cast<size_t>(segments[i].line); ++next) {
      const Dynamics& source = dynamics[setters[next]];
      if (source.acceleration != 0.0) set.acceleration = source.acceleration;
      if (source.speed != 0.0) set.speed = source.speed;
    }
    return set;
  };
  return BuildMotion(record, segments, carried, messages);
}

int FitArcs(HostSession& session, const FitOptions& options) {
  const ImportMessages messages("fit-arcs", options.source,
                                [](int segment) { return "segment " + std::to_string(segment); });
  CString text;
  if (!ReadInput(options.source, text)) return kExitUsage;
  CInternalData record(session.Controller(), session.Motion());
  CString moduleMessages;
  if (!record.ReadData(text, moduleMessages)) {
    ReportModuleMessages(moduleMessages);
    return kExitRefused;
  }
  if (record.m_UnitMode != 1) {
    messages.Tell(
        "a tolerance in mm needs positions that are lengths, but the motion's X and Y drives do not both "
        "carry linear loads");
    return kExitUsage;
  }
  std::vector<Dynamics> dynamics;
  std::vector<bool> setsValues;
  std::vector<size_t> setters;
  for (int i = 0; i < record.m_SegmentType.GetValuesCount(); ++i) {
    dynamics.push_back(
        {record.m_pVectorAcc->GetValueInInternalUnit(i), record.m_pVectorSpeed->GetValueInInternalUnit(i)});
    setsValues.push_back(dynamics.back().acceleration != 0.0 || dynamics.back().speed != 0.0);
    if (setsValues.back()) setters.push_back(static_cast<size_t>(i));
  }
  const geometry::Contour fitted =
      geometry::FitContour(ContourOf(record), FitOptionsOf(options, record, session.Controller()), setsValues);
  if (const int status = Refill(record, fitted, setters, dynamics, messages); status != kExitOk) return status;
  CString result;
  record.WriteData(result);
  if (const int status = CheckedByModule(session, result); status != kExitOk) return status;
  return WriteOutput(options.output, result) ? kExitOk : kExitUsage;
}

}  // namespace

CommandRunner DefineFitArcs(CLI::App& command) {
  auto options = std::make_shared<FitOptions>();
  command.description(
      "Fits the motion's runs of linear segments with few lines and arcs that keep within the tolerance of them both "
      "ways and join without a kink where the path is smooth; its arcs stay, corners stay, and a segment that sets "
      "a new acceleration or speed still starts a segment with them (docs/geometry.md). The fitted motion is checked "
      "by the module before it is written.");
  AddOutputOption(command, options->output);
  AddNumberOption(command, "--tolerance", options->tolerance, 1e-4, 10.0, "TOL",
                  "how far the fitted path and the motion's path may lie from each other, in millimetres")
      ->required()
      ->default_str("");
  AddNumberOption(command, "--corner-angle", options->cornerDegrees, 0.0, 180.0, "DEG",
                  "where the path turns by more at a point, it has a corner that stays");
  AddOperand(command, options->source, "MOTION_FILE", "motion file", "the motion file, or - for standard input");
  return [options](HostSession& session) { return FitArcs(session, *options); };
}
