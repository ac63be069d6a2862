#include "pictures/PreviewPicture.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "geometry/core/SegmentGeometry.h"
#include "pictures/PathDrawing.h"

namespace {

using geometry::Point;
using pictures::Mark;

constexpr COLORREF kPathColour = RGB(0x1f, 0x4e, 0x9c);
constexpr COLORREF kCurrentColour = RGB(0xe6, 0x00, 0x7e);
constexpr COLORREF kCornerColour = RGB(0xd6, 0x27, 0x28);
constexpr COLORREF kTangentColour = RGB(0xff, 0x7f, 0x0e);
constexpr COLORREF kStartColour = RGB(0x2c, 0xa0, 0x2c);
constexpr COLORREF kEndColour = RGB(0xd6, 0x27, 0x28);
constexpr COLORREF kNumberColour = RGB(0, 0, 0);
// Pixels.
constexpr double kPathWidth = 2.0;
constexpr double kCurrentWidth = 5.0;
constexpr double kCurrentNumberDistance = 14.0;  // from the current segment's middle, left of its travel
constexpr double kStartSize = 10.0;
// How far a chord of an arc may stray from it, in pixels.
constexpr double kChordPixels = 0.25;

CPicture::Point At(Point p) { return {p.x, p.y}; }

// Appends the points of an arc from `from` about `centre` by `turn` (radians, counterclockwise
// when positive), in chords that stay within `tolerance` of it and turn by at most a quarter
// turn and at least a degree each.
void AppendArc(Point from, Point centre, double turn, double tolerance, std::vector<CPicture::Point>& points) {
  const double radius = geometry::Distance(centre, from);
  const double quarter = std::numbers::pi / 2.0;
  const double degree = std::numbers::pi / 180.0;
  const double step = tolerance < radius ? 2.0 * std::acos(1.0 - tolerance / radius) : quarter;
  const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(turn) / std::clamp(step, degree, quarter))));
  const double start = geometry::HeadingOf(centre, from);
  for (int piece = 1; piece <= pieces; ++piece) {
    const double angle = start + turn * piece / pieces;
    points.push_back(At(centre + geometry::Polar(radius, angle)));
  }
}

CPicture::Line StrokeLine(const pictures::Stroke& stroke, double tolerance) {
  CPicture::Line line{{At(stroke.from)}, kPathColour, kPathWidth};
  Point from = stroke.from;
  for (const pictures::StrokeStep& step : stroke.steps) {
    if (step.turn == 0.0)
      line.points.push_back(At(step.to));
    else
      AppendArc(from, step.centre, step.turn, tolerance, line.points);
    from = step.to;
  }
  return line;
}

// `current`: the current segment, whose number is drawn in its colour.
void AddMark(CPicture& picture, const Mark& mark, int current) {
  switch (mark.kind) {
    case Mark::Corner:
      picture.marks.push_back({At(mark.at), CPicture::Shape::Ring, kCornerColour, 14.0});
      break;
    case Mark::Direction:
      picture.marks.push_back({At(mark.at), CPicture::Shape::Arrow, kPathColour, 14.0, mark.heading});
      break;
    case Mark::TangentHeading:
      picture.marks.push_back({At(mark.at), CPicture::Shape::Arrow, kTangentColour, 16.0, mark.heading});
      break;
    case Mark::SegmentNumber: {
      const COLORREF colour = static_cast<int>(mark.segment) == current ? kCurrentColour : kNumberColour;
      picture.labels.push_back({At(mark.at), {}, std::to_string(mark.segment + 1).c_str(), colour});
      break;
    }
    case Mark::kKinds:
      break;
  }
}

// The current segment over the path, and its number beside its middle unless the drawing
// numbered it already: a number is drawn once.
void AddCurrent(CPicture& picture, const MotionPath& path, int current, double tolerance, bool numbered) {
  geometry::PathWalker walker;
  int index = 0;
  path.Written()([&](const geometry::PathSegment& segment) {
    const geometry::WalkedSegment walked = walker.Next(segment);
    if (index++ != current) return;
    CPicture::Line line{{At(walked.start)}, kCurrentColour, kCurrentWidth};
    if (segment.kind == geometry::PathSegment::Kind::Circular)
      AppendArc(walked.start, walked.start + geometry::ArcCentre(segment), segment.angleIncrement, tolerance,
                line.points);
    else
      line.points.push_back(At(walked.end));
    picture.lines.push_back(std::move(line));
    if (numbered) return;
    const double heading = geometry::HeadingAlong(segment, 0.5);
    picture.labels.push_back({At(walked.start + geometry::PointAlong(segment, 0.5)),
                              At(kCurrentNumberDistance * geometry::LeftOf(geometry::Direction(heading))),
                              std::to_string(current + 1).c_str(), kCurrentColour});
  });
}

}  // namespace

CPicture PreviewPicture(const MotionPath& path, const geometry::WalkSummary& summary, int current, int width,
                        int height) {
  CPicture picture;
  picture.min = At(summary.bounds.min);
  picture.max = At(summary.bounds.max);
  const double unitsPerPixel = 1.0 / PictureView(picture, width, height).Scale();
  const double tolerance = kChordPixels * unitsPerPixel;
  const pictures::PathDrawing drawing = pictures::DrawPath(
      path.Written(), summary, {unitsPerPixel, geometry::Radians(geometry::kDefaultCornerDegrees), path.tangentAxis});
  for (const pictures::Stroke& stroke : drawing.strokes) picture.lines.push_back(StrokeLine(stroke, tolerance));
  bool numbered = false;
  for (const Mark& mark : drawing.marks) {
    AddMark(picture, mark, current);
    numbered = numbered || (mark.kind == Mark::SegmentNumber && static_cast<int>(mark.segment) == current);
  }
  if (current >= 0 && static_cast<size_t>(current) < summary.segmentCount)
    AddCurrent(picture, path, current, tolerance, numbered);
  picture.marks.push_back({At(summary.end), CPicture::Shape::Square, kEndColour, pictures::kEndsPixels - 2.0});
  picture.marks.push_back({{0.0, 0.0}, CPicture::Shape::Dot, kStartColour, kStartSize});
  return picture;
}
