#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "geometry/offset/ContourOffset.h"
#include "tests/geometry/OffsetDeviation.h"
#include "tests/geometry/OffsetShapes.h"

// Offsets of shapes worked out by hand, each told in one line per contour: where it starts, its
// length and its moves, each with the line of the move it comes from.
namespace {

using geometry::Contour;
using geometry::OffsetOptions;
using geometry::OffsetSide;
using geometry::Point;
using offsetshapes::Path;
using offsetshapes::Polygon;

constexpr double kPi = std::numbers::pi;

// Without the sign of a value that prints as zero.
double Shown(double value) { return std::abs(value) < 5e-5 ? 0.0 : value; }

// "closed (x, y) length mm: moves", a move being L and its line for a line, A (counterclockwise)
// or C and its line, a slash and its radius for an arc; then the notes, or the fault and the notes.
std::string Told(const Result<std::vector<Contour>>& offset) {
  std::string told;
  char text[96];
  if (!offset) {
    std::snprintf(text, sizeof text, "fault at line %d: ", offset.Failure().line);
    told = text + offset.Failure().message + "\n";
  } else {
    for (const Contour& contour : offset.Value()) {
      const Point end = contour.moves.back().segment.end;
      const bool closed = geometry::Distance(end, contour.start) < 1e-9;
      std::snprintf(text, sizeof text, "%s (%g, %g) %.4f mm:", closed ? "closed" : "open", Shown(contour.start.x),
                    Shown(contour.start.y), geometry::ContourLength(contour));
      told += text;
      for (const geometry::ContourMove& move : contour.moves) {
        const geometry::ContourSegment& segment = move.segment;
        if (segment.kind == geometry::PathSegment::Kind::Linear) {
          std::snprintf(text, sizeof text, " L%d", move.line);
        } else {
          std::snprintf(text, sizeof text, " %c%d/%g", segment.sweep > 0.0 ? 'A' : 'C', move.line, segment.Radius());
        }
        told += text;
      }
      told += "\n";
    }
  }
  for (const std::string& note : offset.Notes()) told += "note: " + note + "\n";
  return told;
}

struct OffsetCase {
  const char* name;
  Contour contour;
  OffsetOptions options;
  const char* told;
};

const Contour kSquare = Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
const Contour kRoundedRectangle = offsetshapes::RoundedRectangle({0, 0}, 80, 40, 10);
// Two squares of 20 mm joined by a neck 4 mm wide.
const Contour kDumbbell = Polygon(
    {{0, 0}, {20, 0}, {20, 8}, {40, 8}, {40, 0}, {60, 0}, {60, 20}, {40, 20}, {40, 12}, {20, 12}, {20, 20}, {0, 20}});
// The dumbbell far from the origin, below and left of it: the cells that find where slices meet
// are numbered below zero there.
const Contour kDumbbellFarOff = Polygon({{-5000, -3000},
                                         {-4980, -3000},
                                         {-4980, -2992},
                                         {-4960, -2992},
                                         {-4960, -3000},
                                         {-4940, -3000},
                                         {-4940, -2980},
                                         {-4960, -2980},
                                         {-4960, -2988},
                                         {-4980, -2988},
                                         {-4980, -2980},
                                         {-5000, -2980}});
// A notch of radius 2 in the top edge of a block.
const Contour kNotched = Path({0, 0}, {{{30, 0}}, {{30, 10}}, {{17, 10}}, {{13, 10}, -kPi}, {{0, 10}}, {{0, 0}}});

class OffsetShapes : public testing::TestWithParam<OffsetCase> {};

TEST_P(OffsetShapes, Told) {
  const OffsetCase& c = GetParam();
  const Result<std::vector<Contour>> offset = geometry::OffsetContour(c.contour, c.options);
  EXPECT_EQ(Told(offset), c.told);
  if (offset) {
    const OffsetDeviation deviation = MeasureOffsets(c.contour, offset.Value(), 0.01);
    EXPECT_TRUE(deviation.Keeps(c.options.distance, 1e-9))
        << deviation.nearestFromSource << " " << deviation.farthestFromSource;
  }
}

const OffsetCase kCases[] = {
    {"SquareOutside",
     kSquare,
     {1, OffsetSide::Outside},
     "closed (0, -1) 46.2832 mm: L1 A2/1 L2 A3/1 L3 A4/1 L4 A1/1\n"},
    // The offset starts where the parallels of the last and the first edge cross.
    {"SquareInside", kSquare, {1, OffsetSide::Inside}, "closed (1, 1) 32.0000 mm: L1 L2 L3 L4\n"},
    {"SquareToTheLeftIsInside", kSquare, {1}, "closed (1, 1) 32.0000 mm: L1 L2 L3 L4\n"},
    {"ClockwiseSquareInsideRunsClockwise",
     offsetshapes::Reversed(kSquare),
     {1, OffsetSide::Inside},
     "closed (1, 1) 32.0000 mm: L4 L3 L2 L1\n"},
    {"NegativeOutsideIsInside", kSquare, {-1, OffsetSide::Outside}, "closed (1, 1) 32.0000 mm: L1 L2 L3 L4\n"},
    {"RoundedRectangleOutside",
     kRoundedRectangle,
     {3, OffsetSide::Outside},
     "closed (40, -3) 241.6814 mm: L1 A2/13 L3 A4/13 L5 A6/13 L7 A8/13 L9\n"},
    {"RoundedRectangleInside",
     kRoundedRectangle,
     {4, OffsetSide::Inside},
     "closed (40, 4) 197.6991 mm: L1 A2/6 L3 A4/6 L5 A6/6 L7 A8/6 L9\n"},
    // 56 by 16 mm: the corners' arcs are gone and the edges meet at sharp corners.
    {"RoundedRectangleInsideBeyondItsRadius",
     kRoundedRectangle,
     {12, OffsetSide::Inside},
     "closed (40, 12) 144.0000 mm: L1 L3 L5 L7 L9\n"
     "note: line 2: the arc of radius 10 mm vanishes: the offset of 12 mm reaches its centre (4 arcs in all)\n"},
    {"NotesNameTheMovesPlaceAsTold",
     kRoundedRectangle,
     {12, OffsetSide::Inside, 0.001, [](int line) { return "ARC " + std::to_string(line); }},
     "closed (40, 12) 144.0000 mm: L1 L3 L5 L7 L9\n"
     "note: ARC 2: the arc of radius 10 mm vanishes: the offset of 12 mm reaches its centre (4 arcs in all)\n"},
    {"CircleInside", offsetshapes::Circle({0, 0}, 5), {3, OffsetSide::Inside}, "closed (2, 0) 12.5664 mm: A1/2\n"},
    {"CircleInsideByItsRadius",
     offsetshapes::Circle({0, 0}, 5),
     {5, OffsetSide::Inside},
     "fault at line 1: nothing is left of the contour offset 5 mm inside: it is nowhere 10 mm wide\n"
     "note: line 1: the arc of radius 5 mm vanishes: the offset of 5 mm reaches its centre\n"},
    {"SlotInside",
     offsetshapes::Slot({0, 0}, 20, 6),
     {2, OffsetSide::Inside},
     "closed (-10, -1) 46.2832 mm: L1 A2/1 L3 A4/1\n"},
    {"SlotNarrowerThanTwiceTheDistance",
     offsetshapes::Slot({0, 0}, 20, 6),
     {3.5, OffsetSide::Inside},
     "fault at line 1: nothing is left of the contour offset 3.5 mm inside: it is nowhere 7 mm wide\n"
     "note: line 2: the arc of radius 3 mm vanishes: the offset of 3.5 mm reaches its centre (2 arcs in all)\n"},
    // Each square's offset bulges into the neck round the corners where the neck opens.
    {"DumbbellInsideFallsApart",
     kDumbbell,
     {3, OffsetSide::Inside},
     "closed (3, 3) 56.3784 mm: L1 L2 C3/3 C10/3 L10 L11 L12\n"
     "closed (42.2361, 10) 56.3784 mm: C4/3 L4 L5 L6 L7 L8 C9/3\n"
     "note: the contour offset 3 mm inside falls into 2 contours, where parts of it come nearer to each other than "
     "6 mm\n"},
    {"DumbbellFarOffFallsApartAlike",
     kDumbbellFarOff,
     {3, OffsetSide::Inside},
     "closed (-4997, -2997) 56.3784 mm: L1 L2 C3/3 C10/3 L10 L11 L12\n"
     "closed (-4957.76, -2990) 56.3784 mm: C4/3 L4 L5 L6 L7 L8 C9/3\n"
     "note: the contour offset 3 mm inside falls into 2 contours, where parts of it come nearer to each other than "
     "6 mm\n"},
    // A tool wider than the notch rests on both its corners.
    {"NotchNarrowerThanTheTool",
     kNotched,
     {3, OffsetSide::Outside},
     "closed (0, -3) 99.2279 mm: L1 A2/3 L2 A3/3 L3 A4/3 A5/3 L5 A6/3 L6 A1/3\n"
     "note: line 4: the arc of radius 2 mm vanishes: the offset of 3 mm reaches its centre\n"},
    {"OpenCornerOnItsInside", Polygon({{0, 0}, {10, 0}, {10, 10}}, false), {1}, "open (0, 1) 18.0000 mm: L1 L2\n"},
    {"OpenCornerOnItsOutside",
     Polygon({{0, 0}, {10, 0}, {10, 10}}, false),
     {-1},
     "open (0, -1) 21.5708 mm: L1 A2/1 L2\n"},
    {"HairpinRoundItsTurn",
     Polygon({{0, 0}, {10, 0}, {10, 2}, {0, 2}}, false),
     {-1.5},
     "open (0, -1.5) 26.7124 mm: L1 A2/1.5 L2 A3/1.5 L3\n"},
    {"HairpinNarrowerThanTwiceTheDistance",
     Polygon({{0, 0}, {10, 0}, {10, 2}, {0, 2}}, false),
     {1.5},
     "fault at line 1: nothing is left of the contour offset 1.5 mm to the left: every point at that distance comes "
     "nearer to another part of it\n"},
    // Inside the spiral the offset closes on itself, apart from the piece along the way in.
    {"SpiralInside",
     Polygon({{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 1}}, false),
     {1.5},
     "open (0, 1.5) 8.5000 mm: L1\n"
     "closed (11.5, 1.5) 28.0000 mm: L1 L2 L3 L4\n"
     "note: the contour offset 1.5 mm to the left falls into 2 pieces, where parts of it come nearer to each other "
     "than 3 mm\n"},
    // To the left of a bowtie lie the inside of one loop and the outside of the other, which ends
    // where it meets the other side of the first.
    {"BowtieCrossesItself",
     Polygon({{0, 0}, {10, 10}, {10, 0}, {0, 10}}),
     {1},
     "open (5, 6.41421) 26.8545 mm: L1 C2/1 L2 C3/1 L3\n"
     "closed (1, 2.41421) 12.4853 mm: L1 L3 L4\n"
     "note: the contour offset 1 mm to the left leaves 1 contour and 1 open piece: the contour crosses or runs "
     "along itself\n"},
    // The gap of half a micrometre is closed by a line, part of the last edge's parallel.
    {"ClosedWithinTheGap",
     Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0.0005}}, false),
     {1, OffsetSide::Outside},
     "closed (0, -1) 46.2832 mm: L1 A2/1 L2 A3/1 L3 A4/1 L4 A1/1\n"},
    {"NoDistance", Polygon({{0, 0}, {10, 0}}, false), {0}, "open (0, 0) 10.0000 mm: L1\n"},
    {"OpenHasNoOutside",
     Polygon({{0, 0}, {10, 0}, {10, 10}}, false),
     {1, OffsetSide::Outside},
     "fault at line 1: the contour is open, so it has no outside or inside: offset it to the left or the right of "
     "its travel\n"},
    {"OutAndBackEnclosesNothing",
     Polygon({{0, 0}, {10, 0}, {0, 0}}, false),
     {1, OffsetSide::Inside},
     "fault at line 1: the contour encloses no area, so it has no outside or inside\n"},
    {"ArcOfMoreThanATurn",
     Path({5, 0}, {{{0, 5}, 2.5 * kPi}}),
     {1},
     "fault at line 1: an arc of 1.25 turns runs over itself: its offset would too\n"},
    {"NoLength", Path({5, 0}, {{{5, 0}}}), {1}, "fault at line 1: the contour has no length to offset\n"},
    {"DistanceNoNumber", kSquare, {std::nan("")}, "fault at line 1: the offset distance is no number\n"},
};

