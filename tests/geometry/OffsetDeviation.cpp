#include "tests/geometry/OffsetDeviation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

using geometry::ContourSegment;
using geometry::Point;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The point a fraction t along the segment, turned about its centre for an arc.
Point Sample(const ContourSegment& segment, double t) {
  if (segment.kind == geometry::PathSegment::Kind::Linear) return segment.start + t * (segment.end - segment.start);
  const Point radius = segment.start - segment.centre;
  const double turn = t * segment.sweep;
  return segment.centre + Point{radius.x * std::cos(turn) - radius.y * std::sin(turn),
                                radius.x * std::sin(turn) + radius.y * std::cos(turn)};
}

template <typename Visit>
void VisitSamples(const std::vector<geometry::Contour>& contours, double spacing, Visit visit) {
  for (const geometry::Contour& contour : contours) {
    for (const geometry::ContourMove& move : contour.moves) {
      const int steps = std::max(1, static_cast<int>(std::ceil(geometry::Length(move.segment) / spacing)));
      for (int step = 0; step <= steps; ++step) visit(Sample(move.segment, static_cast<double>(step) / steps));
    }
  }
}

// A segment with the box round its circle or its ends, which no point of it leaves.
struct Boxed {
  ContourSegment segment;
  Point low;
  Point high;
};

std::vector<Boxed> BoxedSegments(const std::vector<geometry::Contour>& contours) {
  std::vector<Boxed> boxed;
  for (const geometry::Contour& contour : contours) {
    for (const geometry::ContourMove& move : contour.moves) {
      const ContourSegment& segment = move.segment;
      if (segment.kind == geometry::PathSegment::Kind::Circular) {
        const double r = segment.Radius();
        boxed.push_back({segment, segment.centre - Point{r, r}, segment.centre + Point{r, r}});
      } else {
        boxed.push_back({segment,
                         {std::min(segment.start.x, segment.end.x), std::min(segment.start.y, segment.end.y)},
                         {std::max(segment.start.x, segment.end.x), std::max(segment.start.y, segment.end.y)}});
      }
    }
  }
  return boxed;
}

// Segments whose box lies farther than the nearest so far are passed over.
double DistanceToSegments(Point p, const std::vector<Boxed>& segments) {
  double nearest = kInfinity;
  for (const Boxed& boxed : segments) {
    const double dx = std::max(std::max(boxed.low.x - p.x, p.x - boxed.high.x), 0.0);
    const double dy = std::max(std::max(boxed.low.y - p.y, p.y - boxed.high.y), 0.0);
    if (dx * dx + dy * dy >= nearest * nearest) continue;
    nearest = std::min(nearest, DistanceToContourSegment(p, boxed.segment));
  }
  return nearest;
}

double LargestGap(const std::vector<geometry::Contour>& contours) {
  double largest = 0.0;
  for (const geometry::Contour& contour : contours) {
    Point at = contour.start;
    for (const geometry::ContourMove& move : contour.moves) {
      largest = std::max(largest, geometry::Distance(at, move.segment.start));
      if (move.segment.kind == geometry::PathSegment::Kind::Circular)
        largest = std::max(largest, geometry::Distance(Sample(move.segment, 1.0), move.segment.end));
      at = move.segment.end;
    }
  }
  return largest;
}

}  // namespace

bool OffsetDeviation::Keeps(double distance, double tolerance) const {
  const double wanted = std::abs(distance);
  return nearestFromSource >= wanted - tolerance && farthestFromSource <= wanted + tolerance &&
         nearestToOffsets >= wanted - tolerance && largestGap <= tolerance;
}

// Beyond its ends an arc is nearest at one of them; between them, along its radius. A point lies
// between the ends where it is turned from the start the arc's way and from itself to the end;
// on an arc of more than half a turn, where it is not turned the other way from both.
double DistanceToContourSegment(Point p, const ContourSegment& segment) {
  const auto length = [](Point v) { return std::sqrt(geometry::Dot(v, v)); };
  const double toEnds = std::min(length(p - segment.start), length(p - segment.end));
  if (segment.kind == geometry::PathSegment::Kind::Linear) {
    const Point along = segment.end - segment.start;
    const double squared = geometry::Dot(along, along);
    if (squared == 0.0) return toEnds;
    const double t = geometry::Dot(p - segment.start, along) / squared;
    return t <= 0.0 || t >= 1.0 ? toEnds : std::abs(geometry::Cross(along, p - segment.start)) / std::sqrt(squared);
  }
  const Point from = segment.start - segment.centre;
  const Point to = segment.end - segment.centre;
  const Point at = p - segment.centre;
  const double way = segment.sweep > 0.0 ? 1.0 : -1.0;
  const bool afterStart = way * geometry::Cross(from, at) >= 0.0;
  const bool beforeEnd = way * geometry::Cross(at, to) >= 0.0;
  const bool between = std::abs(segment.sweep) <= std::numbers::pi ? afterStart && beforeEnd : afterStart || beforeEnd;
  return between ? std::abs(length(at) - length(from)) : toEnds;
}

OffsetDeviation MeasureOffsets(const geometry::Contour& source, const std::vector<geometry::Contour>& offsets,
                               double spacing) {
  OffsetDeviation deviation{kInfinity, 0.0, kInfinity, LargestGap(offsets)};
  const std::vector<geometry::Contour> sources{source};
  const std::vector<Boxed> sourceSegments = BoxedSegments(sources);
  const std::vector<Boxed> offsetSegments = BoxedSegments(offsets);
  VisitSamples(offsets, spacing, [&](Point p) {
    const double distance = DistanceToSegments(p, sourceSegments);
    deviation.nearestFromSource = std::min(deviation.nearestFromSource, distance);
    deviation.farthestFromSource = std::max(deviation.farthestFromSource, distance);
  });
  VisitSamples(sources, spacing, [&](Point p) {
    deviation.nearestToOffsets = std::min(deviation.nearestToOffsets, DistanceToSegments(p, offsetSegments));
  });
  return deviation;
}
