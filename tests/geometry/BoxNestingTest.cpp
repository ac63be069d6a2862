#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "geometry/drawing/BoxNesting.h"
#include "geometry/drawing/DrawingImport.h"

// Which boxes lie within another's: the look-up that spares the overlap search of drawings whose
// shapes lie side by side, and the overlaps still found among many shapes that do.
namespace {

using namespace geometry;

AxisBox Around(Point low, Point high) {
  AxisBox box;
  box.Take(low);
  box.Take(high);
  return box;
}

struct NestingCase {
  std::string name;
  std::vector<AxisBox> inner;
  std::vector<AxisBox> outer;
  std::vector<bool> held;
};

TEST(BoxNesting, TellsWhichBoxesLieWithinAnother) {
  const AxisBox unit = Around({0, 0}, {1, 1});
  const AxisBox far = Around({5, 5}, {6, 6});
  const AxisBox farther = Around({8, 8}, {9, 9});
  const std::vector<NestingCase> cases = {
      {"side by side", {unit, Around({2, 0}, {3, 1})}, {unit, Around({2, 0}, {3, 1})}, {false, false}},
      {"one within the other",
       {Around({0.2, 0.2}, {0.8, 0.8}), unit},
       {Around({0.2, 0.2}, {0.8, 0.8}), unit},
       {true, false}},
      {"the same box twice", {unit, unit}, {unit, unit}, {true, true}},
      {"a box's own is not another's", {Around({0.2, 0.2}, {0.8, 0.8})}, {unit}, {false}},
      {"out by less than the margin", {Around({0, 0}, {1.0005, 1}), far}, {farther, unit}, {true, false}},
      {"out by more than the margin", {Around({0, 0}, {1.002, 1}), far}, {farther, unit}, {false, false}},
      {"a box round nothing", {AxisBox{}, unit}, {farther, unit}, {true, false}},
      {"no outer box but empty ones", {unit, unit}, {AxisBox{}, AxisBox{}}, {false, false}},
      {"a long thin box holds one at its far end",
       {Around({0, 0}, {1000, 0.1}), Around({999, 0}, {999.5, 0.1})},
       {Around({0, 0}, {1000, 0.1}), Around({999, 0}, {999.5, 0.1})},
       {false, true}},
  };
  for (const NestingCase& c : cases) EXPECT_EQ(HeldBoxes(c.inner, c.outer, 0.001), c.held) << c.name;
}

// A frame round a thousand small boxes covers more cells than they do: each of them lies in it,
// and the frame in none of them.
TEST(BoxNesting, AFrameHoldsEveryBoxOfAGridWithin) {
  std::vector<AxisBox> boxes{Around({-1, -1}, {320, 320})};
  for (int i = 0; i < 1000; ++i) {
    const Point corner{i % 32 * 10.0, i / 32 * 10.0};
    boxes.push_back(Around(corner, corner + Point{7.5, 5}));
  }
  const std::vector<bool> held = HeldBoxes(boxes, boxes, 0.004);
  EXPECT_FALSE(held.front());
  EXPECT_EQ(std::count(held.begin(), held.end(), true), 1000);
}

DrawingEntity Square(const std::string& handle, Point corner, double side) {
  const Point a = corner, b = corner + Point{side, 0}, c = corner + Point{side, side}, d = corner + Point{0, side};
  return {{"LWPOLYLINE", handle, "0"}, false, DrawingPolyline{{{a}, {b}, {c}, {d}}, true}};
}

// Among many squares side by side, a square drawn again far on in the drawing and a line along a
// side of another are still found and left out.
TEST(BoxNesting, OverlapsAreFoundAmongManyShapesSideBySide) {
  Drawing drawing;
  drawing.unit = {"mm", 1.0};
  for (int i = 0; i < 400; ++i)
    drawing.entities.push_back(Square(std::to_string(i), {i % 20 * 10.0, i / 20 * 10.0}, 5.0));
  drawing.entities.push_back(Square("again", {150.0, 70.0}, 5.0));
  drawing.entities.push_back({{"LINE", "side", "0"}, false, DrawingLine{{31, 0}, {34, 0}}});
  const Result<ImportedDrawing> import = ImportDrawing(drawing, {});
  ASSERT_TRUE(import) << import.Failure().message;
  EXPECT_EQ(import->contours.size(), 400u);
  const std::vector<std::string> expected = {"LWPOLYLINE again coincides with LWPOLYLINE 155: left out",
                                             "LINE side lies on LWPOLYLINE 3: left out"};
  EXPECT_EQ(import.Notes(), expected);
}

}  // namespace
