#include "geometry/offset/internal/CurveMeetings.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace geometry::offsetting {

namespace {

// Below this sine of the angle between them, lines are parallel: a crossing would be found no
// closer than the rounding of their points allows.
constexpr double kParallelSine = 1e-12;

class MeetingFinder {
 public:
  MeetingFinder(const Curve& first, const Curve& second, double reach, std::vector<Meeting>& meetings)
      : m_First(first), m_Second(second), m_Reach(reach), m_Meetings(meetings), m_Before(meetings.size()) {}

  void Find() {
    if (!m_First.IsArc() && !m_Second.IsArc()) return Lines();
    if (m_First.IsArc() && m_Second.IsArc()) return Arcs();
    if (m_First.IsArc()) {
      LineWithCircle(m_Second, m_First);
    } else {
      LineWithCircle(m_First, m_Second);
    }
  }

 private:
  void Lines() {
    const Point along = m_First.end - m_First.start;
    const Point other = m_Second.end - m_Second.start;
    const double cross = Cross(along, other);
    if (std::abs(cross) <= kParallelSine * Norm(along) * Norm(other)) return SharedStretch();
    Add(m_First.start + (Cross(m_Second.start - m_First.start, other) / cross) * along);
  }

  // The circle of `arc` and the line through `line`: about the foot of the centre on the line.
  void LineWithCircle(const Curve& line, const Curve& arc) {
    const Point along = line.end - line.start;
    const double length = Norm(along);
    if (length <= 0.0) return;
    const Point unit = (1.0 / length) * along;
    const Point foot = line.start + Dot(arc.centre - line.start, unit) * unit;
    const double offCentre = Distance(foot, arc.centre);
    if (offCentre > arc.radius + m_Reach) return;
    const double halfChord = std::sqrt(std::max(0.0, (arc.radius - offCentre) * (arc.radius + offCentre)));
    if (halfChord <= m_Reach) return Add(foot);
    Add(foot - halfChord * unit);
    Add(foot + halfChord * unit);
  }

  void Arcs() {
    const Point between = m_Second.centre - m_First.centre;
    const double apart = Norm(between);
    const double r1 = m_First.radius;
    const double r2 = m_Second.radius;
    if (apart <= m_Reach) {
      if (std::abs(r1 - r2) <= m_Reach) SharedStretch();
      return;
    }
    if (apart > r1 + r2 + m_Reach || apart < std::abs(r1 - r2) - m_Reach) return;
    const Point unit = (1.0 / apart) * between;
    const double along = (r1 * r1 - r2 * r2 + apart * apart) / (2.0 * apart);
    const double across = std::sqrt(std::max(0.0, r1 * r1 - along * along));
    const Point foot = m_First.centre + along * unit;
    if (across <= m_Reach) return Add(foot);
    Add(foot + across * LeftOf(unit));
    Add(foot - across * LeftOf(unit));
  }

  // Curves that run along each other meet where either of them ends on the other.
  void SharedStretch() {
    for (Point end : std::array{m_First.start, m_First.end, m_Second.start, m_Second.end})
      if (DistanceTo(m_First, end) <= m_Reach && DistanceTo(m_Second, end) <= m_Reach) Add(end);
  }

  // A point of both curves' circles or lines, kept where it lies on both curves.
  void Add(Point at) {
    const auto within = [this](const Curve& curve, Point p, double& fraction) {
      fraction = curve.FractionOf(p);
      const double slack = m_Reach / std::max(curve.Length(), m_Reach);
      if (fraction < -slack || fraction > 1.0 + slack) return false;
      fraction = std::clamp(fraction, 0.0, 1.0);
      return true;
    };
    Meeting meeting{at, 0.0, 0.0};
    if (!within(m_First, at, meeting.onFirst) || !within(m_Second, at, meeting.onSecond)) return;
    const bool found = std::any_of(m_Meetings.begin() + static_cast<std::ptrdiff_t>(m_Before), m_Meetings.end(),
                                   [&](const Meeting& earlier) { return Distance(earlier.at, at) <= m_Reach; });
    if (!found) m_Meetings.push_back(meeting);
  }

  const Curve& m_First;
  const Curve& m_Second;
  double m_Reach;
  std::vector<Meeting>& m_Meetings;
  size_t m_Before;
};

}  // namespace

void AddMeetings(const Curve& first, const Curve& second, double reach, std::vector<Meeting>& meetings) {
  MeetingFinder(first, second, reach, meetings).Find();
}

}  // namespace geometry::offsetting
