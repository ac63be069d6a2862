#include "pictures/PathDrawing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string>

#include "geometry/core/SegmentGeometry.h"

namespace pictures {

using namespace geometry;

namespace {

constexpr size_t kMostMarksOfAKind = 200;
constexpr double kGapPixels = 2.0;             // between marks
constexpr double kLeastStretchPixels = 4.0;    // the least run of short segments that shows a direction
constexpr double kHeadingOffsetPixels = 15.0;  // a tangent heading starts right of the path, clear of the end mark
constexpr double kCellPixels = kGapPixels;     // the grain of the record of where marks stand
constexpr double kMostCellsAcross = 2048.0;    // so that a record of a huge picture stays small

size_t Digits(size_t number) { return std::to_string(number).size(); }

// Which cells of the picture marks already cover. It reaches a few marks beyond the path's
// bounds, where marks beside the path may stand; boxes are clipped to it.
class Occupancy {
 public:
  Occupancy(const Bounds& bounds, double unitsPerPixel) : m_UnitsPerPixel(unitsPerPixel) {
    const double margin = 4.0 * kMarkPixels;
    const Point size{(bounds.max.x - bounds.min.x) / unitsPerPixel + 2.0 * margin,
                     (bounds.max.y - bounds.min.y) / unitsPerPixel + 2.0 * margin};
    m_CellPixels = std::max(kCellPixels, std::max(size.x, size.y) / kMostCellsAcross);
    m_Origin = {bounds.min.x / unitsPerPixel - margin, bounds.min.y / unitsPerPixel - margin};
    m_Columns = static_cast<long>(size.x / m_CellPixels) + 1;
    m_Rows = static_cast<long>(size.y / m_CellPixels) + 1;
    m_Taken.assign(static_cast<size_t>(m_Columns * m_Rows), 0);
  }

  // Takes the box of `width` by `height` pixels round `at` (in the path's unit) when none of it
  // is taken yet.
  bool Take(Point at, double width, double height) {
    const CellRange cells = CellsOf(at, width, height);
    if (!EveryCell(cells, [](unsigned char& cell) { return cell == 0; })) return false;
    EveryCell(cells, TakeCell);
    return true;
  }

  // Takes the box whatever lies there already.
  void Reserve(Point at, double width, double height) { EveryCell(CellsOf(at, width, height), TakeCell); }

 private:
  struct CellRange {
    long left, right, bottom, top;
  };

  CellRange CellsOf(Point at, double width, double height) const {
    const Point pixel{at.x / m_UnitsPerPixel - m_Origin.x, at.y / m_UnitsPerPixel - m_Origin.y};
    return {FirstCell(pixel.x - width / 2.0, m_Columns), LastCell(pixel.x + width / 2.0, m_Columns),
            FirstCell(pixel.y - height / 2.0, m_Rows), LastCell(pixel.y + height / 2.0, m_Rows)};
  }

  // The cells a box from one edge to the other covers: boxes a cell apart never share one.
  long FirstCell(double edge, long count) const { return Clamped(std::floor(edge / m_CellPixels), count); }
  long LastCell(double edge, long count) const { return Clamped(std::ceil(edge / m_CellPixels) - 1.0, count); }
  static long Clamped(double cell, long count) {
    return static_cast<long>(std::clamp(cell, 0.0, static_cast<double>(count - 1)));
  }

  static bool TakeCell(unsigned char& cell) {
    cell = 1;
    return true;
  }

  // Whether `visit` holds for every cell of the range, visiting them until it does not.
  template <typename Visit>
  bool EveryCell(const CellRange& cells, Visit visit) {
    for (long row = cells.bottom; row <= cells.top; ++row)
      for (long column = cells.left; column <= cells.right; ++column)
        if (!visit(m_Taken[static_cast<size_t>(row * m_Columns + column)])) return false;
    return true;
  }

  double m_UnitsPerPixel;
  double m_CellPixels = kCellPixels;
  Point m_Origin;  // pixels
  long m_Columns = 0;
  long m_Rows = 0;
  std::vector<unsigned char> m_Taken;  // 1 where taken
};

class DrawingBuilder {
 public:
  DrawingBuilder(const WalkSummary& summary, const PictureOptions& options)
      : m_Summary(summary),
        m_Options(options),
        m_Rings(summary.bounds, options.unitsPerPixel),
        m_Labels(summary.bounds, options.unitsPerPixel) {
    m_Stride = std::max<size_t>(1, (summary.segmentCount + kMostMarksOfAKind - 1) / kMostMarksOfAKind);
  }

