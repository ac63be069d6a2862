#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "geometry/core/Angles.h"
#include "geometry/core/RelativePath.h"
#include "geometry/core/SegmentGeometry.h"
#include "geometry/drawing/DrawingImport.h"
#include "geometry/drawing/dxf/DxfReader.h"
#include "tests/geometry/PieceDistance.h"

// The drawings of tests/geometry/dxf/, written by ezdxf (make-fixtures.py says what each holds),
// read and made contours as motion-host import-dxf does.
namespace {

using geometry::Point;
using namespace std::string_literals;
constexpr double kPi = std::numbers::pi;

std::string Fixture(const std::string& name) {
  std::ifstream file(std::string(DXF_FIXTURES) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

using Imported = Result<geometry::ImportedDrawing>;

Imported Import(const std::string& bytes, const std::vector<std::string>& layers = {}) {
  const Result<geometry::Drawing> drawing = geometry::ReadDxf(bytes);
  if (!drawing) return drawing.Failure();
  geometry::DrawingOptions options;
  options.layers = layers;
  return geometry::ImportDrawing(drawing.Value(), options);
}

std::string FaultOf(const Imported& imported) { return imported ? "" : imported.Failure().message; }

std::string Joined(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) joined += line + "\n";
  return joined;
}

// Where the first point of the block's slot, 10 mm left of and 5 mm below its base point, lands
// under an insert turned by `degrees` at `position`.
Point SlotStart(Point position, double degrees) {
  const double turn = degrees * kPi / 180.0;
  return {position.x - 10 * std::cos(turn) + 5 * std::sin(turn), position.y - 10 * std::sin(turn) - 5 * std::cos(turn)};
}

// Ramanujan's second approximation; for half axes 30 and 15 it is exact to 1e-8 mm.
double EllipseLength(double a, double b) {
  const double h = std::pow((a - b) / (a + b), 2);
  return kPi * (a + b) * (1 + 3 * h / (10 + std::sqrt(4 - 3 * h)));
}

TEST(DxfImport, FixturesBecomeTheirContours) {
  struct Contour {
    bool closed;
    Point start, end;
    double length;  // mm
  };
  const double roundedRectangle = 2 * 80 + 2 * 40 + 20 * kPi;
  const Point ellipseStart{50 + 30 * std::cos(kPi / 6), 40 + 30 * std::sin(kPi / 6)};
  const struct {
    std::string file;
    std::vector<std::string> layers;
    std::vector<Contour> contours;
    double lengthTolerance;  // mm: approximated curves fall short of their length by a little
  } cases[] = {
      {"rounded-rectangle.dxf", {}, {{true, {10, 0}, {10, 0}, roundedRectangle}}, 1e-9},
      // The earliest entity, the top line, runs its own direction: the contour runs clockwise.
      {"shuffled-outline.dxf", {"CUT"}, {{true, {10, 60}, {10, 60}, roundedRectangle - 0.0005}}, 1e-9},
      {"two-contours.dxf",
       {},
       {{true, {10, 0}, {10, 0}, roundedRectangle}, {true, {165, 30}, {165, 30}, 30 * kPi}},
       1e-9},
      {"inch-slot.dxf", {}, {{true, {0, 0}, {0, 0}, (6 + kPi) * 25.4}}, 1e-9},
      {"ellipse.dxf", {}, {{true, ellipseStart, ellipseStart, EllipseLength(30, 15)}}, 0.01},
      {"spline.dxf", {}, {{false, {20, 0}, {-20, 0}, 20 * kPi}}, 0.01},
      {"block-twice.dxf",
       {"PARTS"},
       {{true, SlotStart({50, 0}, 0), SlotStart({50, 0}, 0), 40 + 10 * kPi},
        {true, SlotStart({100, 20}, 30), SlotStart({100, 20}, 30), 40 + 10 * kPi}},
       1e-9},
      // Layers match whatever the case, here and in the file: one line of four names CUT.
      {"layer-case.dxf", {"cut"}, {{true, {0, 0}, {0, 0}, 160}}, 1e-9},
      {"layer-case.dxf", {"CUT"}, {{true, {0, 0}, {0, 0}, 160}}, 1e-9},
      {"codepage-1252.dxf", {"kontur_äussere"}, {{true, {10, 0}, {10, 0}, 20 * kPi}}, 1e-9},
      {"codepage-1251.dxf", {"контур"}, {{true, {10, 0}, {10, 0}, 20 * kPi}}, 1e-9},
      {"codepage-utf8.dxf", {"KONTUR_ÄUßERE_轮廓"}, {{true, {10, 0}, {10, 0}, 20 * kPi}}, 1e-9},
      {"units-micron.dxf", {}, {{false, {0, 0}, {5, 0}, 5}}, 1e-9},
      {"units-decimetre.dxf", {}, {{false, {0, 0}, {500, 0}, 500}}, 1e-9},
      {"units-survey-foot.dxf", {}, {{false, {0, 0}, {5 * 1200000.0 / 3937, 0}, 5 * 1200000.0 / 3937}}, 1e-9},
      // The line drawn again, the line over the top line, the second circle and the arc on it go.
      {"overlaps.dxf", {}, {{true, {0, 0}, {0, 0}, 160}, {true, {30, 15}, {30, 15}, 10 * kPi}}, 1e-9},
      // Through points of a half circle, leaving and reaching it along its tangents.
      {"fit-spline.dxf", {}, {{false, {20, 0}, {-20, 0}, 20 * kPi}}, 0.01},
      {"stretched-circle.dxf", {}, {{true, {20, 0}, {20, 0}, EllipseLength(20, 10)}}, 0.01},
      {"polyline-kinds.dxf", {}, {{false, {0, 0}, {10, 10}, 20}, {false, {10.01, 10}, {0, 10}, 10.01}}, 1e-9},
  };
  for (const auto& c : cases) {
    const Imported imported = Import(Fixture(c.file), c.layers);
    EXPECT_EQ(FaultOf(imported), "") << c.file;
    if (!imported) continue;
    EXPECT_EQ(imported->contours.size(), c.contours.size()) << c.file;
    if (imported->contours.size() != c.contours.size()) continue;
    for (size_t i = 0; i < c.contours.size(); ++i) {
      const geometry::DrawingContour& contour = imported->contours[i];
      const Contour& expected = c.contours[i];
      EXPECT_EQ(contour.closed, expected.closed) << c.file << " contour " << i + 1;
      EXPECT_NEAR(contour.Start().x, expected.start.x, 1e-9) << c.file << " contour " << i + 1;
      EXPECT_NEAR(contour.Start().y, expected.start.y, 1e-9) << c.file << " contour " << i + 1;
      EXPECT_NEAR(contour.End().x, expected.end.x, 1e-3) << c.file << " contour " << i + 1;
      EXPECT_NEAR(contour.End().y, expected.end.y, 1e-3) << c.file << " contour " << i + 1;
      EXPECT_NEAR(contour.Length(), expected.length, c.lengthTolerance) << c.file << " contour " << i + 1;
      for (size_t k = 1; k < contour.pieces.size(); ++k) {
        const Point gap = contour.pieces[k].start - contour.pieces[k - 1].end;
        EXPECT_LT(std::hypot(gap.x, gap.y), 0.001) << c.file << " contour " << i + 1 << " piece " << k;
      }
    }
  }
}

// The spline is exactly a half circle of radius 20: it becomes one arc within the tolerance of
// it, everywhere along.
TEST(DxfImport, ApproximatedSplineStaysWithinTheTolerance) {
  const Imported imported = Import(Fixture("spline.dxf"));
  ASSERT_TRUE(imported) << FaultOf(imported);
  ASSERT_EQ(imported->contours.size(), 1u);
  const auto& pieces = imported->contours[0].pieces;
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_NEAR(pieces[0].Radius(), 20, 0.01);
  for (double t = 0; t <= 1; t += 1.0 / 64) {
    const Point p = pieces[0].start + geometry::PointAlong(geometry::RelativeOf(pieces[0]), t);
    EXPECT_NEAR(std::hypot(p.x, p.y), 20, 0.01) << t;
    EXPECT_GE(p.y, -0.01) << t;
  }
}

// A spline by fit points runs through each of them, leaves its first along the start tangent
// and reaches its last along the end tangent; a closed one runs on through its first point
// without a kink.
TEST(DxfImport, SplinesByFitPointsRunThroughThem) {
  const struct {
    std::string file;
    Point centre;
    std::vector<double> degrees;  // where the fit points lie on the circle of radius 20
    double startHeading, endHeading;
  } cases[] = {
      {"fit-spline.dxf", {0, 0}, {0, 15, 30, 45, 60, 75, 90, 105, 120, 135, 150, 165, 180}, 90, -90},
      {"fit-spline-closed.dxf", {100, 0}, {0, 45, 90, 135, 180, 225, 270, 315}, 90, 90},
  };
  for (const auto& c : cases) {
    const Imported imported = Import(Fixture(c.file));
    ASSERT_TRUE(imported) << FaultOf(imported);
    ASSERT_EQ(imported->contours.size(), 1u) << c.file;
    const auto& pieces = imported->contours[0].pieces;
    for (const double degrees : c.degrees) {
      const Point fit = c.centre + geometry::Polar(20, degrees * kPi / 180);
      double nearest = INFINITY;
      for (const geometry::ContourSegment& piece : pieces) nearest = std::min(nearest, DistanceToPiece(fit, piece));
      EXPECT_LT(nearest, 0.01) << c.file << " at " << degrees << " degrees";
    }
    const double leaves = geometry::HeadingAlong(geometry::RelativeOf(pieces.front()), 0) * 180 / kPi;
    const double reaches = geometry::HeadingAlong(geometry::RelativeOf(pieces.back()), 1) * 180 / kPi;
    EXPECT_NEAR(leaves, c.startHeading, 0.5) << c.file;
    EXPECT_NEAR(reaches, c.endHeading, 0.5) << c.file;
  }
}

// What the reading tells beside the contours: entities left out with the one they lie on, the
// kind of polyline as the file names it, the unit given over the drawing's, a layer that is not
// there with the drawing's layers.
TEST(DxfImport, NotesNameWhatWasLeftOutAndFaultsWhatIsThere) {
  const struct {
    std::string file;
    std::vector<std::string> layers;
    std::optional<geometry::LengthUnit> units;
    std::string told;  // the notes, then the fault if any
  } cases[] = {
      {"overlaps.dxf",
       {},
       {},
       "LINE 33 coincides with LINE 2F: left out\nLINE 34 lies on LINE 31: left out\n"
       "CIRCLE 36 coincides with CIRCLE 35: left out\nARC 37 lies on CIRCLE 35: left out\n"},
      {"polyline-kinds.dxf",
       {},
       {},
       "a gap of 0.01 mm at (10.0000, 10.0000), above the join tolerance: contour 1 ends (LWPOLYLINE 2F) there, "
       "contour 2 starts (POLYLINE 30) across it\n"},
      {"inch-slot.dxf", {}, geometry::LengthUnit{"mm", 1}, "the drawing's unit, in, is overridden: read in mm\n"},
      {"units-none.dxf", {}, {}, "the drawing gives no unit: read as millimetres\n"},
      {"layer-case.dxf",
       {"Cut", "holes", "nope"},
       {},
       "fault: the drawing has no layer \"nope\"; its layers: 0 (0 entities), Defpoints (0 entities), Cut (4 "
       "entities), Holes (1 entity)\n"},
      // Without a table, a layer is named as an entity first writes it, whatever the case of the others.
      {"layer-unlisted.dxf",
       {"nope"},
       {},
       "the drawing gives no unit: read as millimetres\nfault: the drawing has no layer \"nope\"; its layers: Mark (3 "
       "entities)\n"},
      {"codepage-1252.dxf",
       {"KONTUR"},
       {},
       "fault: the drawing has no layer \"KONTUR\"; its layers: 0 (0 entities), Defpoints (0 entities), "
       "KONTUR_ÄUSSERE (1 entity)\n"},
  };
  for (const auto& c : cases) {
    const Result<geometry::Drawing> drawing = geometry::ReadDxf(Fixture(c.file), c.units);
    ASSERT_TRUE(drawing) << c.file << ": " << drawing.Failure().message;
    geometry::DrawingOptions options;
    options.layers = c.layers;
    const Imported imported = geometry::ImportDrawing(drawing.Value(), options);
    std::string told = Joined(drawing.Notes()) + Joined(imported.Notes());
    if (!imported) told += "fault: " + imported.Failure().message + "\n";
    EXPECT_EQ(told, c.told) << c.file;
  }
}

TEST(DxfImport, WhatMakesNoContourIsSkippedAndSaidOnce) {
  const Imported all = Import(Fixture("shuffled-outline.dxf"));
  const std::string branching = FaultOf(all);
  EXPECT_EQ(branching.find("branching at (90.0000, 0.0000): "), 0u) << branching;
  EXPECT_EQ(branching.find('\n'), std::string::npos) << branching;
  EXPECT_NE(branching.find("LINE B1"), std::string::npos) << branching;

  const Imported cut = Import(Fixture("shuffled-outline.dxf"), {"CUT"});
  EXPECT_TRUE(cut) << FaultOf(cut);
  EXPECT_EQ(Joined(cut.Notes()), "skipped, as they make no contour: 2 DIMENSION, 1 HATCH, 1 MTEXT, 1 TEXT\n");
}

TEST(DxfImport, AVersionCommentAsDxflibWritesItIsRead) {
  const Imported imported = Import(
      "999\ndxflib 3.26.4.0\n0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n5\n21\n0\n"
      "0\nENDSEC\n0\nEOF\n");
  ASSERT_TRUE(imported) << FaultOf(imported);
}

TEST(DxfImport, BadFilesAreRefusedWithTheirLine) {
  const std::string roundedRectangle = Fixture("rounded-rectangle.dxf");
  const std::string head = "0\nSECTION\n2\nENTITIES\n0\n";
  const std::string tail = "0\nENDSEC\n0\nEOF\n";
  const struct {
    std::string name;
    std::string bytes;
    int line;  // -1: any
    std::string message;
  } cases[] = {
      {"binary", Fixture("binary.dxf"), 0, "a binary DXF file: only text (ASCII) DXF can be read"},
      {"cut short", roundedRectangle.substr(0, roundedRectangle.size() / 2), -1, "it is cut short"},
      {"no DXF", "<svg>\n</svg>\n", 1, "not a DXF file: \"<svg>\" is no group code"},
      {"no section", "0\nLINE\n0\nEOF\n", 2, "not a DXF file: it does not begin with a SECTION"},
      {"empty", "", 0, "not a DXF file: it holds no SECTION"},
      {"no entity", Fixture("text-only.dxf"), 0, "no contour: the drawing has no line, arc"},
      {"a line dxflib would loop on", head + "LINE\n8\n" + std::string(1001, 'A') + "\n" + tail, 8,
       "longer than 1000 characters"},
      {"a NUL byte", head + "LINE\n8\nA\0B\n"s + tail, 8, "a NUL byte"},
      {"a number that is none", head + "LINE\n10\n1,5\n" + tail, 8, "\"1,5\" is no number (group 10)"},
      {"an infinite number", head + "LINE\n10\n1e999\n" + tail, 8, "\"1e999\" is no number"},
      {"a vertex count larger than the vertices", head + "LWPOLYLINE\n90\n999999999\n10\n0\n20\n0\n" + tail, 6,
       "the LWPOLYLINE of line 6 states 999999999 vertices but gives 1"},
      {"no vertex count", head + "LWPOLYLINE\n10\n0\n20\n0\n" + tail, 8, "gives group 10 before its count (group 90)"},
      {"a bulge before the first vertex", head + "LWPOLYLINE\n90\n1\n42\n1\n10\n0\n20\n0\n" + tail, 10,
       "gives a bulge before its first vertex"},
      {"a variable named like an entity, which dxflib then reads as one", head + "LINE\n9\nLWPOLYLINE\n42\n1\n" + tail,
       10, "the LWPOLYLINE of line 8 gives group 42 before its count (group 90)"},
      {"a spline without its knot count", head + "SPLINE\n73\n0\n" + tail, 6,
       "does not state its number of knots (group 72)"},
      {"a comment dxflib would overrun on", "999\ndxflib 1.2\n" + head + "LINE\n" + tail, 2,
       "a comment that starts with \"dxflib\" gives no version a.b.c.d"},
      {"a version of dxflib with a number of three digits", "999\ndxflib 1.2.3.456\n" + head + "LINE\n" + tail, 2,
       "a comment that starts with \"dxflib\" gives no version a.b.c.d"},
      {"a SPLINE by one fit point", head + "SPLINE\n72\n0\n73\n0\n74\n2\n11\n1\n21\n1\n11\n1\n21\n1\n" + tail, 0,
       "SPLINE #1: it gives neither control points nor two fit points apart"},
      {"an insert of a missing block", head + "INSERT\n2\nDOOR\n" + tail, 0,
       "INSERT #1 places the block \"DOOR\", which the drawing does not define"},
      {"an ellipse too long for its tolerance", head + "ELLIPSE\n11\n1000000\n40\n0.001\n" + tail, 0,
       "ELLIPSE #1: the drawing's ellipses and splines take more than 500000 points at this tolerance"},
      {"a tilted arc", head + "ARC\n40\n1\n210\n1\n230\n0\n" + tail, 0, "ARC #1 lies in a plane tilted"},
      {"a unit that is none",
       "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n99\n0\nENDSEC\n" + head + "LINE\n11\n1\n" + tail, 0,
       "the drawing's unit ($INSUNITS 99) is no unit of length: --units UNIT names the one to read it in"},
  };
  for (const auto& c : cases) {
    const Imported imported = Import(c.bytes);
    ASSERT_FALSE(imported) << c.name;
    const std::string message = imported.Failure().message;
    EXPECT_NE(message.find(c.message), std::string::npos) << c.name << ": " << message;
    if (c.line >= 0) {
      EXPECT_EQ(imported.Failure().line, c.line) << c.name << ": " << message;
    }
  }
}

}  // namespace
