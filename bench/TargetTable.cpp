#include "bench/TargetTable.h"

#include <optional>
#include <vector>

namespace {

constexpr double kStageTarget = 2.0;    // a stage at most twice its baseline
constexpr double kGrowthTarget = 11.0;  // ten times the segments: linear, with room for the caches
constexpr double kPeakTargetMiB = 40.0;
constexpr double kImportTarget = 3.0;           // an import at most three times a plain fgets and sscanf
constexpr double kFittingTarget = 4.0;          // an import with arc fitting at most four times one without
constexpr double kFitMillionTargetMs = 1000.0;  // a million traced points fitted in a second
constexpr double kOffsetTarget = 100.0;         // an offset at most a hundred times a walk of the same contour
constexpr int kSizes[] = {1000, 10000, 100000};
// plot and report against translate of the same motion: CPU time and peak memory, and the size
// of the picture of a million segments.
constexpr double kPathCommandTimeTarget = 1.5;
constexpr double kPathCommandMemoryTarget = 1.0;
constexpr double kPictureTargetMiB = 10.0;
// A setup file loaded at most three times as long as its JSON takes to parse.
constexpr double kSetupTarget = 3.0;
// An SVG drawing read and chained at most three times as long as libxml2 takes to parse it.
constexpr double kSvgTarget = 3.0;
// import-gcode of a million short moves against a plain strtod reader writing the motion's text,
// and its peak memory.
constexpr double kGcodeImportTarget = 3.0;
constexpr double kGcodeImportPeakTargetMiB = 120.0;

struct Row {
  std::string figure;
  double measured;
  double baseline;
  const char* unit;
  double target;
  bool targetOnRatio;  // otherwise the target bounds the measured figure itself

  double Ratio() const { return measured / baseline; }
  bool Met() const { return (targetOnRatio ? Ratio() : measured) <= target; }
};

class Rows {
 public:
  explicit Rows(const std::map<std::string, double>& figures) : m_Figures(figures) {}

  std::optional<double> Find(const std::string& name) const {
    const auto found = m_Figures.find(name);
    return found != m_Figures.end() ? std::optional(found->second) : std::nullopt;
  }
  std::optional<double> Milliseconds(const std::string& benchmark, int size) const {
    const auto seconds = Find(benchmark + "/" + std::to_string(size));
    return seconds ? std::optional(*seconds * 1000.0) : std::nullopt;
  }
  void Add(Row row) { m_Rows.push_back(std::move(row)); }
  // A row only when both figures were measured.
  void Add(std::string figure, std::optional<double> measured, std::optional<double> baseline, const char* unit,
           double target, bool targetOnRatio) {
    if (measured && baseline) Add(Row{std::move(figure), *measured, *baseline, unit, target, targetOnRatio});
  }
  const std::vector<Row>& All() const { return m_Rows; }