INSTANTIATE_TEST_SUITE_P(Shapes, OffsetShapes, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<OffsetCase>& info) { return info.param.name; });

// Offset outside by more than the radius of the arcs that bow in, a ring of 400 segments stays one
// contour: its lines trimmed where they cross, the arcs that bow in vanished.
TEST(OffsetRing, StaysOneContourOutside) {
  const Contour ring = offsetshapes::BowedRing(400, 0.1, 0.6);
  const Result<std::vector<Contour>> offset = geometry::OffsetContour(ring, {0.25, OffsetSide::Outside});
  ASSERT_TRUE(offset);
  ASSERT_EQ(offset->size(), 1u);
  EXPECT_TRUE(MeasureOffsets(ring, offset.Value(), 0.005).Keeps(0.25, 1e-9));
  EXPECT_EQ(geometry::Distance(offset->front().start, offset->front().moves.back().segment.end), 0.0);
  ASSERT_EQ(offset.Notes().size(), 1u);
  EXPECT_NE(offset.Notes().front().find("(100 arcs in all)"), std::string::npos) << offset.Notes().front();
}

// A ring of `width` split across at angle 0, from its outside at angle 0 counterclockwise through
// `span` in `arcs` arcs, then back along its inside: the contour's far side, where it comes back,
// lies as far along it as the contour is long.
Contour SplitRing(double radius, double width, double span, int arcs) {
  std::vector<offsetshapes::Edge> edges;
  const double step = span / arcs;
  for (int arc = 1; arc <= arcs; ++arc) edges.push_back({geometry::Polar(radius + width, arc * step), step});
  for (int arc = arcs; arc >= 0; --arc)
    edges.push_back({geometry::Polar(radius, arc * step), arc == arcs ? 0.0 : -step});
  edges.push_back({{radius + width, 0.0}});
  return Path({radius + width, 0.0}, edges);
}

