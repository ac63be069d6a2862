#include "geometry/arcfit/ContourFitting.h"

#include <cmath>
#include <optional>

#include "geometry/core/Angles.h"

namespace geometry {

namespace {

// An arc's direction of travel where its radius points from the centre to p.
double ArcHeading(const ContourSegment& arc, Point p) {
  return HeadingOf(arc.centre, p) + std::copysign(kQuarterTurn, arc.sweep);
}

// Where a run of lines meets an arc: the arc's heading there, when the run turns from it by no
// more than the corner angle.
std::optional<double> SmoothJoin(double arcHeading, double chordHeading, double cornerAngle) {
  if (TurnBetween(arcHeading, chordHeading) > cornerAngle) return std::nullopt;
  return arcHeading;
}

class ContourFitter {
 public:
  ContourFitter(const Contour& contour, const ArcFitOptions& options, const std::vector<bool>& startsSegment)
      : m_Contour(contour), m_Options(options), m_StartsSegment(startsSegment) {}

  Contour Fit() {
    Contour fitted = m_Contour;
    fitted.moves.clear();
    Point from = m_Contour.start;
    size_t i = 0;
    while (i < m_Contour.moves.size()) {
      if (m_Contour.moves[i].segment.kind == PathSegment::Kind::Circular) {
        fitted.moves.push_back(m_Contour.moves[i]);
        from = m_Contour.moves[i++].segment.end;
        continue;
      }
      size_t end = i;
      while (end < m_Contour.moves.size() && m_Contour.moves[end].segment.kind == PathSegment::Kind::Linear) ++end;
      FitRun(from, i, end, fitted.moves);
      from = m_Contour.moves[end - 1].segment.end;
      i = end;
    }
    return fitted;
  }

 private:
  bool StartsSegment(size_t move) const { return move < m_StartsSegment.size() && m_StartsSegment[move]; }

  // The lines moves[first, end) from `from`, fitted.
  void FitRun(Point from, size_t first, size_t end, std::vector<ContourMove>& out) const {
    std::vector<Point> points = {from};
    ArcFitOptions options = m_Options;
    for (size_t i = first; i < end; ++i) {
      if (StartsSegment(i)) options.boundaries.push_back(i - first);
      points.push_back(m_Contour.moves[i].segment.end);
    }
    if (first > 0)
      options.startHeading = SmoothJoin(ArcHeading(m_Contour.moves[first - 1].segment, from),
                                        HeadingOf(from, points[1]), options.cornerAngle);
    if (end < m_Contour.moves.size())
      options.endHeading = SmoothJoin(ArcHeading(m_Contour.moves[end].segment, points.back()),
                                      HeadingOf(points[points.size() - 2], points.back()), options.cornerAngle);
    const std::vector<FittedSegment> segments = FitArcs(points, options);
    // Each fitted segment starts on the point the one before answers for last, or after it; the
    // first to start from a move's start point carries the move's feed.
    size_t startPoint = 0;
    std::optional<size_t> carried;
    for (size_t s = 0; s < segments.size(); ++s) {
      // The run ends exactly where its last move does, and each segment starts where the one
      // before it ends.
      ContourMove move{ContourSegmentOf(segments[s], s + 1 == segments.size() ? points.back() : segments[s].End())};
      if (s > 0) move.segment.start = out.back().segment.end;
      const ContourMove& source = m_Contour.moves[first + std::min(startPoint, end - first - 1)];
      move.line = source.line;
      if (carried != startPoint && (s == 0 || StartsSegment(first + startPoint))) {
        move.feed = source.feed;
        carried = startPoint;
      }
      out.push_back(move);
      startPoint = segments[s].lastPoint;
    }
  }

  const Contour& m_Contour;
  const ArcFitOptions& m_Options;
  const std::vector<bool>& m_StartsSegment;
};

}  // namespace

Contour FitContour(const Contour& contour, const ArcFitOptions& options, const std::vector<bool>& startsSegment) {
  return ContourFitter(contour, options, startsSegment).Fit();
}

}  // namespace geometry
