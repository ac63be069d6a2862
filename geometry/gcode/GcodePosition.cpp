#include "geometry/gcode/GcodePosition.h"

namespace geometry {

void GcodePosition::MoveTo(GcodeAxis axis, double position, bool absolute) {
  m_Axes[axis].position = position;
  if (absolute) m_Axes[axis].unknown.reset();
}

void GcodePosition::Lose(GcodeAxis axis, int line, const std::string& why) {
  m_Axes[axis].unknown = UnknownPosition{line, why};
}

// Program coordinates are the underlying ones less the offset, so the offset takes up the change.
void GcodePosition::Name(GcodeAxis axis, double position) {
  Axis& a = m_Axes[axis];
  if (a.unknown || !a.offset)
    a.offset.reset();
  else
    *a.offset += a.position - position;
  a.position = position;
  a.unknown.reset();
}

void GcodePosition::SetOffset(GcodeAxis axis, double offset, int line, const std::string& why) {
  ChangeOffset(axis, offset, line, why);
}

void GcodePosition::ClearOffset(GcodeAxis axis, bool keep, int line, const std::string& why) {
  m_Axes[axis].kept = keep ? m_Axes[axis].offset : std::nullopt;
  ChangeOffset(axis, 0.0, line, why);
}

void GcodePosition::RestoreOffset(GcodeAxis axis, int line, const std::string& why) {
  ChangeOffset(axis, m_Axes[axis].kept, line, why);
}

// The axis stays where it is: its program coordinate moves by the old offset less the new one.
void GcodePosition::ChangeOffset(GcodeAxis axis, std::optional<double> offset, int line, const std::string& why) {
  Axis& a = m_Axes[axis];
  if (a.offset && offset)
    a.position += *a.offset - *offset;
  else
    Lose(axis, line, why);
  a.offset = offset;
}

}  // namespace geometry
