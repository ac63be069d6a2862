#include "geometry/offset/internal/RawOffset.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

#include "geometry/core/Angles.h"
#include "geometry/core/Tolerances.h"
#include "geometry/offset/internal/CurveMeetings.h"

namespace geometry::offsetting {

namespace {

// How the source turns at a vertex between two pieces: from the direction the first ends with to
// the one the second starts with, in (-pi, pi].
double TurnBetween(const SourcePiece& before, const SourcePiece& after) {
  return NormalizedAngle(after.curve.HeadingAt(0.0) - before.curve.HeadingAt(1.0));
}

// Whether the offsets at `distance` of two pieces that meet at a corner turning by `turn` leave a
// gap between them: where the corner turns away from their side, or back on itself.
bool OpensAt(double turn, double distance) {
  return turn * distance < 0.0 || std::abs(turn) >= std::numbers::pi - kHeadingNoise;
}

// The arc of the distance about the vertex from one offset's end to the next one's start, the way
// the tool goes round the corner.
Curve ArcRoundCorner(Point vertex, Point from, Point to, double distance) {
  const double startAngle = AngleOf(from - vertex);
  const double turn = AngleOf(to - vertex) - startAngle;
  const double sweep = distance > 0.0 ? ClockwiseTurn(turn) : CounterclockwiseTurn(turn);
  return {from, to, vertex, std::abs(distance), startAngle, sweep};
}

// A piece's parallel, and the part of it that is left once its corners are joined.
struct Parallel {
  Curve full;
  bool vanished = false;  // an arc whose radius the distance takes to nothing: a chord between its ends' offsets
  double from = 0.0;
  double to = 1.0;
  Point fromPoint;
  Point toPoint;

  Curve Left() const { return full.Part(from, to, fromPoint, toPoint); }
};

class RawOffsetBuilder {
 public:
  RawOffsetBuilder(const SourcePath& source, double distance, double reach)
      : m_Source(source), m_Distance(distance), m_Reach(reach) {}

  // Each parallel is complete once the corner after it is joined, so only it and the next one are
  // held, and the first, whose start a closed contour's last corner moves again.
  RawOffset Build() {
    const size_t count = m_Source.pieces.size();
    m_Raw.closed = m_Source.closed;
    m_Raw.elements.reserve(2 * count);
    Parallel current = ParallelOf(0);
    Parallel first;
    for (size_t piece = 0; piece < count; ++piece) {
      const bool last = piece + 1 == count;
      Parallel next = last ? Parallel{} : ParallelOf(piece + 1);
      Parallel& after = !last ? next : piece == 0 ? current : first;
      const std::optional<RawElement> corner =
          last && !m_Source.closed ? std::nullopt : Join(piece, last ? 0 : piece + 1, current, after);
      m_Raw.elements.push_back(
          {current.Left(), static_cast<uint32_t>(piece), current.vanished ? Role::Bridge : Role::Parallel, false});
      if (corner) m_Raw.elements.push_back(*corner);
      if (piece == 0) first = current;
      current = next;
    }
    m_Raw.elements.front().curve = first.Left();
    return std::move(m_Raw);
  }

 private:
  Parallel ParallelOf(size_t index) {
    const SourcePiece& piece = m_Source.pieces[index];
    Parallel parallel;
    if (piece.curve.HasParallel(m_Distance, kSamePoint)) {
      parallel.full = piece.curve.Parallel(m_Distance);
    } else {
      parallel.vanished = true;
      // The parts of an arc follow each other.
      const size_t move = m_Source.moves[index];
      if (m_Raw.vanishedMoves.empty() || m_Raw.vanishedMoves.back() != move) m_Raw.vanishedMoves.push_back(move);
      parallel.full = Curve::Line(piece.curve.start + m_Distance * LeftOf(Direction(piece.curve.HeadingAt(0.0))),
                                  piece.curve.end + m_Distance * LeftOf(Direction(piece.curve.HeadingAt(1.0))));
    }
    parallel.fromPoint = parallel.full.start;
    parallel.toPoint = parallel.full.end;
    return parallel;
  }

  // The corner between the parallels of a piece and the next: none where they meet, an arc about
  // the source's vertex where they open a gap, the crossing where they overlap, or a bridge.
  std::optional<RawElement> Join(size_t before, size_t after, Parallel& first, Parallel& second) {
    if (Distance(first.toPoint, second.fromPoint) <= kSamePoint) {
      second.fromPoint = first.toPoint;
      return std::nullopt;
    }
    const size_t vertex = m_Source.Vertex(before + 1);
    const Point at = m_Source.pieces[before].curve.end;
    m_Raw.corners.push_back(static_cast<uint32_t>(vertex));
    RawElement corner{{}, static_cast<uint32_t>(after), Role::Joint, true};
    if (OpensAt(TurnBetween(m_Source.pieces[before], m_Source.pieces[after]), m_Distance)) {
      corner.curve = ArcRoundCorner(at, first.toPoint, second.fromPoint, m_Distance);
    } else if (!first.vanished && !second.vanished && TrimAtCrossing(before, after, first, second)) {
      return std::nullopt;
    } else {
      corner.curve = Curve::Line(first.toPoint, second.fromPoint);
      corner.role = Role::Bridge;
    }
    return corner;
  }

