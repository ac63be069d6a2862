#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>

#include "tests/framework/TemporaryDirectory.h"
#include "tests/tools/MotionHostRun.h"

// motion-host import-dxf on the drawings of tests/geometry/dxf/ (make-fixtures.py says what each
// holds): each motion translates, and its report ends and measures as the drawing does.
namespace {

namespace fs = std::filesystem;
constexpr double kPi = std::numbers::pi;
const std::string kFixtures = DXF_FIXTURES;

// What `report` says of the whole path.
struct Totals {
  double length = NAN;
  double endX = NAN, endY = NAN;  // from the start, mm
  double gapX = NAN, gapY = NAN;  // where the path ends on the drives, in counts from its start
};

Totals TotalsOf(const std::string& report) {
  Totals totals;
  std::sscanf(report.c_str() + report.find("total length"), "total length %lf", &totals.length);
  std::sscanf(report.c_str() + report.find("end point"), "end point X %lf mm, Y %lf", &totals.endX, &totals.endY);
  const size_t gap = report.find("as written; ");
  std::sscanf(report.c_str() + gap, "as written; X %lf counts, Y %lf", &totals.gapX, &totals.gapY);
  return totals;
}

class ImportDxfCommand : public TemporaryDirectoryTest {
 protected:
  std::string Write(const char* name, const std::string& text) {
    WriteFile(PathOf(name), text);
    return PathOf(name);
  }
};

TEST_F(ImportDxfCommand, DrawingsBecomeMotionsThatEndAndMeasureAsDrawn) {
  const double roundedRectangle = 2 * 80 + 2 * 40 + 20 * kPi;
  const struct {
    std::string file;
    std::string options;
    double endX, endY;       // mm, from the start
    double length;           // mm
    bool closes;             // within a count on the drives (an arc may end between counts)
    double lengthTolerance;  // mm: counts of 0.5 um per segment, and approximated curves
  } cases[] = {
      {"rounded-rectangle.dxf", "", 0, 0, roundedRectangle, true, 1e-4},
      // The arc after the 0.0005 mm gap passes through where the line before it ended.
      {"shuffled-outline.dxf", "--layer CUT", 0, 0, roundedRectangle - 0.0005, true, 0.001},
      {"two-contours.dxf", "--contour 2", 0, 0, 30 * kPi, true, 1e-4},
      {"inch-slot.dxf", "", 0, 0, (6 + kPi) * 25.4, true, 1e-4},
      {"ellipse.dxf", "", 0, 0, kPi * 45 * (1 + (1.0 / 3) / (10 + std::sqrt(4 - 1.0 / 3))), true, 0.01},
      {"spline.dxf", "", -40, 0, 20 * kPi, false, 0.01},
      {"block-twice.dxf", "--contour 2 --acceleration 1", 0, 0, 40 + 10 * kPi, true, 1e-4},
      {"layer-case.dxf", "--layer cut", 0, 0, 160, true, 1e-4},
      {"stretched-circle.dxf", "", 0, 0, 96.8845, true, 0.01},  // the ellipse of half axes 20 and 10
      {"fit-spline-closed.dxf", "", 0, 0, 125.5763, true, 0.001},
      {"units-none.dxf", "--units in", 127, 0, 127, false, 1e-4},
      // The 720 lines of the traced circle, within 0.01 mm of them both ways, run as long.
      {"traced-circle.dxf", "--fit-arcs 0.01", 0, 0, 157.0791, true, 0.02},
  };
  for (const auto& c : cases) {
    const std::string motion = PathOf("imported.motion");
    const HostRun imported = MotionHost("import-dxf " + kFixtures + "/" + c.file + " " + c.options + " -o " + motion);
    if (!RanCleanly(imported, c.file)) continue;
    EXPECT_EQ(MotionHost("translate " + motion).status, 0) << c.file;
    const HostRun report = MotionHost("report " + motion);
    if (!RanCleanly(report, c.file)) continue;
    const Totals totals = TotalsOf(report.out);
    EXPECT_NEAR(totals.endX, c.endX, 0.001) << c.file;
    EXPECT_NEAR(totals.endY, c.endY, 0.001) << c.file;
    EXPECT_NEAR(totals.length, c.length, c.lengthTolerance) << c.file;
    EXPECT_EQ(std::abs(totals.gapX) < 1 && std::abs(totals.gapY) < 1, c.closes) << c.file << "\n" << report.err;
    EXPECT_EQ(report.out.find("closes           yes") != std::string::npos, c.closes) << c.file << "\n" << report.out;
  }
}

// The traced circle fitted with arcs: few segments, each ending on the circle.
TEST_F(ImportDxfCommand, FitArcsMakesFewSegmentsOnTheCurve) {
  const std::string motion = PathOf("fitted.motion");
  ASSERT_TRUE(
      RanCleanly(MotionHost("import-dxf --fit-arcs 0.01 " + kFixtures + "/traced-circle.dxf -o " + motion), "import"));
  const HostRun report = MotionHost("report --format csv " + motion);
  ASSERT_TRUE(RanCleanly(report, "report"));
  int rows = 0;
  for (size_t line = report.out.find('\n'); line + 1 < report.out.size(); line = report.out.find('\n', line + 1)) {
    double endX = NAN, endY = NAN;
    ASSERT_EQ(std::sscanf(report.out.c_str() + line + 1, "%*d,%*[a-z],%lf,%lf", &endX, &endY), 2);
    EXPECT_NEAR(std::hypot(25 + endX, endY), 25, 0.01) << "row " << rows + 1;
    ++rows;
  }
  EXPECT_GE(rows, 1);
  EXPECT_LE(rows, 8);
}

TEST_F(ImportDxfCommand, ListTellsTheUnitTheLayersAndTheContoursAndWritesNothing) {
  const HostRun run = MotionHost("import-dxf --list " + kFixtures + "/layer-case.dxf");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "unit: mm (1 mm)\n"
            "layers:\n"
            "  0                0 entities\n"
            "  Defpoints        0 entities\n"
            "  Cut              4 entities\n"
            "  Holes            1 entity\n"
            "contours:\n"
            "  contour  layer  path    start (mm)                          segments  length (mm)\n"
            "        1  Cut    closed  X 0.0000 Y 0.0000                          4     160.0000\n"
            "        2  Holes  closed  X 30.0000 Y 15.0000                        1      31.4159\n");
}