  // Strokes, corners and the tangent headings at the path's ends first, so that no other mark
  // takes their places; then direction arrows and numbers, then the other tangent headings.
  PathDrawing Build(const PathSource& path) {
    double firstHeading = 0.0;
    double lastHeading = 0.0;
    Walk(path, [&](const PathSegment& segment, const WalkedSegment& walked, size_t index) {
      if (index == 0) firstHeading = walked.headingIn;
      lastHeading = walked.headingOut;
      if (index > 0 && IsCorner(walked, m_Options.cornerThreshold)) RingCorner(walked.start, index);
      AddToStrokes(segment, walked, index);
    });
    EndRun();
    const size_t count = m_Summary.segmentCount;
    if (m_Options.tangentAxis && count > 0) {
      PlaceWhereDue(TangentHeading(0, {0.0, 0.0}, firstHeading), kMarkPixels, kMarkPixels);
      Place(TangentHeading(count, m_Summary.end, lastHeading), kMarkPixels, kMarkPixels);
    }
    m_Labels.Reserve({0.0, 0.0}, kEndsPixels, kEndsPixels);
    m_Labels.Reserve(m_Summary.end, kEndsPixels, kEndsPixels);
    Walk(path, [this](const PathSegment& segment, const WalkedSegment& walked, size_t index) {
      PlaceMarksBeside(segment, walked, index);
    });
    EndStretch(m_Summary.end);
    if (m_Options.tangentAxis)
      Walk(path, [this](const PathSegment&, const WalkedSegment& walked, size_t index) {
        if (index > 0 && IsDue(Mark::TangentHeading, index))
          PlaceWhereDue(TangentHeading(index, walked.start, walked.headingIn), kMarkPixels, kMarkPixels);
      });
    m_Drawing.leftOut[Mark::Corner] = m_CornersSeen - m_Placed[Mark::Corner];
    m_Drawing.leftOut[Mark::Direction] = count - m_Placed[Mark::Direction];
    m_Drawing.leftOut[Mark::SegmentNumber] = count - m_Placed[Mark::SegmentNumber];
    m_Drawing.leftOut[Mark::TangentHeading] = m_Options.tangentAxis ? count + 1 - m_Placed[Mark::TangentHeading] : 0;
    return std::move(m_Drawing);
  }

 private:
  template <typename Visit>
  static void Walk(const PathSource& path, Visit visit) {
    PathWalker walker;
    size_t index = 0;
    path([&](const PathSegment& segment) { visit(segment, walker.Next(segment), index++); });
  }

  double Pixels(double count) const { return count * m_Options.unitsPerPixel; }

  // How far a segment reaches, in pixels: an arc within a pixel's width draws as a dot however
  // often it turns.
  double ReachPixels(const PathSegment& segment, const WalkedSegment& walked) const {
    const double reach =
        segment.kind == PathSegment::Kind::Linear ? walked.length : std::min(walked.length, 2.0 * segment.radius);
    return reach / m_Options.unitsPerPixel;
  }

  void AddToStrokes(const PathSegment& segment, const WalkedSegment& walked, size_t index) {
    if (ReachPixels(segment, walked) >= 1.0) {
      EndRun();
      m_Drawing.strokes.push_back(SegmentStroke(segment, walked, index));
      return;
    }
    if (!m_InRun) {
      m_Run = Stroke{index, index, walked.start, {}};
      m_LastKept = walked.start;
      m_InRun = true;
    }
    m_Run.lastSegment = index;
    m_RunEnd = walked.end;
    if (Distance(walked.end, m_LastKept) >= Pixels(1.0)) {
      m_Run.steps.push_back({walked.end, {}, 0.0});
      m_LastKept = walked.end;
    }
  }

  // A run of short segments ends at the last one's end, however close to the last point kept.
  void EndRun() {
    if (!m_InRun) return;
    if (m_Run.steps.empty() || Distance(m_RunEnd, m_LastKept) > 0.0) m_Run.steps.push_back({m_RunEnd, {}, 0.0});
    m_Drawing.strokes.push_back(std::move(m_Run));
    m_InRun = false;
  }

