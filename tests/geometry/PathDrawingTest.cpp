#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/core/SegmentGeometry.h"
#include "pictures/PathDrawing.h"

namespace {

using geometry::PathSegment;
using geometry::Point;
using pictures::Mark;

PathSegment Arc(double radius, double initialAngle, double angleIncrement) {
  return PathSegment::Arc(radius, geometry::Radians(initialAngle), geometry::Radians(angleIncrement));
}

// Lines alternately up and down by `step` while running along +X by `step`.
std::vector<PathSegment> Zigzag(int count, double step) {
  std::vector<PathSegment> path;
  for (int i = 0; i < count; ++i) path.push_back(PathSegment::Line(step, i % 2 == 0 ? step : -step));
  return path;
}

std::vector<PathSegment> RoundedRectangle() {
  return {PathSegment::Line(80, 0),  Arc(10, -90, 90), PathSegment::Line(0, 40),  Arc(10, 0, 90),
          PathSegment::Line(-80, 0), Arc(10, 90, 90),  PathSegment::Line(0, -40), Arc(10, 180, 90)};
}

// Small circles, each turning twice, along a line: every joint a corner.
std::vector<PathSegment> Loops(int count) {
  std::vector<PathSegment> path;
  for (int i = 0; i < count; ++i) {
    path.push_back(PathSegment::Line(0.3, 0.1));
    path.push_back(Arc(0.2, 0, 720));
  }
  return path;
}

struct Drawn {
  geometry::WalkSummary summary;
  pictures::PictureOptions options;
  pictures::PathDrawing drawing;
};

// Drawn as a picture whose longer side is 720 pixels.
Drawn Draw(const std::vector<PathSegment>& path, bool tangentAxis = true) {
  Drawn drawn;
  drawn.summary = geometry::Survey(geometry::SourceOf(path));
  const geometry::Bounds& b = drawn.summary.bounds;
  drawn.options = {std::max(b.max.x - b.min.x, b.max.y - b.min.y) / 720.0, geometry::Radians(10), tangentAxis};
  drawn.drawing = pictures::DrawPath(geometry::SourceOf(path), drawn.summary, drawn.options);
  return drawn;
}

size_t Count(const pictures::PathDrawing& drawing, Mark::Kind kind) {
  return static_cast<size_t>(std::count_if(drawing.marks.begin(), drawing.marks.end(),
                                           [kind](const Mark& mark) { return mark.kind == kind; }));
}

// A mark's box in pixels, as the header gives its size.
struct Box {
  double left, right, bottom, top;
  bool Overlaps(const Box& other) const {
    return left < other.right && other.left < right && bottom < other.top && other.bottom < top;
  }
};

Box BoxOf(Point at, double width, double height, double unitsPerPixel) {
  const Point p{at.x / unitsPerPixel, at.y / unitsPerPixel};
  return {p.x - width / 2, p.x + width / 2, p.y - height / 2, p.y + height / 2};
}

Box BoxOf(const Mark& mark, double unitsPerPixel) {
  if (mark.kind != Mark::SegmentNumber)
    return BoxOf(mark.at, pictures::kMarkPixels, pictures::kMarkPixels, unitsPerPixel);
  const double digits = static_cast<double>(std::to_string(mark.segment + 1).size());
  return BoxOf(mark.at, digits * pictures::kDigitPixels, pictures::kNumberPixels, unitsPerPixel);
}

const struct PathCase {
  std::string name;
  std::vector<PathSegment> path;
  // Of each kind of mark (corner, direction, segment number, tangent heading), how many are
  // placed at least: a picture that leaves out every mark covers none.
  size_t leastPlaced[Mark::kKinds];
} kPaths[] = {
    {"the demo's rounded rectangle", RoundedRectangle(), {0, 8, 8, 8}},
    {"a zigzag of 100000 steps far below a pixel", Zigzag(100000, 0.01), {20, 10, 10, 2}},
    {"a zigzag of 2000 steps of about a pixel", Zigzag(2000, 0.5), {20, 10, 10, 2}},
    {"3000 small loops", Loops(3000), {20, 10, 10, 10}},
};

// The strokes draw the whole path, in order, without a gap; a run of short segments is one
// polyline with points at least a pixel apart, so that the picture holds no more than can be
// seen; at most a few hundred marks of each kind are placed, and the rest are counted.
TEST(PathDrawing, StrokesFollowThePathAndMarksAreCounted) {
  for (const PathCase& c : kPaths) {
    const Drawn drawn = Draw(c.path);
    const geometry::PathWalk walk = geometry::Walk(c.path);
    size_t next = 0;
    Point at{0, 0};
    size_t points = 0;
    for (const pictures::Stroke& stroke : drawn.drawing.strokes) {
      EXPECT_EQ(stroke.firstSegment, next) << c.name;
      EXPECT_NEAR(stroke.from.x, at.x, 1e-9) << c.name;
      EXPECT_NEAR(stroke.from.y, at.y, 1e-9) << c.name;
      EXPECT_FALSE(stroke.steps.empty()) << c.name;
      if (stroke.steps.empty()) break;
      at = stroke.steps.back().to;
      EXPECT_NEAR(at.x, walk.segments[stroke.lastSegment].end.x, 1e-9) << c.name;
      EXPECT_NEAR(at.y, walk.segments[stroke.lastSegment].end.y, 1e-9) << c.name;
      next = stroke.lastSegment + 1;
      points += stroke.steps.size();
    }
    EXPECT_EQ(next, c.path.size()) << c.name;
    // Each point but a run's last is a pixel on from the one before it.
    EXPECT_LE(points, walk.totalLength / drawn.options.unitsPerPixel + 2 * drawn.drawing.strokes.size()) << c.name;

    size_t corners = 0;
    for (const geometry::WalkedSegment& segment : walk.segments) corners += segment.cornerAngle > geometry::Radians(10);
    const size_t totals[Mark::kKinds] = {corners, c.path.size(), c.path.size(), c.path.size() + 1};
    for (int kind = 0; kind < Mark::kKinds; ++kind) {
      const size_t placed = Count(drawn.drawing, static_cast<Mark::Kind>(kind));
      EXPECT_EQ(placed + drawn.drawing.leftOut[kind], totals[kind]) << c.name << ", kind " << kind;
      EXPECT_GE(placed, c.leastPlaced[kind]) << c.name << ", kind " << kind;
      if (kind != Mark::Corner) {
        EXPECT_LE(placed, 200u) << c.name << ", kind " << kind;
      }
    }
  }
}

// No mark but a corner ring covers another, nor the start or the end (where the tangent
// headings of the path's ends stand beside); no corner ring covers another.
TEST(PathDrawing, MarksDoNotCoverOneAnother) {
  for (const PathCase& c : kPaths) {
    const Drawn drawn = Draw(c.path);
    const double unit = drawn.options.unitsPerPixel;
    std::vector<Box> labels = {BoxOf({0, 0}, pictures::kEndsPixels, pictures::kEndsPixels, unit),
                               BoxOf(drawn.summary.end, pictures::kEndsPixels, pictures::kEndsPixels, unit)};
    std::vector<Box> rings;
    for (const Mark& mark : drawn.drawing.marks) {
      const Box box = BoxOf(mark, unit);
      std::vector<Box>& others = mark.kind == Mark::Corner ? rings : labels;
      const bool atAnEnd = mark.kind == Mark::TangentHeading && (mark.segment == 0 || mark.segment == c.path.size());
      for (size_t i = atAnEnd ? 2 : 0; i < others.size(); ++i)
        EXPECT_FALSE(box.Overlaps(others[i]))
            << c.name << ": a mark of kind " << mark.kind << " of segment " << mark.segment + 1;
      others.push_back(box);
    }
  }
}

// A corner ring stands on the joint before its segment, which turns by more than the threshold.
TEST(PathDrawing, CornerRingsStandOnTheirJoints) {
  for (const PathCase& c : kPaths) {
    const Drawn drawn = Draw(c.path);
    const geometry::PathWalk walk = geometry::Walk(c.path);
    for (const Mark& mark : drawn.drawing.marks) {
      if (mark.kind != Mark::Corner) continue;
      const geometry::WalkedSegment& after = walk.segments.at(mark.segment);
      EXPECT_GT(after.cornerAngle, drawn.options.cornerThreshold) << c.name << ", segment " << mark.segment + 1;
      EXPECT_NEAR(mark.at.x, after.start.x, 1e-9) << c.name << ", segment " << mark.segment + 1;
      EXPECT_NEAR(mark.at.y, after.start.y, 1e-9) << c.name << ", segment " << mark.segment + 1;
    }
  }
}

// A run of segments below a pixel may zigzag; its arrows show where the path goes, not where one
// tiny segment heads.
TEST(PathDrawing, ArrowsOnShortSegmentsShowWhereThePathGoes) {
  const Drawn drawn = Draw(Zigzag(100000, 0.01));
  EXPECT_GT(Count(drawn.drawing, Mark::Direction), 10u);
  for (const Mark& mark : drawn.drawing.marks)
    if (mark.kind == Mark::Direction) {
      EXPECT_NEAR(mark.heading, 0.0, 0.1) << "segment " << mark.segment + 1;
    }
}

// Segments a pixel long or more are strokes of their own, arcs in pieces of at most a quarter
// turn about their centres; each gets its number and its arrow where there is room.
TEST(PathDrawing, LongSegmentsAreStrokesOfTheirOwn) {
  const Drawn drawn = Draw(RoundedRectangle());
  ASSERT_EQ(drawn.drawing.strokes.size(), 8u);
  const pictures::Stroke& corner = drawn.drawing.strokes[1];
  ASSERT_EQ(corner.steps.size(), 1u);
  EXPECT_NEAR(corner.steps[0].turn, std::numbers::pi / 2, 1e-12);
  EXPECT_NEAR(corner.steps[0].centre.x, 80, 1e-9);
  EXPECT_NEAR(corner.steps[0].centre.y, 10, 1e-9);
  EXPECT_EQ(drawn.drawing.leftOut[Mark::Direction], 0u);
  EXPECT_EQ(drawn.drawing.leftOut[Mark::SegmentNumber], 0u);
  const std::vector<PathSegment> path = RoundedRectangle();
  const geometry::PathWalk walk = geometry::Walk(path);
  size_t arrows = 0;
  for (const Mark& mark : drawn.drawing.marks) {
    if (mark.kind != Mark::Direction) continue;
    ++arrows;
    const PathSegment& segment = path.at(mark.segment);
    const Point middle = walk.segments[mark.segment].start + geometry::PointAlong(segment, 0.5);
    EXPECT_NEAR(mark.at.x, middle.x, 1e-9) << "segment " << mark.segment + 1;
    EXPECT_NEAR(mark.at.y, middle.y, 1e-9) << "segment " << mark.segment + 1;
    EXPECT_NEAR(mark.heading, geometry::HeadingAlong(segment, 0.5), 1e-12) << "segment " << mark.segment + 1;
  }
  EXPECT_EQ(arrows, path.size());
}

}  // namespace