TEST_F(ImportDxfCommand, OneContourWrittenSaysWhereItStarts) {
  const HostRun run = MotionHost("import-dxf --contour 2 " + kFixtures + "/layer-case.dxf -o " + PathOf("c2.motion"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, PathOf("c2.motion") + ": starts at X 30.0000 Y 15.0000\n");
}

TEST_F(ImportDxfCommand, MistakesOnTheCommandLineAreToldAsSuch) {
  const std::string drawing = kFixtures + "/layer-case.dxf";
  const struct {
    std::string arguments;
    std::string message;
  } cases[] = {
      {"--bogus 0.01 " + drawing, "motion-host import-dxf: unknown option \"--bogus\"\n"},
      {"--units parsec " + drawing,
       "--units: takes a unit of length (mm, cm, dm, m, km, um, nm, in, ft, yd, mi, mil, uin), not \"parsec\""},
      {"--list -o " + PathOf("out.motion") + " " + drawing, "-o excludes --list"},
      {drawing + " " + drawing, "motion-host import-dxf: one DXF file at most, not 2\n"},
  };
  for (const auto& c : cases) {
    const HostRun run = MotionHost("import-dxf " + c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << "\n" << run.err;
    EXPECT_EQ(run.out, "") << c.arguments;
  }
}

TEST_F(ImportDxfCommand, SplitWritesEachContourAndSaysWhereItStarts) {
  const HostRun run = MotionHost("import-dxf --split " + kFixtures + "/two-contours.dxf -o " + PathOf("part.motion"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, PathOf("part-1.motion") + ": starts at X 10.0000 Y 0.0000\n" + PathOf("part-2.motion") +
                         ": starts at X 165.0000 Y 30.0000\n");
  for (const char* part : {"part-1.motion", "part-2.motion"})
    EXPECT_EQ(MotionHost("translate " + PathOf(part)).status, 0) << part;
}

TEST_F(ImportDxfCommand, WhatCannotBecomeAMotionIsRefusedAndNothingIsWritten) {
  const std::string roundedRectangle = ReadFile(kFixtures + "/rounded-rectangle.dxf");
  const std::string tinyCircle =
      "0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n5\n2A\n10\n0\n20\n0\n40\n0.0002\n0\nENDSEC\n0\nEOF\n";
  const struct {
    std::string name;
    std::string arguments;
    std::string message;
  } cases[] = {
      {"binary", kFixtures + "/binary.dxf", "binary.dxf: a binary DXF file: only text (ASCII) DXF can be read"},
      {"cut short", Write("cut.dxf", roundedRectangle.substr(0, roundedRectangle.size() / 2)), "it is cut short"},
      {"no DXF", Write("notes.dxf", "cut along the line\n"), "notes.dxf: line 1: not a DXF file"},
      {"no entity", kFixtures + "/text-only.dxf",
       "text-only.dxf: no contour: the drawing has no line, arc, circle, polyline, ellipse or spline"},
      {"a layer the drawing does not have", "--layer NOPE " + kFixtures + "/rounded-rectangle.dxf",
       "rounded-rectangle.dxf: the drawing has no layer \"NOPE\"; its layers: 0 (0 entities), Defpoints (0 entities), "
       "CUT (1 entity)\n"},
      {"a branching", kFixtures + "/shuffled-outline.dxf",
       "shuffled-outline.dxf: skipped, as they make no contour: 2 DIMENSION, 1 HATCH, 1 MTEXT, 1 TEXT\n"
       "motion-host import-dxf: " +
           kFixtures +
           "/shuffled-outline.dxf: branching at (90.0000, 0.0000): ARC 8F, "
           "LINE 92, LINE B1 meet there\n"},
      {"two contours and no choice", kFixtures + "/block-twice.dxf",
       "block-twice.dxf: the file holds 2 contours; one motion runs one of them: choose it with --contour N, or "
       "write each into its own file with --split\n"
       "  contour  layer  path    start (mm)                          segments  length (mm)\n"
       "        1  PARTS  closed  X 40.0000 Y -5.0000                        4      71.4159\n"
       "        2  PARTS  closed  X 93.8397 Y 10.6699                        4      71.4159\n"},
      {"an entity the motion cannot hold", Write("tiny.dxf", tinyCircle),
       "tiny.dxf: CIRCLE 2A: the move does not fit the motion: a radius below one count of the drive"},
      {"drives that turn",
       "--setup " + std::string(EXAMPLES_DIR) + "/rotary.setup.json " + kFixtures + "/rounded-rectangle.dxf",
       "the setup's X and Y drives do not both carry linear loads"},
  };
  for (const auto& c : cases) {
    const HostRun run = MotionHost("import-dxf " + c.arguments + " -o " + PathOf("out.motion"));
    EXPECT_EQ(run.status, 2) << c.name << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << "\n" << run.err;
    EXPECT_FALSE(fs::exists(PathOf("out.motion"))) << c.name;
  }
}

}  // namespace
