#include <cmath>
#include <cstdio>
#include <memory>

#include "geometry/PathWalk.h"
#include "geometry/SegmentGeometry.h"
#include "geometry/TravelTime.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/MotionPath.h"
#include "tools/host/TextIO.h"

namespace {

using geometry::Degrees;

// What the report tells about a path, in the units of the motion.
struct PathReport {
  const MotionPath& path;
  geometry::PathWalk walk;
  std::vector<double> times;  // NaN where not known
  double cornerThreshold;
  geometry::Point countGap;  // each axis's own counts, after the program's rounding

  bool IsStop(const geometry::WalkedSegment& segment) const { return segment.cornerAngle > cornerThreshold; }
};

// Lengths, speeds and accelerations in base units, so that times come out in seconds. Without a
// kind of load the drives' internal units have no time scale: no leg is known then.
std::vector<double> TravelTimes(const MotionPath& path, const geometry::PathWalk& walk, double cornerThreshold) {
  std::vector<geometry::TravelLeg> legs;
  for (size_t i = 0; i < walk.segments.size(); ++i) {
    geometry::TravelLeg leg;
    leg.length = walk.segments[i].length * path.lengthUnitInBase;
    if (path.unitsKnown) {
      leg.speed = path.speed[i] * path.speedUnitInBase;
      leg.acceleration = path.acceleration[i] * path.accelerationUnitInBase;
    }
    leg.stopBefore = walk.segments[i].cornerAngle > cornerThreshold;
    legs.push_back(leg);
  }
  return geometry::EstimateTravelTimes(legs);
}

PathReport MakeReport(const MotionPath& path, double cornerThreshold) {
  PathReport report{path, geometry::Walk(path.written), {}, cornerThreshold, {}};
  report.times = TravelTimes(path, report.walk, cornerThreshold);
  const geometry::Point programEnd = geometry::Walk(path.program).end;
  report.countGap = {programEnd.x * path.countsPerLiteral[0], programEnd.y * path.countsPerLiteral[1]};
  return report;
}

const char* KindName(const geometry::PathSegment& segment) {
  return segment.kind == geometry::PathSegment::Kind::Linear ? "line" : "arc";
}

// A fixed-point number without a minus sign on a value that shows as zero.
CString Fixed(double value, int decimals) {
  if (std::abs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0.0;
  CString text;
  text.Format("%.*f", decimals, value);
  return text;
}

CString Counts(double value) { return Fixed(value, std::abs(value - std::round(value)) < 0.005 ? 0 : 2); }

CString ValueOrDash(double value) {
  CString text("-");
  if (value != 0.0) text.Format("%g", value);
  return text;
}

CString TimeOrDash(double seconds) { return std::isnan(seconds) ? CString("-") : Fixed(seconds, 4); }

// Which of acceleration and speed the segment runs without, and how to give it.
CString Unestimated(const MotionPath& path, size_t segment) {
  CString text;
  if (path.acceleration[segment] == 0.0)
    text.Format(
        "unknown: no acceleration is set for segment %zu; give the first segment one (CACC, or import-gcode "
        "--acceleration A)",
        segment + 1);
  else
    text.Format("unknown: no speed is set for segment %zu; give the first segment one (CSPD)", segment + 1);
  return text;
}

CString TotalTime(const PathReport& report) {
  if (!report.path.unitsKnown) return "unknown: the drives' kind of load is undetermined";
  double total = 0.0;
  for (size_t i = 0; i < report.times.size(); ++i) {
    if (std::isnan(report.times[i])) return Unestimated(report.path, i);
    total += report.times[i];
  }
  return Fixed(total, 4) + " s";
}

CString Table(const PathReport& report) {
  const MotionPath& path = report.path;
  const char* unit = path.lengthUnit.GetString();
  CString text;
  text.AppendFormat("Lengths in %s, angles in degrees, acceleration in %s, speed in %s, time in s.\n", unit,
                    path.accelerationUnit.GetString(), path.speedUnit.GetString());
  text.AppendFormat("%4s  %-4s %11s %11s %11s %11s %8s %8s %8s %10s %10s %9s\n", "#", "kind", "end X", "end Y",
                    "length", "total", "in", "out", "corner", "acc", "speed", "time");
  for (size_t i = 0; i < report.walk.segments.size(); ++i) {
    const geometry::WalkedSegment& s = report.walk.segments[i];
    const CString corner = i == 0 ? CString("-") : Fixed(Degrees(s.cornerAngle), 2) + (report.IsStop(s) ? "*" : "");
    text.AppendFormat("%4zu  %-4s %11s %11s %11s %11s %8s %8s %8s %10s %10s %9s\n", i + 1, KindName(path.written[i]),
                      Fixed(s.end.x, 4).GetString(), Fixed(s.end.y, 4).GetString(), Fixed(s.length, 4).GetString(),
                      Fixed(s.cumulativeLength, 4).GetString(), Fixed(Degrees(s.headingIn), 2).GetString(),
                      Fixed(Degrees(s.headingOut), 2).GetString(), corner.GetString(),
                      ValueOrDash(path.acceleration[i]).GetString(), ValueOrDash(path.speed[i]).GetString(),
                      TimeOrDash(report.times[i]).GetString());
  }
  const geometry::Point end = report.walk.end;
  text.AppendFormat("* a corner of more than %s degrees: the path stops there\n\n",
                    Fixed(Degrees(report.cornerThreshold), 2).GetString());
  text.AppendFormat("total length     %s %s\n", Fixed(report.walk.totalLength, 4).GetString(), unit);
  text.AppendFormat("estimated time   %s\n", TotalTime(report).GetString());
  text.AppendFormat("end point        X %s %s, Y %s %s\n", Fixed(end.x, 4).GetString(), unit,
                    Fixed(end.y, 4).GetString(), unit);
  text.AppendFormat("closes           %s\n", geometry::Closes(report.walk) ? "yes" : "no");
  text.AppendFormat(
      "closing gap      %s %s as written; X %s counts, Y %s counts on the drives after the program's "
      "rounding\n",
      Fixed(std::hypot(end.x, end.y), 4).GetString(), unit, Counts(report.countGap.x).GetString(),
      Counts(report.countGap.y).GetString());
  return text;
}

CString Csv(const PathReport& report) {
  const MotionPath& path = report.path;
  const char* unit = path.lengthUnit.GetString();
  CString text;
  text.AppendFormat(
      "segment,kind,end X [%s],end Y [%s],length [%s],total length [%s],heading in [deg],"
      "heading out [deg],corner [deg],stops,acceleration [%s],speed [%s],time [s]\n",
      unit, unit, unit, unit, path.accelerationUnit.GetString(), path.speedUnit.GetString());
  for (size_t i = 0; i < report.walk.segments.size(); ++i) {
    const geometry::WalkedSegment& s = report.walk.segments[i];
    CString time;
    if (!std::isnan(report.times[i])) time.Format("%.10g", report.times[i]);
    text.AppendFormat("%zu,%s,%.10g,%.10g,%.10g,%.10g,%.10g,%.10g,%.10g,%s,%.10g,%.10g,%s\n", i + 1,
                      KindName(path.written[i]), s.end.x, s.end.y, s.length, s.cumulativeLength, Degrees(s.headingIn),
                      Degrees(s.headingOut), Degrees(s.cornerAngle), report.IsStop(s) ? "yes" : "no",
                      path.acceleration[i], path.speed[i], time.GetString());
  }
  return text;
}

}  // namespace

namespace {

struct ReportOptions {
  PathOptions path;
  std::string format = "table";
};

int Report(HostSession& session, const ReportOptions& options) {
  MotionPath path;
  if (const int status = LoadMotionPath(session, options.path.motionFile, path); status != kExitOk) return status;
  const PathReport report = MakeReport(path, options.path.CornerThreshold());
  WriteText(stdout, options.format == "csv" ? Csv(report) : Table(report));
  return kExitOk;
}

}  // namespace

CommandRunner DefineReport(CLI::App& command) {
  auto options = std::make_shared<ReportOptions>();
  command.description(
      "Prints one row per segment (end point, length, headings, corner, acceleration, speed, time) and the path's "
      "length, time, end point and closing gap, also in the drives' counts.");
  command.add_option("--format", options->format, "a table for people, or csv rows for a spreadsheet")
      ->type_name("table|csv")
      ->check(CLI::IsMember({"table", "csv"}).description(""))
      ->capture_default_str();
  AddPathOptions(command, options->path);
  return [options](HostSession& session) { return Report(session, *options); };
}
