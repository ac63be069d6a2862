#include "geometry/gcode/GcodeContours.h"

#include <utility>

namespace geometry {

void GcodeContours::Advance(const std::optional<ContourSegment>& cut, Point from, Point to, GcodeState& state) {
  if (cut) {
    if (!m_Open) Open(from, state);
    Contour& contour = m_Contours.back();
    const Point shift = m_ContourAt - from;
    ContourMove move{*cut, state.modal.newFeed || contour.moves.empty() ? state.modal.feed : 0.0, state.line};
    move.segment.start = contour.moves.empty() ? contour.start : contour.moves.back().segment.end;
    move.segment.end = cut->end + shift;
    move.segment.centre = cut->centre + shift;
    state.modal.newFeed = false;
    contour.moves.push_back(move);
  }
  if (m_Open) m_ContourAt = m_ContourAt + (to - from);
}

void GcodeContours::Open(Point from, const GcodeState& state) {
  Contour contour;
  contour.firstLine = state.line;
  contour.start = from;
  contour.startKnown = !state.position.Unknown(kAxisX) && !state.position.Unknown(kAxisY);
  m_Contours.push_back(std::move(contour));
  m_ContourAt = from;
  m_Open = true;
}

}  // namespace geometry
