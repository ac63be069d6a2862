#pragma once

#include <array>
#include <optional>
#include <string>

// Where a G-code program stands on X, Y and Z, in its own coordinates (mm), and whether the file
// says so. Used by the G-code reader.
namespace geometry {

enum GcodeAxis { kAxisX, kAxisY, kAxisZ, kAxisCount };

// Why the file does not say where an axis stands: the line that made it so (0: the program's
// start, before any move placed it) and what that line did.
struct UnknownPosition {
  int line = 0;
  std::string why;
};

// Each axis's position, and the offset (G92 and G52 share one, as in the RS-274/NGC references)
// between program coordinates and the coordinate system they rest on. The offsets are 0 when the
// program starts, as a program end leaves them. An unknown position keeps a value all the same,
// so that incremental moves go on from it: their steps are known even where their place is not.
class GcodePosition {
 public:
  double At(GcodeAxis axis) const { return m_Axes[axis].position; }
  const std::optional<UnknownPosition>& Unknown(GcodeAxis axis) const { return m_Axes[axis].unknown; }
  // The offset between program coordinates and the coordinate system they rest on; none when
  // the file does not give it.
  const std::optional<double>& Offset(GcodeAxis axis) const { return m_Axes[axis].offset; }

  // A move to `position`; an absolute one places the axis, an incremental one keeps it as known as it was.
  void MoveTo(GcodeAxis axis, double position, bool absolute);
  void Lose(GcodeAxis axis, int line, const std::string& why);
  // G92: the point where the axis stands is `position` from now on; nothing moves.
  void Name(GcodeAxis axis, double position);
  // G52: a new offset; the axis stays where it is, so its position in program coordinates changes.
  void SetOffset(GcodeAxis axis, double offset, int line, const std::string& why);
  // G92.1 and G92.2: the offset goes to 0; G92.2 keeps it for G92.3.
  void ClearOffset(GcodeAxis axis, bool keep, int line, const std::string& why);
  // G92.3: the offset G92.2 kept; without one, the axis is lost.
  void RestoreOffset(GcodeAxis axis, int line, const std::string& why);

 private:
  struct Axis {
    double position = 0.0;
    std::optional<UnknownPosition> unknown = UnknownPosition{};
    std::optional<double> offset = 0.0;  // unknown after naming an unknown position
    std::optional<double> kept;          // by G92.2
  };

  void ChangeOffset(GcodeAxis axis, std::optional<double> offset, int line, const std::string& why);

  std::array<Axis, kAxisCount> m_Axes;
};

}  // namespace geometry
