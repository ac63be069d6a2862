#include <fmt/format.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "geometry/core/PathWalk.h"
#include "geometry/core/SegmentGeometry.h"
#include "geometry/core/TravelTime.h"
#include "motionpath/MotionPath.h"
#include "motionpath/TravelLegs.h"
#include "tools/host/AtomicFileWriter.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/PathCommandInput.h"
#include "tools/host/TextIO.h"

namespace {

using geometry::Degrees;

// A speed that the program sends more than this share off what is written is one the drive's
// counts per sample cannot express.
constexpr double kSpeedTolerance = 0.01;
// Degrees: angles are kept in 16.16 fixed point.
constexpr double kAngleStep = 1.0 / 65536.0;
// Counts: what converting a written radius to counts may add by floating-point noise.
constexpr double kCountNoise = 1e-6;

// The warnings a row can carry, each explained by a footnote when any row carries it.
enum Warning { kCentripetal, kShort, kRadius, kSpeed, kWarnings };

const char* const kFootnotes[kWarnings] = {
    "centripetal: v^2/r at the speed in force exceeds the acceleration in force; the number is the speed that keeps it "
    "within",
    "short: the segment moves less than one count of a drive; the number is its length in that drive's counts",
    "radius: the written radius is no whole number of the reference drive's counts; the numbers are the counts it "
    "needs and the count the program sends",
    "speed: the speed set here is more than 1% off what is written in the reference drive's counts per sample "
    "(steps of 1/65536); the numbers are both, in counts per sample",
};

// The numbers of the rows: a report of a million rows prints some ten million of them, and fmt
// prints a number of a given precision at three times the cost of std::to_chars, which prints the
// same digits. The texts around them are fmt's.
std::string Printed(double value, std::chars_format format, int precision) {
  char text[64];
  return {text, std::to_chars(text, text + sizeof text, value, format, precision).ptr};
}

// A value as "%.*f" prints it, but without a minus sign on a value that shows as zero. That
// rounds the exact binary value; a value whose scaled value lies clearly off a tie rounds alike in
// floating point (its error is far below the margin at the sizes allowed), and its digits are
// those of the rounded integer, at a tenth of the cost again. Ties, near ties and large values go
// through to_chars.
std::string Fixed(double value, int decimals) {
  static constexpr double kScales[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
  constexpr double kTieMargin = 1e-3;
  constexpr double kLargest = 1e12;
  if (decimals >= 0 && decimals <= 4) {
    const double scaled = value * kScales[decimals];
    const double rounded = std::nearbyint(scaled);
    if (std::abs(scaled) < kLargest && std::abs(std::abs(scaled - rounded) - 0.5) > kTieMargin) {
      const auto units = static_cast<long long>(rounded);
      std::string digits = fmt::format_int(units < 0 ? -units : units).str();
      if (digits.size() <= static_cast<size_t>(decimals)) digits.insert(0, decimals + 1 - digits.size(), '0');
      if (decimals > 0) digits.insert(digits.size() - decimals, 1, '.');
      return units < 0 ? "-" + digits : digits;
    }
  }
  if (std::abs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0.0;
  return Printed(value, std::chars_format::fixed, decimals);
}

// As %.10g prints, but a value under 1e-4 in plain decimals too: a corner of 0.00008 degrees, which
// fitted curves leave, reads as one ("8e-05" does not, to people or to every spreadsheet).
std::string Full(double value) {
  constexpr double kSmallest = 1e-4;
  if (value == 0.0 || std::abs(value) >= kSmallest) return Printed(value, std::chars_format::general, 10);
  const int decimals = 9 - static_cast<int>(std::floor(std::log10(std::abs(value))));
  std::string text = Printed(value, std::chars_format::fixed, decimals);
  while (text.back() == '0') text.pop_back();
  return text;
}

// As Full, but 0 for a value below half of `step`, the finest the drives hold: what lies below
// is the noise of computing, not a place the machine can go ("-1.2e-15" shows as 0).
std::string FullAtResolution(double value, double step) { return Full(std::abs(value) < step / 2.0 ? 0.0 : value); }

// As %g prints.
std::string Short(double value) { return Printed(value, std::chars_format::general, 6); }

// A number of four significant digits, rounded down: a limit that is not exceeded once shown.
double FourDigitsDown(double value) {
  const double scale = std::pow(10.0, 3.0 - std::floor(std::log10(value)));
  return std::floor(value * scale) / scale;
}

// What the report needs of every segment, once its place on the path is known.
class SegmentView {
 public:
  SegmentView(const MotionPath& path, const MotionSegment& segment) : m_Path(path), m_Segment(segment) {}

  // The segment's warnings, "; " between them; `seen` marks each kind found.
  std::string Warnings(bool (&seen)[kWarnings]) const {
    std::string notes;
    const auto add = [&](Warning warning, const std::string& note) {
      notes += (notes.empty() ? "" : "; ") + note;
      seen[warning] = true;
    };
    if (const double speed = SpeedWithinAcceleration(); speed > 0.0)
      add(kCentripetal, fmt::format("centripetal {:.4g}", speed));
    if (const double counts = CountsOnCoarserDrive(); counts < 1.0) add(kShort, "short " + Fixed(counts, 2));
    if (IsArc()) {
      const double needed = m_Segment.written.radius * m_Path.countsPerLengthUnit;
      if (std::abs(needed - m_Segment.program.radius) > kCountNoise)
        add(kRadius, "radius " + Fixed(needed, 2) + " -> " + Fixed(m_Segment.program.radius, 0));
    }
    const double written = m_Segment.writtenSpeedCounts;
    const double sent = m_Segment.programSpeedCounts;
    if (written != 0.0 && std::abs(sent - written) > kSpeedTolerance * std::abs(written))
      add(kSpeed, "speed " + Short(written) + " -> " + Short(sent));
    return notes;
  }

 private:
  bool IsArc() const { return m_Segment.written.kind == geometry::PathSegment::Kind::Circular; }

  // For an arc whose v^2/r exceeds the acceleration in force, the speed that keeps it within, in
  // the speed's unit; 0 otherwise.
  double SpeedWithinAcceleration() const {
    if (!IsArc() || !m_Path.unitsKnown) return 0.0;
    const double v = m_Segment.speed * m_Path.speedUnitInBase;
    const double a = m_Segment.acceleration * m_Path.accelerationUnitInBase;
    const double r = m_Segment.written.radius * m_Path.lengthUnitInBase;
    if (a <= 0.0 || v * v <= a * r) return 0.0;
    return FourDigitsDown(std::sqrt(a * r) / m_Path.speedUnitInBase);
  }

  // The program's length of the segment in the counts of the drive that has fewer.
  double CountsOnCoarserDrive() const {
    return geometry::Length(m_Segment.program) * std::min(m_Path.countsPerLiteral[0], m_Path.countsPerLiteral[1]);
  }

  const MotionPath& m_Path;
  const MotionSegment& m_Segment;
};

// One row as it is printed.
struct Row {
  size_t number = 0;
  const MotionSegment& segment;
  const geometry::WalkedSegment& walked;
  bool stops = false;
  double time = 0.0;  // seconds; NaN where not known
  std::string warnings;
};

// What the report tells after its rows.
struct Totals {
  geometry::WalkSummary walk;
  double cornerThreshold = 0.0;
  double time = 0.0;                    // seconds, of every segment
  size_t firstUnknown = 0;              // the first segment without a time, from 1; 0 for none
  bool unknownForAcceleration = false;  // it has no acceleration in force (else no speed)
  geometry::Point countGap;             // each axis's own counts, after the program's rounding
  bool warned[kWarnings] = {};
};

const char* KindName(const geometry::PathSegment& segment) {
  return segment.kind == geometry::PathSegment::Kind::Linear ? "line" : "arc";
}

std::string Counts(double value) { return Fixed(value, std::abs(value - std::round(value)) < 0.005 ? 0 : 2); }

std::string ValueOrDash(double value) { return value != 0.0 ? Short(value) : "-"; }

std::string TimeOrDash(double seconds) { return std::isnan(seconds) ? "-" : Fixed(seconds, 4); }

// Appends `text` right-aligned in a column of `width` characters, after `gap` spaces.
void AppendColumn(std::string& line, const std::string& text, size_t width, size_t gap = 1) {
  line.append(gap + (text.size() < width ? width - text.size() : 0), ' ');
  line += text;
}

// Which of acceleration and speed the first segment without a time runs without, and how to give
// it.
std::string Unestimated(const Totals& totals) {
  const std::string segment = std::to_string(totals.firstUnknown);
  if (totals.unknownForAcceleration)
    return "unknown: no acceleration is set for segment " + segment +
           "; give the first segment one (CACC, or --acceleration A when importing)";
  return "unknown: no speed is set for segment " + segment + "; give the first segment one (CSPD)";
}

// The rows of the report, in one of its formats, printed as they come.
class ReportFormat {
 public:
  ReportFormat(const MotionPath& path, std::FILE* out)
      : m_Path(path), m_Unit(path.lengthUnit.GetString()), m_Out(out) {}
  virtual ~ReportFormat() = default;
  virtual void Header() = 0;
  virtual void Print(const Row& row) = 0;
  virtual void Footer(const Totals& totals) = 0;

 protected:
  const MotionPath& m_Path;
  const char* m_Unit;
  std::FILE* m_Out;
  std::string m_Line;  // the row being printed, its room kept from row to row
};

class TableFormat : public ReportFormat {
 public:
  using ReportFormat::ReportFormat;

  void Header() override {
    fmt::print(m_Out, "Lengths in {}, angles in degrees, acceleration in {}, speed in {}, time in s.\n", m_Unit,
               m_Path.accelerationUnit.GetString(), m_Path.speedUnit.GetString());
    fmt::print(m_Out, "{:>4}  {:<4} {:>11} {:>11} {:>11} {:>11} {:>8} {:>8} {:>8} {:>10} {:>10} {:>9}  {}\n", "#",
               "kind", "end X", "end Y", "length", "total", "in", "out", "corner", "acc", "speed", "time", "warnings");
  }

  void Print(const Row& row) override {
    const geometry::WalkedSegment& s = row.walked;
    const std::string corner = row.number == 1 ? "-" : Fixed(Degrees(s.cornerAngle), 2) + (row.stops ? "*" : "");
    m_Line.clear();
    AppendColumn(m_Line, std::to_string(row.number), 4, 0);
    m_Line += "  ";
    const std::string kind = KindName(row.segment.written);
    m_Line += kind + std::string(4 - kind.size(), ' ');
    for (const double length : {s.end.x, s.end.y, s.length, s.cumulativeLength})
      AppendColumn(m_Line, Fixed(length, 4), 11);
    for (const double angle : {Degrees(s.headingIn), Degrees(s.headingOut)}) AppendColumn(m_Line, Fixed(angle, 2), 8);
    AppendColumn(m_Line, corner, 8);
    AppendColumn(m_Line, ValueOrDash(row.segment.acceleration), 10);
    AppendColumn(m_Line, ValueOrDash(row.segment.speed), 10);
    AppendColumn(m_Line, TimeOrDash(row.time), 9);
    if (!row.warnings.empty()) m_Line += "  " + row.warnings;
    m_Line += '\n';
    std::fwrite(m_Line.data(), 1, m_Line.size(), m_Out);
  }

  void Footer(const Totals& totals) override {
    const geometry::Point end = totals.walk.end;
    fmt::print(m_Out, "* a corner of more than {} degrees: the path stops there\n",
               Fixed(Degrees(totals.cornerThreshold), 2));
    for (int warning = 0; warning < kWarnings; ++warning)
      if (totals.warned[warning]) fmt::print(m_Out, "{}\n", kFootnotes[warning]);
    fmt::print(m_Out, "\ntotal length     {} {}\n", Fixed(totals.walk.totalLength, 4), m_Unit);
    fmt::print(m_Out, "estimated time   {}\n", TotalTime(totals));
    fmt::print(m_Out, "end point        X {} {}, Y {} {}\n", Fixed(end.x, 4), m_Unit, Fixed(end.y, 4), m_Unit);
    // Arcs end between counts: a path whose rounded end lies within half a count of its start on
    // each drive returns there as far as the drives can tell.
    const bool onTheDrives = std::abs(totals.countGap.x) < 0.5 && std::abs(totals.countGap.y) < 0.5;
    fmt::print(m_Out, "closes           {}\n", geometry::Closes(totals.walk) || onTheDrives ? "yes" : "no");
    fmt::print(
        m_Out,
        "closing gap      {} {} as written; X {} counts, Y {} counts on the drives after the program's rounding\n",
        Fixed(geometry::Norm(end), 4), m_Unit, Counts(totals.countGap.x), Counts(totals.countGap.y));
  }

 private:
  std::string TotalTime(const Totals& totals) const {
    if (!m_Path.unitsKnown) return "unknown: the drives' kind of load is undetermined";
    if (totals.firstUnknown != 0) return Unestimated(totals);
    return Fixed(totals.time, 4) + " s, with the tangential acceleration only, as the controller plans it";
  }
};

class CsvFormat : public ReportFormat {
 public:
  using ReportFormat::ReportFormat;

  void Header() override {
    fmt::print(m_Out,
               "segment,kind,end X [{0}],end Y [{0}],length [{0}],total length [{0}],heading in [deg],"
               "heading out [deg],corner [deg],stops,acceleration [{1}],speed [{2}],time [s],warnings\n",
               m_Unit, m_Path.accelerationUnit.GetString(), m_Path.speedUnit.GetString());
  }

  void Print(const Row& row) override {
    const geometry::WalkedSegment& s = row.walked;
    const double count = 1.0 / m_Path.countsPerLengthUnit;
    m_Line = std::to_string(row.number) + "," + KindName(row.segment.written);
    for (const double length : {s.end.x, s.end.y, s.length, s.cumulativeLength})
      m_Line += "," + FullAtResolution(length, count);
    for (const double angle : {Degrees(s.headingIn), Degrees(s.headingOut), Degrees(s.cornerAngle)})
      m_Line += "," + FullAtResolution(angle, kAngleStep);
    m_Line += row.stops ? ",yes," : ",no,";
    m_Line += Full(row.segment.acceleration) + "," + Full(row.segment.speed) + ",";
    if (!std::isnan(row.time)) m_Line += Full(row.time);
    m_Line += "," + row.warnings + "\n";
    std::fwrite(m_Line.data(), 1, m_Line.size(), m_Out);
  }

  void Footer(const Totals&) override {}
};

// Two walks along the path: the first plans the speeds at the joints and finds the closing gap
// on the drives, the second prints each row as it is worked out. Nothing is kept per segment
// but the planner's joint speeds.
void PrintReport(const MotionPath& path, double cornerThreshold, ReportFormat& format) {
  Totals totals;
  totals.cornerThreshold = cornerThreshold;
  geometry::TravelPlanner planner;
  geometry::Point programEnd;
  {
    geometry::PathWalker walker;
    path.ForEachSegment([&](const MotionSegment& segment) {
      planner.Add(TravelLegOf(path, segment, walker.Next(segment.written), cornerThreshold));
      programEnd = programEnd + geometry::Displacement(segment.program);
    });
  }
  planner.Finish();
  totals.countGap = {programEnd.x * path.countsPerLiteral[0], programEnd.y * path.countsPerLiteral[1]};

  format.Header();
  geometry::PathWalker walker;
  path.ForEachSegment([&](const MotionSegment& segment) {
    const size_t index = walker.Summary().segmentCount;
    const geometry::WalkedSegment walked = walker.Next(segment.written);
    const SegmentView view(path, segment);
    const Row row{index + 1,
                  segment,
                  walked,
                  geometry::IsCorner(walked, cornerThreshold),
                  planner.Time(index, TravelLegOf(path, segment, walked, cornerThreshold)),
                  view.Warnings(totals.warned)};
    if (std::isnan(row.time) && totals.firstUnknown == 0) {
      totals.firstUnknown = row.number;
      totals.unknownForAcceleration = segment.acceleration == 0.0;
    }
    if (!std::isnan(row.time)) totals.time += row.time;
    format.Print(row);
  });
  totals.walk = walker.Summary();
  format.Footer(totals);
}

}  // namespace

namespace {

struct ReportOptions {
  PathOptions path;
  std::string format = "table";
  std::string output;
};

void PrintReport(const MotionPath& path, const ReportOptions& options, std::FILE* out) {
  TableFormat table(path, out);
  CsvFormat csv(path, out);
  PrintReport(path, options.path.CornerThreshold(), options.format == "csv" ? static_cast<ReportFormat&>(csv) : table);
}

// The rows go to the file as they are printed, so that a report of many rows is never held whole.
int Report(HostSession& session, const ReportOptions& options) {
  const auto loaded = LoadMotionPath(session, options.path.motionFile);
  if (!loaded) return loaded.Failure();
  if (options.output.empty()) {
    PrintReport(*loaded.Value(), options, stdout);
    return kExitOk;
  }
  AtomicFileWriter file;
  std::string error;
  if (file.Open(options.output, error)) {
    PrintReport(*loaded.Value(), options, file.Stream());
    if (file.Commit(error) == AtomicFileWriter::Outcome::kWritten) return kExitOk;
  }
  HostSession::ReportError(error);
  return kExitUsage;
}

}  // namespace

CommandRunner DefineReport(CLI::App& command) {
  auto options = std::make_shared<ReportOptions>();
  command.description(
      "Prints one row per segment (end point, length, headings, corner, acceleration, speed, time, warnings) and "
      "the path's length, time, end point and closing gap, also in the drives' counts.");
  AddChoiceOption(command, "--format", options->format, {"table", "csv"},
                  "a table for people, or csv rows for a spreadsheet");
  AddOutputOption(command, options->output);
  AddPathOptions(command, options->path);
  return [options](HostSession& session) { return Report(session, *options); };
}