 private:
  const std::map<std::string, double>& m_Figures;
  std::vector<Row> m_Rows;
};

std::string SizeLabel(int size) {
  return size >= 1000000 ? std::to_string(size / 1000000) + "M" : std::to_string(size / 1000) + "k";
}

std::optional<double> InMilliseconds(std::optional<double> seconds) {
  return seconds ? std::optional(*seconds * 1000.0) : std::nullopt;
}

std::optional<double> Sum(std::optional<double> a, std::optional<double> b) {
  return a && b ? std::optional(*a + *b) : std::nullopt;
}

void AddStageRows(Rows& rows) {
  for (int size : kSizes) {
    const auto parse = rows.Milliseconds("ParseWithStrtod", size);
    const auto print = rows.Milliseconds("PrintWithSnprintf", size);
    const std::string segments = ", " + SizeLabel(size) + " segments";
    rows.Add("ReadData" + segments, rows.Milliseconds("ReadData", size), parse, "ms", kStageTarget, true);
    rows.Add("GenerateCode" + segments, rows.Milliseconds("GenerateCode", size), print, "ms", kStageTarget, true);
    rows.Add("TranslateMotionSequence" + segments, rows.Milliseconds("TranslateMotionSequence", size),
             Sum(parse, print), "ms", kStageTarget, true);
  }
}

void AddGrowthRows(Rows& rows) {
  for (const char* stage : {"ReadData", "GenerateCode", "TranslateMotionSequence"})
    rows.Add(std::string(stage) + ", 100k against 10k", rows.Milliseconds(stage, 100000),
             rows.Milliseconds(stage, 10000), "ms", kGrowthTarget, true);
}

// The editor: an import against reading the same file plainly, and each action on 10k rows
// against 1k rows (linear or better).
void AddEditorRows(Rows& rows) {
  rows.Add("Import From File, 100k lines", rows.Milliseconds("ImportFromFile", 100000),
           rows.Milliseconds("ReadWithFgetsSscanf", 100000), "ms", kImportTarget, true);
  for (const char* action :
       {"RefreshSegmentTable", "InsertAndRemove", "MoveDownAndUp", "UpdateAndNext", "NextWithPreview"})
    rows.Add(std::string("editor ") + action + ", 10k rows against 1k", rows.Milliseconds(action, 10000),
             rows.Milliseconds(action, 1000), "ms", kGrowthTarget, true);
}

// Arc fitting: the import of a traced outline of a million points with --fit-arcs against the
// same import without, and the fit of a million points against that of 100k (linear growth).
void AddFittingRows(Rows& rows) {
  rows.Add("G-code import with arc fitting, 1M points", rows.Milliseconds("ImportWithFitting", 1000000),
           rows.Milliseconds("ImportWithoutFitting", 1000000), "ms", kFittingTarget, true);
  rows.Add("FitArcs, 1M points", rows.Milliseconds("FitArcs", 1000000),
           rows.Milliseconds("ImportWithoutFitting", 1000000), "ms", kFitMillionTargetMs, false);
  rows.Add("FitArcs, 1M points against 100k", rows.Milliseconds("FitArcs", 1000000),
           rows.Milliseconds("FitArcs", 100000), "ms", kGrowthTarget, true);
}

// The offset of a ring of 100k segments against a walk of it, and against the offset of 10k
// (linear growth).
void AddOffsetRows(Rows& rows) {
  rows.Add("OffsetContour, 100k segments", rows.Milliseconds("OffsetRing", 100000),
           rows.Milliseconds("WalkRing", 100000), "ms", kOffsetTarget, true);
  rows.Add("OffsetContour, 100k against 10k", rows.Milliseconds("OffsetRing", 100000),
           rows.Milliseconds("OffsetRing", 10000), "ms", kGrowthTarget, true);
}

void AddMemoryRow(Rows& rows) {
  rows.Add("motion-host translate 100k, peak memory", rows.Find("MotionHostPeakMemory/100000:peak_MiB"),
           rows.Find("MotionHostPeakMemory/100000:text_MiB"), "MiB", kPeakTargetMiB, false);
}

// motion-host plot and report as processes, each against translate of the same motion.
void AddPathCommandRows(Rows& rows) {
  const auto figure = [&rows](int command, int size, const char* counter) {
    return rows.Find("MotionHostCommand/" + std::to_string(command) + "/" + std::to_string(size) + ":" + counter);
  };
  for (const int size : {100000, 1000000}) {
    for (const auto& [command, name] : {std::pair{1, "plot"}, std::pair{2, "report"}}) {
      const std::string what = std::string("motion-host ") + name + " " + SizeLabel(size);
      rows.Add(what + ", CPU time", InMilliseconds(figure(command, size, "cpu_s")),
               InMilliseconds(figure(0, size, "cpu_s")), "ms", kPathCommandTimeTarget, true);
      rows.Add(what + ", peak memory", figure(command, size, "peak_MiB"), figure(0, size, "peak_MiB"), "MiB",
               kPathCommandMemoryTarget, true);
    }
  }
  rows.Add("motion-host plot 1M, picture", figure(1, 1000000, "output_MiB"), figure(1, 1000000, "motion_MiB"), "MiB",
           kPictureTargetMiB, false);
}

// Setup files: a hundred thousand axes against parsing the same JSON, and against ten thousand.
void AddSetupRows(Rows& rows) {
  rows.Add("Setup file, 100k axes", rows.Milliseconds("LoadSetupFile", 100000),
           rows.Milliseconds("ParseSetupJson", 100000), "ms", kSetupTarget, true);
  rows.Add("Setup file, 100k axes against 10k", rows.Milliseconds("LoadSetupFile", 100000),
           rows.Milliseconds("LoadSetupFile", 10000), "ms", kGrowthTarget, true);
}

// An SVG drawing of ten thousand paths: read and chained, against its XML parse alone.
void AddSvgRow(Rows& rows) {
  rows.Add("SVG import, 10k paths", rows.Milliseconds("ImportSvg", 10000), rows.Milliseconds("ParseSvgXml", 10000),
           "ms", kSvgTarget, true);
}

// motion-host import-gcode as a process: its CPU time against the plain reader, its growth from
// 100k to 1M lines, and its peak memory (beside the size of the G-code file).
void AddGcodeImportRows(Rows& rows) {
  const auto import = [&rows](int lines, const char* counter) {
    return rows.Find("MotionHostImportGcode/" + std::to_string(lines) + ":" + counter);
  };
  rows.Add("motion-host import-gcode 1M lines, CPU time", InMilliseconds(import(1000000, "cpu_s")),
           rows.Milliseconds("PlainGcodeImport", 1000000), "ms", kGcodeImportTarget, true);
  rows.Add("motion-host import-gcode 1M against 100k", InMilliseconds(import(1000000, "cpu_s")),
           InMilliseconds(import(100000, "cpu_s")), "ms", kGrowthTarget, true);
  rows.Add("motion-host import-gcode 1M lines, peak memory", import(1000000, "peak_MiB"), import(1000000, "gcode_MiB"),
           "MiB", kGcodeImportPeakTargetMiB, false);
}

std::string Amount(double value, const char* unit) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f %s", value, unit);
  return text;
}

std::string TargetText(const Row& row) {
  char text[32];
  if (row.targetOnRatio)
    std::snprintf(text, sizeof text, "ratio <= %g", row.target);
  else
    std::snprintf(text, sizeof text, "<= %g %s", row.target, row.unit);
  return text;
}

}  // namespace

void PrintTargetTable(const std::map<std::string, double>& figures, std::FILE* out) {
  Rows rows(figures);
  AddStageRows(rows);
  AddGrowthRows(rows);
  AddEditorRows(rows);
  AddFittingRows(rows);
  AddOffsetRows(rows);
  AddMemoryRow(rows);
  AddPathCommandRows(rows);
  AddSetupRows(rows);
  AddSvgRow(rows);
  AddGcodeImportRows(rows);
  if (rows.All().empty()) return;
  const char* format = "%-46s %14s %14s %7s %14s  %s\n";
  std::fprintf(out, format, "figure", "measured", "baseline", "ratio", "target", "");
  for (const Row& row : rows.All()) {
    char ratio[16];
    std::snprintf(ratio, sizeof ratio, "%.2f", row.Ratio());
    std::fprintf(out, format, row.figure.c_str(), Amount(row.measured, row.unit).c_str(),
                 Amount(row.baseline, row.unit).c_str(), ratio, TargetText(row).c_str(),
                 row.Met() ? "ok" : "over target");
  }
}