  // A line in one step; an arc in pieces of at most a quarter turn.
  static Stroke SegmentStroke(const PathSegment& segment, const WalkedSegment& walked, size_t index) {
    Stroke stroke{index, index, walked.start, {}};
    if (segment.kind == PathSegment::Kind::Linear) {
      stroke.steps.push_back({walked.end, {}, 0.0});
      return stroke;
    }
    const double quarter = std::numbers::pi / 2.0;
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(segment.angleIncrement) / quarter)));
    const Point centre = walked.start + ArcCentre(segment);
    for (int piece = 1; piece <= pieces; ++piece) {
      const Point to = walked.start + PointAlong(segment, static_cast<double>(piece) / pieces);
      stroke.steps.push_back({to, centre, segment.angleIncrement / pieces});
    }
    return stroke;
  }

  // Corners are ringed wherever a ring does not cover another ring.
  void RingCorner(Point joint, size_t index) {
    ++m_CornersSeen;
    if (!m_Rings.Take(joint, kMarkPixels, kMarkPixels)) return;
    m_Drawing.marks.push_back({Mark::Corner, index, joint, 0.0});
    ++m_Placed[Mark::Corner];
  }

  // Whether a mark of this kind is due at the segment: at most kMostMarksOfAKind of each, spread
  // along the path by waiting a stride of segments after each one placed.
  bool IsDue(Mark::Kind kind, size_t index) const {
    return index >= m_Next[kind] && m_Placed[kind] < kMostMarksOfAKind;
  }

  // Every mark but a corner ring takes its place with a gap round it.
  bool Place(const Mark& mark, double width, double height) {
    if (!m_Labels.Take(mark.at, width + kGapPixels, height + kGapPixels)) return false;
    m_Drawing.marks.push_back(mark);
    ++m_Placed[mark.kind];
    return true;
  }

  void PlaceWhereDue(const Mark& mark, double width, double height) {
    if (Place(mark, width, height)) m_Next[mark.kind] = mark.segment + m_Stride;
  }

  bool IsArrowOrNumberDue(size_t index) const {
    return IsDue(Mark::Direction, index) || IsDue(Mark::SegmentNumber, index);
  }

  // A segment of at least a mark's reach gets its direction arrow and number at its middle. On
  // shorter ones the direction of a single segment says little about the picture (a run of
  // them may zigzag below a pixel): their marks show where the path goes over a mark's length
  // from the start of the segment whose marks are due.
  void PlaceMarksBeside(const PathSegment& segment, const WalkedSegment& walked, size_t index) {
    if (ReachPixels(segment, walked) >= kMarkPixels) {
      EndStretch(walked.start);
      if (IsArrowOrNumberDue(index))
        PlaceArrowAndNumber(index, walked.start + PointAlong(segment, 0.5), HeadingAlong(segment, 0.5));
      return;
    }
    if (!m_Stretch && IsArrowOrNumberDue(index)) m_Stretch = Stretch{index, walked.start};
    if (m_Stretch && Distance(m_Stretch->from, walked.end) >= Pixels(kMarkPixels)) EndStretch(walked.end);
  }

  // Ends the stretch of short segments at `to`; one too short to show a direction has no marks.
  void EndStretch(Point to) {
    if (!m_Stretch) return;
    const Point along = to - m_Stretch->from;
    if (Norm(along) >= Pixels(kLeastStretchPixels))
      PlaceArrowAndNumber(m_Stretch->index, m_Stretch->from + 0.5 * along, AngleOf(along));
    m_Stretch.reset();
  }

  // The direction arrow at `middle`, the number on its left.
  void PlaceArrowAndNumber(size_t index, Point middle, double heading) {
    if (IsDue(Mark::Direction, index))
      PlaceWhereDue({Mark::Direction, index, middle, heading}, kMarkPixels, kMarkPixels);
    if (IsDue(Mark::SegmentNumber, index)) {
      const double width = static_cast<double>(Digits(index + 1)) * kDigitPixels;
      const Point left = LeftOf(Direction(heading));
      PlaceWhereDue({Mark::SegmentNumber, index, middle + Pixels(ClearOfArrows(left, width)) * left, 0.0}, width,
                    kNumberPixels);
    }
  }

  // How far a number `width` wide must stand along `direction` (a unit vector) from a direction
  // arrow to be placed beside it, in pixels. Both places keep their gaps, and they must not share
  // a cell of the record of places: the number stands a cell clear of its own arrow on one axis,
  // and clear of a straight row of arrows across the direction.
  static double ClearOfArrows(Point direction, double width) {
    const double x = (kMarkPixels + width) / 2.0 + kGapPixels;  // half widths added, and their gaps
    const double y = (kMarkPixels + kNumberPixels) / 2.0 + kGapPixels;
    const auto apart = [](double reach, double component) {
      return component != 0.0 ? reach / std::abs(component) : std::numeric_limits<double>::infinity();
    };
    const double clearOfItsArrow = std::min(apart(x + kCellPixels, direction.x), apart(y + kCellPixels, direction.y));
    const double clearOfTheRow = x * std::abs(direction.x) + y * std::abs(direction.y) + kCellPixels;
    return std::max(clearOfItsArrow, clearOfTheRow);
  }

  // An arrow of a mark's length beside the path, on the right of the direction of travel.
  Mark TangentHeading(size_t index, Point on, double heading) const {
    const Point at =
        on - Pixels(kHeadingOffsetPixels) * LeftOf(Direction(heading)) + Pixels(kMarkPixels / 2.0) * Direction(heading);
    return {Mark::TangentHeading, index, at, heading};
  }

  const WalkSummary& m_Summary;
  const PictureOptions& m_Options;
  Occupancy m_Rings;   // corner rings do not cover one another
  Occupancy m_Labels;  // nor do the other marks, which keep off the start and the end too
  size_t m_Stride = 1;
  PathDrawing m_Drawing;
  Stroke m_Run;
  bool m_InRun = false;
  Point m_LastKept;
  Point m_RunEnd;
  // Short segments from the one whose arrow and number are due.
  struct Stretch {
    size_t index;
    Point from;
  };
  std::optional<Stretch> m_Stretch;
  size_t m_CornersSeen = 0;
  std::array<size_t, Mark::kKinds> m_Placed{};
  std::array<size_t, Mark::kKinds> m_Next{};
};

}  // namespace

PathDrawing DrawPath(const PathSource& path, const WalkSummary& summary, const PictureOptions& options) {
  return DrawingBuilder(summary, options).Build(path);
}

}  // namespace pictures
