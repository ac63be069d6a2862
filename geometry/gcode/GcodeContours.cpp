#include "geometry/gcode/GcodeContours.h"

#include <fmt/format.h>

#include <algorithm>
#include <string>
#include <utility>

namespace geometry {

namespace {

// The offset G52 or G92 set, as the contour list shows it; empty when it is 0.
std::string OffsetOf(const GcodeState& state) {
  if (state.modal.offsetBy == nullptr) return "";
  const std::optional<double> x = state.position.Offset(kAxisX);
  const std::optional<double> y = state.position.Offset(kAxisY);
  const std::string word = fmt::format("G{:.6g}", state.modal.offsetBy->code / 10.0);
  if (!x || !y) return word + " offset not given";
  if (*x == 0.0 && *y == 0.0) return "";
  return fmt::format("{} offset X {:.4f} Y {:.4f}", word, *x, *y);
}

std::string OffsetInForce(const GcodeState& state) {
  const std::string offset = OffsetOf(state);
  if (state.modal.system.empty() || offset.empty()) return state.modal.system + offset;
  return state.modal.system + ", " + offset;
}

}  // namespace

void GcodeContours::Advance(const std::optional<ContourSegment>& cut, Point from, Point to, GcodeState& state) {
  if (cut) {
    if (!m_Open) Open(from, state);
    Contour& contour = m_Program.contours.back();
    const Point shift = m_ContourAt - from;
    ContourMove move{*cut, state.modal.newFeed || contour.moves.empty() ? state.modal.feed : 0.0, state.line};
    ContourSegment& segment = move.segment;
    segment.start = contour.moves.empty() ? contour.start : contour.moves.back().segment.end;
    const bool fullCircle =
        cut->kind == PathSegment::Kind::Circular && cut->end.x == cut->start.x && cut->end.y == cut->start.y;
    segment.end = fullCircle ? segment.start : cut->end + shift;
    segment.centre = fullCircle ? segment.start + (cut->centre - cut->start) : cut->centre + shift;
    state.modal.newFeed = false;
    Keep(move, state.line);
    Compensate(state);
  }
  if (m_Open) m_ContourAt = m_ContourAt + (to - from);
}

// A line makes one move at most, so the lines left bound the moves a contour can still take: a
// contour that outgrows its first room gets all it can need at once, and is never copied into a
// vector twice its size nor held twice while it grows. Room it did not use goes when it ends.
void GcodeContours::Keep(const ContourMove& move, int line) {
  constexpr size_t kFirstRoom = 4096;
  std::vector<ContourMove>& moves = m_Program.contours.back().moves;
  if (moves.size() == moves.capacity()) {
    const size_t linesLeft = static_cast<size_t>(std::max(m_Lines - line, 0)) + 1;
    moves.reserve(moves.empty() ? std::min(kFirstRoom, linesLeft) : moves.size() + linesLeft);
  }
  moves.push_back(move);
}

// A cut under compensation goes on the stretch of the cuts before it, or starts one as its entry.
void GcodeContours::Compensate(const GcodeState& state) {
  if (!state.modal.compensation) return;
  const size_t contour = m_Program.contours.size() - 1;
  const size_t move = m_Program.contours.back().moves.size() - 1;
  if (!m_Compensating)
    m_Program.compensated.push_back(
        {contour, move, move, state.modal.compensation->left, state.modal.compensation->line});
  m_Program.compensated.back().end = move + 1;
  m_Compensating = true;
}

void GcodeContours::End() {
  m_Compensating = false;
  if (!m_Open) return;
  m_Open = false;
  std::vector<ContourMove>& moves = m_Program.contours.back().moves;
  if (moves.capacity() > moves.size() + moves.size() / 4) moves.shrink_to_fit();
}

void GcodeContours::Open(Point from, const GcodeState& state) {
  Contour contour;
  contour.firstLine = state.line;
  contour.start = from;
  contour.startKnown = !state.position.Unknown(kAxisX) && !state.position.Unknown(kAxisY);
  m_Program.contours.push_back(std::move(contour));
  m_Program.offsets.push_back(OffsetInForce(state));
  m_ContourAt = from;
  m_Open = true;
}

}  // namespace geometry
