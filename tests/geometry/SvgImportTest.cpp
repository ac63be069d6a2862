#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <numbers>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "geometry/drawing/DrawingImport.h"
#include "geometry/drawing/LengthUnits.h"
#include "geometry/drawing/svg/SvgReader.h"
#include "tests/geometry/PieceDistance.h"

// SVG drawings as vector editors write them (the files of tests/geometry/svg/, and small ones
// here), read and made contours as motion-host import-svg does, against geometry computed here
// from the numbers the files give.
namespace {

using geometry::Point;
constexpr double kPi = std::numbers::pi;

std::string Fixture(const std::string& name) {
  std::ifstream file(std::string(SVG_FIXTURES) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A drawing of `width` by `height` around `content`, its viewBox 0 0 100 100 unless `attributes` say.
std::string Drawn(const std::string& content, const std::string& attributes = R"svg(viewBox="0 0 100 100")svg",
                  const std::string& size = R"svg(width="100mm" height="100mm")svg") {
  return R"svg(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" )svg" + size + " " +
         attributes + ">\n" + content + "\n</svg>\n";
}

using Imported = Result<geometry::ImportedDrawing>;

Imported Import(const std::string& bytes, const std::vector<std::string>& layers = {},
                const std::optional<geometry::LengthUnit>& units = std::nullopt) {
  const Result<geometry::Drawing> drawing = geometry::ReadSvg(bytes, units);
  if (!drawing) return {drawing.Failure(), drawing.Notes()};
  geometry::DrawingOptions options;
  options.layers = layers;
  Imported imported = geometry::ImportDrawing(drawing.Value(), options);
  std::vector<std::string> notes = drawing.Notes();
  notes.insert(notes.end(), imported.Notes().begin(), imported.Notes().end());
  if (!imported) return {imported.Failure(), notes};
  return {std::move(imported).Value(), notes};
}

std::string FaultOf(const Imported& imported) { return imported ? "" : imported.Failure().message; }

// The length of a curve, from chords of a hundred thousand points along it.
double LengthAlong(const std::function<Point(double)>& curve) {
  constexpr int kSteps = 100000;
  double length = 0.0;
  for (int i = 1; i <= kSteps; ++i) length += geometry::Distance(curve((i - 1.0) / kSteps), curve(1.0 * i / kSteps));
  return length;
}

// A Bezier curve by de Casteljau's construction.
Point Bezier(std::vector<Point> controls, double t) {
  for (size_t n = controls.size() - 1; n > 0; --n)
    for (size_t i = 0; i < n; ++i) controls[i] = (1 - t) * controls[i] + t * controls[i + 1];
  return controls.front();
}

double BezierLength(const std::vector<Point>& controls) {
  return LengthAlong([&](double t) { return Bezier(controls, t); });
}

// The heading a line or an arc leaves its start with, or reaches its end with.
double HeadingAt(const geometry::ContourSegment& piece, bool atEnd) {
  if (piece.kind == geometry::PathSegment::Kind::Linear) return geometry::HeadingOf(piece.start, piece.end);
  const double radial = geometry::HeadingOf(piece.centre, atEnd ? piece.end : piece.start);
  return radial + (piece.sweep > 0 ? kPi / 2 : -kPi / 2);
}

// Seen from the motion: Y up from the bottom edge of a drawing `height` high.
Point Up(Point svg, double height) { return {svg.x, height - svg.y}; }

// The path of inkscape-layers.svg's layer Mark: two cubic curves (the second smooth), a half
// circle, two quadratic curves (the second smooth) and a corner of lines, all relative.
const std::vector<Point> kCubic{{10, 70}, {20, 60}, {40, 60}, {50, 70}};
const std::vector<Point> kSmoothCubic{{50, 70}, {60, 80}, {80, 80}, {90, 70}};
const std::vector<Point> kQuadratic{{110, 70}, {120, 60}, {130, 70}};
const std::vector<Point> kSmoothQuadratic{{130, 70}, {140, 80}, {150, 70}};

TEST(SvgImport, DrawingsBecomeTheirContours) {
  struct Contour {
    bool closed;
    Point start, end;
    double length;  // mm
  };
  const double markLength = BezierLength(kCubic) + BezierLength(kSmoothCubic) + 10 * kPi + BezierLength(kQuadratic) +
                            BezierLength(kSmoothQuadratic) + 15;
  const double skewed = LengthAlong([](double t) {
    const double a = 2 * kPi * t;
    return Point{10 * std::cos(a) + std::tan(kPi / 6) * 10 * std::sin(a), 10 * std::sin(a)};
  });
  const double cornerEllipse = LengthAlong([](double t) {
    return Point{8 * std::cos(2 * kPi * t), 5 * std::sin(2 * kPi * t)};
  });
  const double stretched = LengthAlong([](double t) {
    return Point{20 * std::cos(2 * kPi * t), 10 * std::sin(2 * kPi * t)};
  });
  // A line along the bottom of a viewBox of 10 by 10 drawn 20 mm wide and 10 mm high.
  const std::string bottomLine = R"svg(<path d="M0,10 H10" stroke="#000"/>)svg";
  const auto fitted = [&](const std::string& aspect) {
    return Drawn(bottomLine, R"svg(viewBox="0 0 10 10" preserveAspectRatio=")svg" + aspect + R"svg(")svg",
                 R"svg(width="20mm" height="10mm")svg");
  };
  const auto wide = [&](const std::string& width) {
    return Drawn(bottomLine, R"svg(viewBox="0 0 10 10")svg",
                 R"svg(width=")svg" + width + R"svg(" height=")svg" + width + R"svg(")svg");
  };
  const Point turned{50 + 20 * std::cos(kPi / 6), 50 + 20 * std::sin(kPi / 6)};
  const struct {
    std::string name;
    std::string svg;
    std::vector<std::string> layers;
    std::vector<Contour> contours;
    double lengthTolerance;  // mm: curves through the arc fitter fall short by a little
  } cases[] = {
      {"layers: rounded rect and circle",
       Fixture("inkscape-layers.svg"),
       {"Cut"},
       {{true, {20, 65}, {20, 65}, 140 + 10 * kPi}, {true, {117, 50}, {117, 50}, 24 * kPi}},
       1e-9},
      {"layers: relative cubic, smooth, arc and quadratic commands",
       Fixture("inkscape-layers.svg"),
       {"mark"},
       {{false, Up({10, 70}, 80), Up({160, 75}, 80), markLength}},
       0.005},
      {"top-level groups, uses, a polygon and a polyline",
       Fixture("plain-groups.svg"),
       {},
       {{true, {15, 80}, {15, 80}, 10 * kPi},
        {true, {75, 80}, {75, 80}, 10 * kPi},
        {true, {20, 25}, {20, 25}, 10 * kPi},
        {true, {5, 95}, {5, 95}, 360},
        {false, {30, 50}, {50, 30}, 40}},
       1e-9},
      {"width in mm", wide("10mm"), {}, {{false, {0, 0}, {10, 0}, 10}}, 1e-9},
      {"width in cm", wide("1cm"), {}, {{false, {0, 0}, {10, 0}, 10}}, 1e-9},
      {"width in in", wide("1in"), {}, {{false, {0, 0}, {25.4, 0}, 25.4}}, 1e-9},
      {"width in pt", wide("72pt"), {}, {{false, {0, 0}, {25.4, 0}, 25.4}}, 1e-9},
      {"width in pc", wide("6pc"), {}, {{false, {0, 0}, {25.4, 0}, 25.4}}, 1e-9},
      {"width in px", wide("96px"), {}, {{false, {0, 0}, {25.4, 0}, 25.4}}, 1e-9},
      {"width unitless", wide("96"), {}, {{false, {0, 0}, {25.4, 0}, 25.4}}, 1e-9},
      {"no viewBox: user units are px",
       Drawn(R"svg(<path d="M0,10 H96" stroke="#000"/>)svg", "", R"svg(width="96" height="96")svg"),
       {},
       {{false, {0, 86 * 25.4 / 96}, {25.4, 86 * 25.4 / 96}, 25.4}},
       1e-9},
      {"preserveAspectRatio: xMidYMid meet", fitted("xMidYMid meet"), {}, {{false, {5, 0}, {15, 0}, 10}}, 1e-9},
      {"preserveAspectRatio: xMinYMax", fitted("xMinYMax"), {}, {{false, {0, 0}, {10, 0}, 10}}, 1e-9},
      {"preserveAspectRatio: none", fitted("none"), {}, {{false, {0, 0}, {20, 0}, 20}}, 1e-9},
      {"preserveAspectRatio: xMidYMid slice", fitted("xMidYMid slice"), {}, {{false, {0, -5}, {20, -5}, 20}}, 1e-9},
      {"nested translate, rotate and uniform scale",
       Drawn(R"svg(<g transform="translate(50,50)"><g transform="rotate(-30) scale(2)">
                    <circle r="10" stroke="#000"/></g></g>)svg"),
       {},
       {{true, turned, turned, 40 * kPi}},
       1e-9},
      {"a circle scaled unevenly",
       Drawn(R"svg(<circle r="10" transform="translate(50,50) scale(2,1)" stroke="#000"/>)svg"),
       {},
       {{true, {70, 50}, {70, 50}, stretched}},
       0.005},
      {"a circle skewed",
       Drawn(R"svg(<circle r="10" transform="matrix(1,0,0,1,50,50) skewX(30)" stroke="#000"/>)svg"),
       {},
       {{true, {60, 50}, {60, 50}, skewed}},
       0.005},
      {"an ellipse",
       Drawn(R"svg(<ellipse cx="50" cy="50" rx="20" ry="10" stroke="#000"/>)svg"),
       {},
       {{true, {70, 50}, {70, 50}, stretched}},
       0.005},
      {"radii too small grow to reach the end",
       Drawn(R"svg(<path d="M 10,50 A 1,2 0 0 1 30,50" stroke="#000"/>)svg"),
       {},
       {{false, {10, 50}, {30, 50}, LengthAlong([](double t) {
           return Point{20 - 10 * std::cos(kPi * t), 50 + 20 * std::sin(kPi * t)};
         })}},
       0.005},
      {"a radius of 0 draws a line",
       Drawn(R"svg(<path d="M 10,50 A 0,5 0 0 1 30,50" stroke="#000"/>)svg"),
       {},
       {{false, {10, 50}, {30, 50}, 20}},
       1e-9},
      {"line, H and V, absolute and relative, closed",
       Drawn(R"svg(<path d="M 10 10 H 30 v 20 L 10 30 z m 50 0 l 10 0 V 20 h -10 Z" stroke="#000"/>)svg"),
       {},
       {{true, {10, 90}, {10, 90}, 80}, {true, {60, 90}, {60, 90}, 40}},
       1e-9},
      {"a rect with only rx rounds by it both ways, each at most half its side",
       Drawn(R"svg(<rect x="10" y="10" width="40" height="10" rx="8" stroke="#000"/>)svg"),
       {},
       {{true, {18, 90}, {18, 90}, 2 * 24 + cornerEllipse}},
       0.005},
  };
  for (const auto& c : cases) {
    const Imported imported = Import(c.svg, c.layers);
    EXPECT_EQ(FaultOf(imported), "") << c.name;
    if (!imported) continue;
    ASSERT_EQ(imported->contours.size(), c.contours.size()) << c.name;
    for (size_t i = 0; i < c.contours.size(); ++i) {
      const geometry::DrawingContour& contour = imported->contours[i];
      const Contour& expected = c.contours[i];
      const std::string where = c.name + ", contour " + std::to_string(i + 1);
      EXPECT_EQ(contour.closed, expected.closed) << where;
      EXPECT_NEAR(contour.Start().x, expected.start.x, 1e-9) << where;
      EXPECT_NEAR(contour.Start().y, expected.start.y, 1e-9) << where;
      EXPECT_NEAR(contour.End().x, expected.end.x, 1e-9) << where;
      EXPECT_NEAR(contour.End().y, expected.end.y, 1e-9) << where;
      EXPECT_NEAR(contour.Length(), expected.length, c.lengthTolerance) << where;
    }
  }
}

// Circles and circular arcs stay arcs, of their radius and around their centre, even mirrored
// by the Y flip and turned; the flags choose the arc as SVG says.
TEST(SvgImport, CircularArcsStayExactArcs) {
  const double h = 5 * std::sqrt(3.0);  // the centre's distance from the chord of 10 of an arc of radius 10
  const struct {
    std::string name;
    std::string svg;
    Point centre;
    double radius;
    double turn;  // radians, counterclockwise as the motion sees it
  } cases[] = {
      {"small arc, sweep",
       Drawn(R"svg(<path d="M 40,50 A 10,10 0 0 1 50,50" stroke="#000"/>)svg"),
       {45, 50 - h},
       10,
       -kPi / 3},
      {"large arc, sweep",
       Drawn(R"svg(<path d="M 40,50 A 10,10 0 1 1 50,50" stroke="#000"/>)svg"),
       {45, 50 + h},
       10,
       -5 * kPi / 3},
      {"small arc, no sweep",
       Drawn(R"svg(<path d="M 40,50 a 10,10 0 0 0 10,0" stroke="#000"/>)svg"),
       {45, 50 + h},
       10,
       kPi / 3},
      {"large arc, no sweep",
       Drawn(R"svg(<path d="M 40,50 a 10,10 0 1 0 10,0" stroke="#000"/>)svg"),
       {45, 50 - h},
       10,
       5 * kPi / 3},
      {"turned and scaled uniformly",
       Drawn(R"svg(<path d="M 40,50 A 5,5 0 0 1 45,50" stroke="#000"
                        transform="rotate(180 45 50) translate(-45,-50) scale(2)"/>)svg"),
       {50, 50 + h},
       10,
       -kPi / 3},
  };
  for (const auto& c : cases) {
    const Imported imported = Import(c.svg);
    ASSERT_EQ(FaultOf(imported), "") << c.name;
    ASSERT_EQ(imported->contours.size(), 1u) << c.name;
    const std::vector<geometry::ContourSegment>& pieces = imported->contours[0].pieces;
    ASSERT_EQ(pieces.size(), 1u) << c.name;
    EXPECT_EQ(pieces[0].kind, geometry::PathSegment::Kind::Circular) << c.name;
    EXPECT_NEAR(pieces[0].Radius(), c.radius, 1e-9) << c.name;
    EXPECT_NEAR(pieces[0].centre.x, c.centre.x, 1e-9) << c.name;
    EXPECT_NEAR(pieces[0].centre.y, c.centre.y, 1e-9) << c.name;
    EXPECT_NEAR(pieces[0].sweep, c.turn, 1e-9) << c.name;
  }
}

// Curves that are no circles come within the tolerance of every point of them, and leave and
// reach each curve along its tangent there.
TEST(SvgImport, CurvesBecomeLinesAndArcsWithinTheTolerance) {
  const Imported imported = Import(Fixture("inkscape-layers.svg"), {"Mark"});
  ASSERT_EQ(FaultOf(imported), "");
  const std::vector<geometry::ContourSegment>& pieces = imported->contours.at(0).pieces;
  for (const std::vector<Point>* curve : {&kCubic, &kSmoothCubic, &kQuadratic, &kSmoothQuadratic}) {
    double farthest = 0.0;
    for (int i = 0; i <= 1000; ++i) {
      const Point along = Up(Bezier(*curve, i / 1000.0), 80);
      double nearest = INFINITY;
      for (const geometry::ContourSegment& piece : pieces) nearest = std::min(nearest, DistanceToPiece(along, piece));
      farthest = std::max(farthest, nearest);
    }
    EXPECT_LE(farthest, 0.01) << "the curve from " << curve->front().x << "," << curve->front().y;
  }
  // Where a smooth curve follows the curve it reflects, the path runs on without a corner.
  for (size_t i = 1; i < pieces.size(); ++i) {
    if (geometry::Distance(pieces[i].start, Up({50, 70}, 80)) > 1e-9 &&
        geometry::Distance(pieces[i].start, Up({130, 70}, 80)) > 1e-9)
      continue;
    EXPECT_NEAR(geometry::NormalizedAngle(HeadingAt(pieces[i], false) - HeadingAt(pieces[i - 1], true)), 0.0, 1e-6)
        << "at piece " << i;
  }
}

TEST(SvgImport, LayersUsesAndHiddenElements) {
  const Result<geometry::Drawing> plain = geometry::ReadSvg(Fixture("plain-groups.svg"));
  ASSERT_TRUE(plain);
  std::string layers;
  for (const geometry::DrawingLayer& layer : plain->layers)
    layers += layer.name + ":" + std::to_string(layer.entities) + " ";
  EXPECT_EQ(layers, "holes:3 outline:1 gasket:1 ");
  const Result<geometry::Drawing> inkscape = geometry::ReadSvg(Fixture("inkscape-layers.svg"));
  ASSERT_TRUE(inkscape);
  layers.clear();
  for (const geometry::DrawingLayer& layer : inkscape->layers)
    layers += layer.name + ":" + std::to_string(layer.entities) + " ";
  EXPECT_EQ(layers, "Cut:2 Mark:1 ");
  // A drawing without an id names its loose elements' layer "svg".
  const Result<geometry::Drawing> loose = geometry::ReadSvg(Drawn(R"svg(<path d="M0,0 H10" stroke="#000"/>)svg"));
  ASSERT_TRUE(loose);
  EXPECT_EQ(loose->layers.at(0).name, "svg");
  EXPECT_EQ(FaultOf(Import(Drawn(R"svg(<g style="display:none"><path d="M0,0 H10"/></g>
                                    <path d="M0,0 H10" display="none"/>)svg"))),
            "no contour: the drawing has no path or shape");
}

// Each subpath is an entity of its own, named by its element and its place in it, and placed by
// the element's transform wherever the element gives it; a hidden element gives none.
TEST(SvgImport, EachSubpathIsAnEntityOfItsElement) {
  const Result<geometry::Drawing> drawing = geometry::ReadSvg(Drawn(R"svg(<path id="two" d="M0,0 H10 M20,0 H30 z"
        transform="translate(5)"/><path d="M1,1 H2" display="none"/><path d="M0,5 H4"/>)svg"));
  ASSERT_TRUE(drawing);
  ASSERT_EQ(drawing->entities.size(), 3u);
  const char* handles[] = {"\"two\" (line 3), subpath 1", "\"two\" (line 3), subpath 2", "(line 3)"};
  for (size_t i = 0; i < 3; ++i) {
    const geometry::DrawingEntity& entity = drawing->entities[i];
    EXPECT_EQ(entity.tag.handle, handles[i]);
    const auto& path = std::get<geometry::DrawingPath>(entity.shape);
    EXPECT_EQ(path.closed, i == 1) << handles[i];
    EXPECT_DOUBLE_EQ(path.placement.Apply(path.start).x, i < 2 ? 5.0 + 20.0 * i : 0.0) << handles[i];
  }
}

TEST(SvgImport, WhatIsLeftOutIsNoted) {
  const struct {
    std::string name;
    std::string svg;
    std::string note;
  } cases[] = {
      {"no stroke", Fixture("inkscape-layers.svg"), "1 of 3 shapes have no stroke"},
      {"images and other files' shapes", Fixture("plain-groups.svg"), "1 references to other files"},
      {"clip paths", Fixture("plain-groups.svg"), "1 elements are clipped or masked"},
  };
  for (const auto& c : cases) {
    const Imported imported = Import(c.svg);
    std::string notes;
    for (const std::string& note : imported.Notes()) notes += note + "\n";
    EXPECT_NE(notes.find(c.note), std::string::npos) << c.name << ": " << notes;
  }
  const Result<geometry::Drawing> drawing = geometry::ReadSvg(Fixture("inkscape-layers.svg"));
  ASSERT_TRUE(drawing);
  EXPECT_EQ(drawing->skipped.at("<text>"), 1);
}

TEST(SvgImport, WhatCannotBeReadExactlyIsRefusedWithItsElementAndLine) {
  const struct {
    std::string name;
    std::string svg;
    int line;
    std::string fault;
  } cases[] = {
      {"path syntax", Drawn(R"svg(<path id="outline" d="M 0 0 L 10 10 Q 5" stroke="#000"/>)svg"), 2,
       "path \"outline\": Invalid value of SVG attribute (or property) \"d\""},
      {"not XML", "<svg xmlns=\"http://www.w3.org/2000/svg\">\n<path d=\"M0,0\">\n</svg>", 3,
       "it is no well-formed XML"},
      {"not SVG", "<?xml version=\"1.0\"?>\n<html/>", 2, "not an SVG file: its root element is no <svg>"},
      {"use of nothing", Drawn("\n<use id=\"u\" href=\"#missing\"/>"), 3,
       "use \"u\": it places \"#missing\", which the drawing does not define"},
      {"use inside itself", Drawn(R"svg(<g id="g"><use href="#g"/></g>)svg"), 2, "inside itself"},
      {"a circle out of reach", Drawn(R"svg(<circle id="far" r="1e300" stroke="#000"/>)svg"), 0, "lies farther than"},
      {"path syntax beyond line 65535", Drawn(std::string(70000, '\n') + R"svg(<g id="late">
<path id="bad" d="M 0 0 L" stroke="#000"/></g>)svg"),
       70003, "path \"bad\": Invalid value"},
  };
  for (const auto& c : cases) {
    const Imported imported = Import(c.svg);
    ASSERT_FALSE(imported) << c.name;
    EXPECT_EQ(imported.Failure().line, c.line) << c.name;
    EXPECT_NE(imported.Failure().message.find(c.fault), std::string::npos)
        << c.name << ": " << imported.Failure().message;
  }
}

TEST(SvgImport, UnitsGivenOverTheDrawingsPx) {
  const Imported imported =
      Import(Drawn(R"svg(<path d="M0,0 H10" stroke="#000"/>)svg", "", R"svg(width="100" height="100")svg"), {},
             geometry::LengthUnit{"mm", 1.0});
  ASSERT_EQ(FaultOf(imported), "");
  EXPECT_NEAR(imported->contours.at(0).Length(), 10.0, 1e-9);
  EXPECT_EQ(imported->unit.name, "mm");
}

// The numbers end in the unit the size gives the viewBox, as the editor drew them; without a
// viewBox, or with sizes in px, none or differing units, they are px.
TEST(SvgImport, TheDrawingIsReadInTheUnitOfItsSize) {
  const std::string line = R"svg(<path d="M0,0 H10" stroke="#000"/>)svg";
  const std::string viewBox = R"svg(viewBox="0 0 100 100")svg";
  const struct {
    std::string size;
    std::string attributes;
    std::string unit;
    double length;  // mm, of the line 10 user units long
  } cases[] = {
      {R"svg(width="100mm" height="100mm")svg", viewBox, "mm", 10},
      {R"svg(width="10cm" height="10cm")svg", viewBox, "cm", 10},
      {R"svg(width="4in" height="4in")svg", viewBox, "in", 10.16},
      {R"svg(width="72pt")svg", viewBox, "pt", 2.54},
      {R"svg(width="100" height="100")svg", viewBox, "px", 10 * 25.4 / 96},
      {R"svg(width="100mm" height="4in")svg", viewBox, "px", 10},
      {R"svg(width="100mm" height="100mm")svg", "", "px", 10 * 25.4 / 96},
  };
  for (const auto& c : cases) {
    const Imported imported = Import(Drawn(line, c.attributes, c.size));
    ASSERT_EQ(FaultOf(imported), "") << c.size;
    EXPECT_EQ(imported->unit.name, c.unit) << c.size << " " << c.attributes;
    EXPECT_NEAR(imported->contours.at(0).Length(), c.length, 1e-9) << c.size << " " << c.attributes;
  }
}

}  // namespace