// A bar of `width` by `height` with `teeth` teeth of `tooth` mm on its top edge, `pitch` apart from
// its middle outward and `tall` high: inside by more than half a tooth, each tooth leaves under it
// two arcs about its corners that meet.
Contour Comb(double width, double height, int teeth, double tooth, double pitch, double tall) {
  std::vector<Point> corners{{0, 0}, {width, 0}, {width, height}};
  const double first = (width + (teeth - 1) * pitch) / 2.0;
  for (int k = 0; k < teeth; ++k) {
    const double right = first - k * pitch + tooth / 2.0;
    const double left = right - tooth;
    for (Point p : {Point{right, height}, {right, height + tall}, {left, height + tall}, {left, height}})
      corners.push_back(p);
  }
  corners.push_back({0, height});
  return Polygon(corners);
}

struct LongCase {
  std::string name;
  Contour contour;
  OffsetOptions options;
  size_t contours;  // 0: nothing left, the fault saying why
  double length;    // mm, of them all
};

// Contours of hundreds of moves whose sides come back within twice the distance of each other,
// each whole offset measured against its length worked out by hand.
TEST(OffsetLongContours, KeepWhatLiesAtTheDistanceOfEverySide) {
  constexpr double kSpan = 5.0 / 3.0 * kPi;
  constexpr double kRing = 50.0, kWidth = 2.0;
  const double outside = kRing + kWidth, inside = kRing;
  const double perimeter = (outside + inside) * kSpan + 2.0 * kWidth;
  // Inside by d, each side shrinks by the distance, the ends cut across where they meet the sides.
  const auto splitInside = [&](double d) {
    const double far = outside - d, near = inside + d;
    return far * (kSpan - 2.0 * std::asin(d / far)) + near * (kSpan - 2.0 * std::asin(d / near)) +
           2.0 * (std::sqrt(far * far - d * d) - std::sqrt(near * near - d * d));
  };
  constexpr int kTeeth = 180;
  constexpr double kTooth = 0.3, kBar = 100.0, kHeight = 10.0;
  const std::vector<LongCase> cases = {
      {"split ring inside", SplitRing(kRing, kWidth, kSpan, 600), {0.6, OffsetSide::Inside}, 1, splitInside(0.6)},
      {"split ring inside, nowhere as wide", SplitRing(kRing, kWidth, kSpan, 600), {1.2, OffsetSide::Inside}, 0, 0},
      {"split ring outside",
       SplitRing(kRing, kWidth, kSpan, 600),
       {0.6, OffsetSide::Outside},
       1,
       perimeter + 2.0 * kPi * 0.6},
      {"comb inside",
       Comb(kBar, kHeight, kTeeth, kTooth, 0.5, 3.0),
       {1.0, OffsetSide::Inside},
       1,
       2.0 * (kBar - 2.0) + 2.0 * (kHeight - 2.0) - kTeeth * kTooth + 2.0 * kTeeth * std::asin(kTooth / 2.0)},
  };
  for (const LongCase& test : cases) {
    const Result<std::vector<Contour>> offset = geometry::OffsetContour(test.contour, test.options);
    if (test.contours == 0) {
      ASSERT_FALSE(offset) << test.name;
      EXPECT_NE(offset.Failure().message.find("nowhere"), std::string::npos) << test.name;
      continue;
    }
    ASSERT_TRUE(offset) << test.name << ": " << offset.Failure().message;
    EXPECT_EQ(offset->size(), test.contours) << test.name;
    double length = 0.0;
    for (const Contour& piece : offset.Value()) length += geometry::ContourLength(piece);
    EXPECT_NEAR(length, test.length, 1e-6) << test.name;
  }
}