  // Both parallels end at their crossing nearest the corner, where what they leave of each other
  // comes nearer to the other piece than the distance: the overlap of the corner, not of parts
  // that meet far from it.
  bool TrimAtCrossing(size_t before, size_t after, Parallel& first, Parallel& second) {
    const Point vertex = m_Source.pieces[before].curve.end;
    m_Meetings.clear();
    AddMeetings(first.Left(), second.Left(), m_Reach, m_Meetings);
    if (m_Meetings.empty()) return false;
    const Meeting& nearest = *std::min_element(
        m_Meetings.begin(), m_Meetings.end(),
        [vertex](const Meeting& a, const Meeting& b) { return Distance(a.at, vertex) < Distance(b.at, vertex); });
    const double firstTo = first.from + nearest.onFirst * (first.to - first.from);
    const double secondFrom = second.from + nearest.onSecond * (second.to - second.from);
    const double distance = std::abs(m_Distance);
    if (DistanceTo(m_Source.pieces[after].curve, first.full.At((firstTo + first.to) / 2.0)) >= distance ||
        DistanceTo(m_Source.pieces[before].curve, second.full.At((second.from + secondFrom) / 2.0)) >= distance)
      return false;
    first.to = firstTo;
    first.toPoint = nearest.at;
    second.from = secondFrom;
    second.fromPoint = nearest.at;
    return true;
  }

  const SourcePath& m_Source;
  double m_Distance;
  double m_Reach;
  std::vector<Meeting> m_Meetings;
  RawOffset m_Raw;
};

}  // namespace

RawOffset BuildRawOffset(const SourcePath& source, double distance, double reach) {
  return RawOffsetBuilder(source, distance, reach).Build();
}

FarCurves::FarCurves(const SourcePath& source, const RawOffset& raw, double distance)
    : m_Source(source), m_Distance(distance) {
  const std::vector<SourcePiece>& pieces = source.pieces;
  m_Owners.reserve(pieces.size() + raw.corners.size() + 2);
  for (size_t piece = 0; piece < pieces.size(); ++piece)
    if (pieces[piece].curve.HasParallel(-distance, kSamePoint)) m_Owners.push_back(static_cast<uint32_t>(piece));
  m_Parallels = m_Owners.size();
  for (uint32_t vertex : raw.corners) {
    const size_t before = (vertex + pieces.size() - 1) % pieces.size();
    if (!OpensAt(TurnBetween(pieces[before], pieces[vertex]), distance)) m_Owners.push_back(vertex);
  }
  if (!source.closed) {
    m_Owners.push_back(0);
    m_Owners.push_back(static_cast<uint32_t>(pieces.size()));
  }
}

Curve FarCurves::CurveOf(size_t far) const {
  const std::vector<SourcePiece>& pieces = m_Source.pieces;
  const size_t owner = m_Owners[far];
  if (!AboutVertex(far)) return pieces[owner].curve.Parallel(-m_Distance);
  const double radius = std::abs(m_Distance);
  if (!m_Source.closed && owner == 0)
    return Curve::Arc(m_Source.VertexPoint(0), radius, pieces.front().curve.HeadingAt(0.0) + kQuarterTurn,
                      std::numbers::pi);
  if (!m_Source.closed && owner == pieces.size())
    return Curve::Arc(m_Source.VertexPoint(owner), radius, pieces.back().curve.HeadingAt(1.0) - kQuarterTurn,
                      std::numbers::pi);
  const auto offsetAt = [&](size_t piece, double fraction) {
    return pieces[piece].curve.At(fraction) - m_Distance * LeftOf(Direction(pieces[piece].curve.HeadingAt(fraction)));
  };
  const size_t before = (owner + pieces.size() - 1) % pieces.size();
  return ArcRoundCorner(m_Source.VertexPoint(owner), offsetAt(before, 1.0), offsetAt(owner, 0.0), -m_Distance);
}

bool FarCurves::TouchesOnlyAtEnds(const RawElement& element, size_t far) const {
  const size_t owner = m_Owners[far];
  if (!AboutVertex(far)) return element.role == Role::Parallel && element.piece == owner;
  const std::array<size_t, 2> vertices = element.Vertices(m_Source);
  return owner == vertices[0] || owner == vertices[1];
}

}  // namespace geometry::offsetting
