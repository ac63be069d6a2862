#include "tools/host/PreviewPicture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/SegmentGeometry.h"

namespace {

using geometry::Point;

constexpr COLORREF kPathColour = RGB(0x1f, 0x4e, 0x9c);
constexpr COLORREF kCurrentColour = RGB(0xff, 0x7f, 0x0e);
constexpr COLORREF kStartColour = RGB(0x2c, 0xa0, 0x2c);
constexpr COLORREF kEndColour = RGB(0xd6, 0x27, 0x28);
constexpr double kPathWidth = 2.0;     // pixels
constexpr double kCurrentWidth = 5.0;  // pixels
constexpr double kLabelDistance = 14.0;  // pixels from the current segment's middle
// How far a chord may stray from its arc, as a share of the path's larger extent: well below a
// pixel in any window the picture is shown in.
constexpr double kChordTolerance = 1e-3;

CPicture::Point At(Point p) { return {p.x, p.y}; }

// How many chords make an arc look round: each stays within `tolerance` of the arc, and turns by
// at most a quarter turn and at least a degree.
int ArcPieces(const geometry::PathSegment& arc, double tolerance) {
  const double quarter = std::numbers::pi / 2.0;
  const double degree = std::numbers::pi / 180.0;
  const double step = tolerance < arc.radius ? 2.0 * std::acos(1.0 - tolerance / arc.radius) : quarter;
  return static_cast<int>(std::ceil(std::abs(arc.angleIncrement) / std::clamp(step, degree, quarter)));
}

// The points the segment runs through after `start`, up to its end.
void AppendSegment(const geometry::PathSegment& segment, Point start, double tolerance,
                   std::vector<CPicture::Point>& points) {
  const int pieces = segment.kind == geometry::PathSegment::Kind::Circular ? std::max(1, ArcPieces(segment, tolerance)) : 1;
  for (int piece = 1; piece <= pieces; ++piece)
    points.push_back(At(start + geometry::PointAlong(segment, static_cast<double>(piece) / pieces)));
}

CPicture::Line Polyline(COLORREF colour, double width, Point start) { return {{At(start)}, colour, width}; }

}  // namespace

CPicture PreviewPicture(const std::vector<geometry::PathSegment>& path, const geometry::PathWalk& walk, int current) {
  CPicture picture;
  picture.min = At(walk.bounds.min);
  picture.max = At(walk.bounds.max);
  const double tolerance =
      kChordTolerance * std::max(walk.bounds.max.x - walk.bounds.min.x, walk.bounds.max.y - walk.bounds.min.y);

  CPicture::Line whole = Polyline(kPathColour, kPathWidth, {});
  whole.points.reserve(path.size() + 1);
  for (size_t i = 0; i < path.size(); ++i) AppendSegment(path[i], walk.segments[i].start, tolerance, whole.points);
  picture.lines.push_back(std::move(whole));

  if (current >= 0 && static_cast<size_t>(current) < path.size()) {
    const geometry::PathSegment& segment = path[static_cast<size_t>(current)];
    const Point start = walk.segments[static_cast<size_t>(current)].start;
    CPicture::Line highlight = Polyline(kCurrentColour, kCurrentWidth, start);
    AppendSegment(segment, start, tolerance, highlight.points);
    picture.lines.push_back(std::move(highlight));
    // The number stands on the left of the direction of travel, as the plot puts it.
    const double heading = geometry::HeadingAlong(segment, 0.5);
    CString number;
    number.Format("%d", current + 1);
    picture.labels.push_back({At(start + geometry::PointAlong(segment, 0.5)),
                              {-kLabelDistance * std::sin(heading), kLabelDistance * std::cos(heading)}, number,
                              RGB(0, 0, 0)});
  }

  picture.marks.push_back({{0.0, 0.0}, CPicture::Shape::Dot, kStartColour, 10.0});
  picture.marks.push_back({At(walk.end), CPicture::Shape::Square, kEndColour, 12.0});
  return picture;
}