// Each move keeps the line of the move it comes from and the feed in force there; a corner's
// arc takes the line and the feed of the move after it.
struct FeedCase {
  Contour contour;
  std::vector<std::pair<size_t, double>> feeds;  // the moves that set one
  OffsetOptions options;
  std::string lineFeeds;  // each offset as "line:feed" of its moves
};

// Each offset states the feed in force at its first move, though the move it starts beside set
// none, and then each change.
TEST(OffsetFeeds, EachMoveCarriesTheFeedInForceWhereItChanges) {
  const std::vector<FeedCase> cases = {
      {kSquare, {{0, 100}, {2, 200}}, {1, OffsetSide::Outside}, "1:100 2:0 2:0 3:200 3:0 4:0 4:0 1:100 \n"},
      {kDumbbell,
       {{0, 100}, {5, 200}},
       {3, OffsetSide::Inside},
       "1:100 2:0 3:0 10:200 10:0 11:0 12:0 \n4:100 4:0 5:0 6:200 7:0 8:0 9:0 \n"},
  };
  for (const FeedCase& test : cases) {
    Contour contour = test.contour;
    for (const auto& [move, feed] : test.feeds) contour.moves[move].feed = feed;
    const Result<std::vector<Contour>> offset = geometry::OffsetContour(contour, test.options);
    ASSERT_TRUE(offset);
    std::string feeds;
    for (const Contour& piece : offset.Value()) {
      for (const geometry::ContourMove& move : piece.moves)
        feeds += std::to_string(move.line) + ":" + std::to_string(static_cast<int>(move.feed)) + " ";
      feeds += "\n";
    }
    EXPECT_EQ(feeds, test.lineFeeds);
  }
}

}  // namespace
