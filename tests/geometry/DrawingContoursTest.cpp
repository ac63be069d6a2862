#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/core/RelativePath.h"
#include "geometry/core/SegmentGeometry.h"
#include "geometry/drawing/DrawingImport.h"

// Drawings built by hand: how blocks are placed, planes facing down seen, units converted and
// paths chained, each contour told in one line.
namespace {

using namespace geometry;
constexpr double kPi = std::numbers::pi;

DrawingEntity Entity(const std::string& kind, const std::string& handle, EntityShape shape,
                     const std::string& layer = "0", bool facesDown = false) {
  return {{kind, handle, layer}, facesDown, std::move(shape)};
}

DrawingEntity Line(const std::string& handle, Point from, Point to, const std::string& layer = "0") {
  return Entity("LINE", handle, DrawingLine{from, to}, layer);
}

DrawingEntity Insert(const std::string& handle, DrawingInsert insert, const std::string& layer = "0") {
  return Entity("INSERT", handle, std::move(insert), layer);
}

// Without the sign of a value that prints as zero.
double Shown(double value) { return std::abs(value) < 5e-5 ? 0.0 : value; }

// "entities: closed|open (x, y) -> (x, y) length mm kinds": L a line, A a counterclockwise arc,
// C a clockwise one; "layers" after a bar.
std::string Told(const DrawingContour& contour) {
  std::string entities;
  for (const std::string& entity : contour.entities) entities += (entities.empty() ? "" : ", ") + entity;
  std::string kinds;
  for (const ContourSegment& piece : contour.pieces)
    kinds += piece.kind == PathSegment::Kind::Linear ? 'L' : piece.sweep > 0 ? 'A' : 'C';
  char text[160];
  std::snprintf(text, sizeof text, "%s: %s (%.4f, %.4f) -> (%.4f, %.4f) %.4f mm %s | %s", entities.c_str(),
                contour.closed ? "closed" : "open", Shown(contour.Start().x), Shown(contour.Start().y),
                Shown(contour.End().x), Shown(contour.End().y), contour.Length(), kinds.c_str(),
                contour.layers.c_str());
  return text;
}

std::string Told(const Result<ImportedDrawing>& import) {
  std::string told;
  if (import) {
    for (const DrawingContour& contour : import->contours) told += Told(contour) + "\n";
  } else {
    told += "fault: " + import.Failure().message + "\n";
  }
  for (const std::string& note : import.Notes()) told += "note: " + note + "\n";
  return told;
}

// A block "SLOT" with its base point at its middle: a quarter arc and a line on layer 0, and a
// line on layer HOLES.
Drawing WithSlot() {
  Drawing drawing;
  drawing.unit = {"mm", 1.0};
  drawing.blocks["SLOT"] = {{5, 5},
                            {Entity("ARC", "1", DrawingArc{{0, 0}, 10, 0, kPi / 2}), Line("2", {0, 10}, {0, 20}),
                             Line("3", {30, 0}, {30, 5}, "HOLES")}};
  return drawing;
}

TEST(DrawingContours, BlocksPlanesAndUnitsPlaceTheirEntities) {
  const struct {
    std::string name;
    Drawing drawing;
    std::vector<std::string> layers;
    std::string told;
  } cases[] = {
      {"a block placed as drawn, its layer-0 entities on the insert's layer",
       [] {
         Drawing d = WithSlot();
         d.entities = {Insert("9", {"SLOT", {5, 5}}, "CUT")};
         return d;
       }(),
       {"CUT"},
       "ARC 9/1, LINE 9/2: open (10.0000, 0.0000) -> (0.0000, 20.0000) 25.7080 mm AL | CUT\n"},
      {"mirrored by a negative scale: the arc turns the other way",
       [] {
         Drawing d = WithSlot();
         d.entities = {Insert("9", {"SLOT", {0, 0}, -1, 1})};
         return d;
       }(),
       {"0"},
       "ARC 9/1, LINE 9/2: open (-5.0000, -5.0000) -> (5.0000, 15.0000) 25.7080 mm CL | 0\n"},
      {"turned a quarter, in columns 100 apart along its turned X axis",
       [] {
         Drawing d = WithSlot();
         d.entities = {Insert("9", {"SLOT", {0, 0}, 1, 1, kPi / 2, 2, 1, 100, 0})};
         return d;
       }(),
       {"HOLES"},
       "LINE 9/3: open (5.0000, 25.0000) -> (0.0000, 25.0000) 5.0000 mm L | HOLES\n"
       "LINE 9/3: open (5.0000, 125.0000) -> (0.0000, 125.0000) 5.0000 mm L | HOLES\n"},
      {"a circle facing down starts at its own angle 0, seen from above on the left, and runs clockwise",
       [] {
         Drawing d;
         d.unit = {"cm", 10.0};
         d.entities = {Entity("CIRCLE", "7", DrawingCircle{{3, 0}, 1}, "0", true)};
         return d;
       }(),
       {},
       "CIRCLE 7: closed (-40.0000, 0.0000) -> (-40.0000, 0.0000) 62.8319 mm C | 0\n"},
      {"a polyline's bulges: -1 a clockwise half circle, closing back over a quarter",
       [] {
         Drawing d;
         d.unit = {"in", 25.4};
         d.entities = {
             Entity("POLYLINE", "5", DrawingPolyline{{{{0, 0}, -1}, {{2, 0}, 0}, {{2, 2}, std::tan(kPi / 8)}}, true})};
         return d;
       }(),
       {},
       "POLYLINE 5: closed (0.0000, 0.0000) -> (0.0000, 0.0000) 210.3929 mm CLA | 0\n"},
      {"a drawing without units is read in millimetres, and says so",
       [] {
         Drawing d;
         d.entities = {Line("1", {0, 0}, {3, 4})};
         return d;
       }(),
       {},
       "LINE 1: open (0.0000, 0.0000) -> (3.0000, 4.0000) 5.0000 mm L | 0\n"
       "note: the drawing gives no unit: read as millimetres\n"},
      {"a block that places itself",
       [] {
         Drawing d = WithSlot();
         d.blocks["SLOT"].entities.push_back(Insert("4", {"SLOT", {1, 1}}));
         d.entities = {Insert("9", {"SLOT", {0, 0}})};
         return d;
       }(),
       {},
       "fault: INSERT 9/4 places the block \"SLOT\" inside itself\n"},
  };
  for (const auto& c : cases) {
    DrawingOptions options;
    options.layers = c.layers;
    EXPECT_EQ(Told(ImportDrawing(c.drawing, options)), c.told) << c.name;
  }
}

// A circle stretched by an insert becomes an ellipse: lines and arcs that stray from it by no
// more than the tolerance anywhere along, and join without a kink.
TEST(DrawingContours, AStretchedCircleBecomesArcsAlongItsEllipse) {
  Drawing drawing;
  drawing.unit = {"mm", 1.0};
  drawing.blocks["HOLE"] = {{0, 0}, {Entity("CIRCLE", "1", DrawingCircle{{0, 0}, 10})}};
  drawing.entities = {Insert("2", {"HOLE", {0, 0}, 3, 1})};
  const auto import = ImportDrawing(drawing, {});
  ASSERT_TRUE(import);
  ASSERT_EQ(import->contours.size(), 1u);
  const DrawingContour& ellipse = import->contours[0];
  EXPECT_TRUE(ellipse.closed);
  // On the ellipse x = 30 cos t, y = 10 sin t. A point p = F q, q on the ellipse and
  // F = hypot(x / 30, y / 10), lies at most |F - 1| |q| from it.
  const auto off = [](Point p) {
    const double f = std::hypot(p.x / 30, p.y / 10);
    return std::abs(f - 1) * std::hypot(p.x, p.y) / f;
  };
  for (size_t i = 0; i < ellipse.pieces.size(); ++i) {
    const PathSegment segment = RelativeOf(ellipse.pieces[i]);
    for (double t = 0; t <= 1; t += 1.0 / 16) EXPECT_LE(off(ellipse.pieces[i].start + PointAlong(segment, t)), 0.01);
    const double kink =
        HeadingAlong(segment, 1) - HeadingAlong(RelativeOf(ellipse.pieces[(i + 1) % ellipse.pieces.size()]), 0);
    EXPECT_LT(std::abs(NormalizedAngle(kink)), Radians(0.5)) << i;
  }
  EXPECT_NEAR(ellipse.Length(), 133.6489, 0.01);  // the ellipse of half axes 30 and 10
}

TEST(DrawingContours, PathsChainEndToEndOrReportWhyNot) {
  const struct {
    std::string name;
    std::vector<DrawingEntity> entities;
    std::string told;
  } cases[] = {
      {"the earliest path keeps its direction; one that meets it start to start runs backwards",
       {Line("A", {10, 0}, {0, 0}), Line("B", {10, 0}, {20, 0}),
        Entity("ARC", "C", DrawingArc{{20, 5}, 5, -kPi / 2, 0})},
       "ARC C, LINE B, LINE A: open (25.0000, 5.0000) -> (0.0000, 0.0000) 27.8540 mm CLL | 0\n"},
      {"ends within the join tolerance meet; a loop starts where its earliest path does",
       {Line("A", {0, 0}, {10, 0}), Line("B", {10.0004, 0}, {10, 10}), Line("C", {0, 0.0009}, {10, 10})},
       "LINE A, LINE B, LINE C: closed (0.0000, 0.0000) -> (0.0000, 0.0009) 34.1415 mm LLL | 0\n"},
      {"three ends at one point: a branching, told with the entities and where",
       {Line("A", {0, 0}, {10, 0}), Line("B", {10, 0}, {20, 0}), Line("C", {10, 0}, {10, 10})},
       "fault: branching at (10.0000, 0.0000): LINE A, LINE B, LINE C meet there\n"},
      {"ends 0.01 mm apart stay apart, and the gap is told",
       {Line("A", {0, 0}, {10, 0}, "CUT"), Line("B", {10.01, 0}, {20, 0}, "CUT")},
       "LINE A: open (0.0000, 0.0000) -> (10.0000, 0.0000) 10.0000 mm L | CUT\n"
       "LINE B: open (10.0100, 0.0000) -> (20.0000, 0.0000) 9.9900 mm L | CUT\n"
       "note: a gap of 0.01 mm at (10.0000, 0.0000), above the join tolerance: contour 1 ends (LINE A) there, "
       "contour 2 starts (LINE B) across it\n"},
      {"a closed polyline stays a contour of its own, a zero-length line is left out",
       {Entity("POLYLINE", "P", DrawingPolyline{{{{0, 0}, 0}, {{10, 0}, 0}, {{10, 10}, 0}}, true}),
        Line("A", {10, 0}, {20, 0}), Line("Z", {5, 5}, {5, 5})},
       "POLYLINE P: closed (0.0000, 0.0000) -> (0.0000, 0.0000) 34.1421 mm LLL | 0\n"
       "LINE A: open (10.0000, 0.0000) -> (20.0000, 0.0000) 10.0000 mm L | 0\n"
       "note: 1 entities shorter than the join tolerance left out (the first: LINE Z)\n"},
      {"steps shorter than the join tolerance are left out, but not the way they go",
       {Entity("POLYLINE", "Q",
               DrawingPolyline{{{{0, 0}, 0}, {{0, 0.0006}, 0}, {{0, 0.0012}, 0}, {{0, 0.0018}, 0}, {{10, 0.0018}, 0}},
                               false})},
       "POLYLINE Q: open (0.0000, 0.0000) -> (10.0000, 0.0018) 10.0012 mm LL | 0\n"},
  };
  for (const auto& c : cases) {
    Drawing drawing;
    drawing.unit = {"mm", 1.0};
    drawing.entities = c.entities;
    EXPECT_EQ(Told(ImportDrawing(drawing, {})), c.told) << c.name;
  }
}

}  // namespace
