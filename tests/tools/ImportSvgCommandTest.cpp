#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>

#include "tests/framework/TemporaryDirectory.h"
#include "tests/tools/MotionHostRun.h"

// motion-host import-svg on the drawings of tests/geometry/svg/ and examples/, through the options, list,
// messages and checks it shares with import-dxf.
namespace {

namespace fs = std::filesystem;
constexpr double kPi = std::numbers::pi;
const std::string kFixtures = SVG_FIXTURES;
const std::string kExamples = EXAMPLES_DIR;

class ImportSvgCommand : public TemporaryDirectoryTest {
 protected:
  std::string Write(const char* name, const std::string& text) {
    WriteFile(PathOf(name), text);
    return PathOf(name);
  }
};

double TotalLength(const std::string& report) {
  double length = NAN;
  std::sscanf(report.c_str() + report.find("total length"), "total length %lf", &length);
  return length;
}

TEST_F(ImportSvgCommand, ContoursBecomeMotionsThatMeasureAsDrawn) {
  const struct {
    std::string options;
    double length;  // mm
  } cases[] = {
      {"--layer Cut --contour 1", 140 + 10 * kPi},
      {"--layer cut --contour 2", 24 * kPi},
      {"--contour 2 --tolerance 0.001", 24 * kPi},
      // Offsets by a tool's radius: a convex outline grows by 2 pi d, the circle's radius by d.
      {"--layer Cut --contour 1 --outside 1", 140 + 12 * kPi},
      {"--layer Cut --contour 2 --outside 1", 26 * kPi},
      {"--layer Cut --contour 2 --inside 1", 22 * kPi},
  };
  for (const auto& c : cases) {
    const std::string motion = PathOf("part.motion");
    const HostRun imported =
        MotionHost("import-svg " + kFixtures + "/inkscape-layers.svg " + c.options + " -o " + motion);
    if (!RanCleanly(imported, c.options)) continue;
    EXPECT_EQ(MotionHost("translate " + motion).status, 0) << c.options;
    const HostRun report = MotionHost("report " + motion);
    EXPECT_NEAR(TotalLength(report.out), c.length, 1e-3) << c.options;
  }
}

TEST_F(ImportSvgCommand, ListTellsTheLayersAndContoursAndWhatWasLeftOut) {
  const HostRun run = MotionHost("import-svg --list " + kFixtures + "/plain-groups.svg");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "unit: mm (1 mm)\n"
            "layers:\n"
            "  holes          3 entities\n"
            "  outline        1 entity\n"
            "  gasket         1 entity\n"
            "contours:\n"
            "  contour  layer    path    start (mm)                          segments  length (mm)\n"
            "        1  holes    closed  X 15.0000 Y 80.0000                        2      31.4159\n"
            "        2  holes    closed  X 75.0000 Y 80.0000                        2      31.4159\n"
            "        3  holes    closed  X 20.0000 Y 25.0000                        2      31.4159\n"
            "        4  outline  closed  X 5.0000 Y 95.0000                         4     360.0000\n"
            "        5  gasket   open    X 30.0000 Y 50.0000                        2      40.0000\n");
  EXPECT_NE(run.err.find("skipped, as they make no contour: 1 <clipPath>, 1 <image>"), std::string::npos) << run.err;
}

TEST_F(ImportSvgCommand, SplitWritesEachContour) {
  const HostRun run =
      MotionHost("import-svg --split --layer holes " + kFixtures + "/plain-groups.svg -o " + PathOf("hole.motion"));
  EXPECT_EQ(run.status, 0) << run.err;
  for (const char* part : {"hole-1.motion", "hole-2.motion", "hole-3.motion"})
    EXPECT_EQ(MotionHost("translate " + PathOf(part)).status, 0) << part;
}

TEST_F(ImportSvgCommand, WhatCannotBeReadIsRefusedWithItsLineAndNothingIsWritten) {
  const std::string svg = R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="10mm" height="10mm">)svg";
  const struct {
    std::string name;
    std::string arguments;
    std::string message;
  } cases[] = {
      {"path syntax", Write("bad.svg", svg + "\n<path id=\"cut\" d=\"M 0 0 L 5\"/></svg>"),
       "bad.svg: line 2: path \"cut\": Invalid value of SVG attribute (or property) \"d\""},
      {"no XML", Write("notes.svg", "cut along the line\n"), "notes.svg: line 1: it is no well-formed XML"},
      {"a layer the drawing does not have", "--layer Score " + kFixtures + "/inkscape-layers.svg",
       "the drawing has no layer \"Score\"; its layers: Cut (2 entities), Mark (1 entity)"},
      {"three contours and no choice", kFixtures + "/inkscape-layers.svg", "the file holds 3 contours"},
      {"nothing but text", Write("text.svg", svg + "<text>cut here</text></svg>"),
       "text.svg: no contour: the drawing has no path or shape\n"},
      {"no shape on the layer chosen",
       "--layer Mark " + Write("hidden.svg", svg + R"svg(<g id="Mark"/><rect width="5" height="5"/></svg>)svg"),
       "hidden.svg: no contour: the drawing has no path or shape on the layers Mark\n"},
  };
  for (const auto& c : cases) {
    const HostRun run = MotionHost("import-svg " + c.arguments + " -o " + PathOf("out.motion"));
    EXPECT_EQ(run.status, 2) << c.name;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << "\n" << run.err;
    EXPECT_FALSE(fs::exists(PathOf("out.motion"))) << c.name;
  }
}

// examples/leather-tag.svg, saved as a vector editor saves it (a layer with a transform, a
// viewBox in mm, a path of cubic curves and relative arcs, a circle, a rounded rectangle),
// imports as the motions beside it.
TEST_F(ImportSvgCommand, TheExampleImportsAsTheMotionsBesideIt) {
  const HostRun run =
      MotionHost("import-svg " + kExamples + "/leather-tag.svg --split -o " + PathOf("leather-tag.motion"));
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* motion : {"leather-tag-1.motion", "leather-tag-2.motion", "leather-tag-3.motion"})
    EXPECT_EQ(ReadFile(PathOf(motion)), ReadFile(kExamples + "/" + motion)) << motion;
}

}  // namespace
