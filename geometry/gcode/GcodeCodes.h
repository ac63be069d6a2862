#pragma once

// What the G-code reader does with each G and M word it knows. Words not listed are unknown: the
// reader skips them with a note, or refuses them when asked to be strict.
namespace geometry {

enum class GcodeRole {
  Motion,         // G0 to G3: the motion mode; detail: the code
  Cycle,          // a canned cycle: only where it positions is read
  CancelMotion,   // G80
  Plane,          // detail: 17, 18 or 19
  Units,          // detail: 20 (inches) or 21 (millimetres)
  Distance,       // detail: 90 (absolute) or 91 (incremental)
  System,         // a work coordinate system, G54 to G59.3, or G54.1 with its number in P
  Machine,        // G53: this line's move in machine coordinates
  Home,           // G28, G30
  Dwell,          // G4: its X, U or P is a time, never a move
  SetOffsets,     // G10
  LocalOffset,    // G52
  Origin,         // G92
  OriginCancel,   // G92.1
  OriginSuspend,  // G92.2
  OriginRestore,  // G92.3
  ModeOn,         // turns on a mode the reader cannot follow; detail: the GcodeMode
  ModeOff,        // turns it off again
  Refused,        // a word whose effect cannot be read from the file at all
  End,            // M2, M30: the program ends
  Harmless,       // changes nothing on the path: skipped with a note, even when strict
};

// Modes under which the written coordinates are not the path: a cut while one is in force is
// refused; the first five also move the tool off the written points.
enum class GcodeMode { Compensation, Rotation, Scaling, Mirror, Polar, FeedMode, ArcCentres, Count };

inline bool MovesOffWrittenPoints(GcodeMode mode) { return mode < GcodeMode::FeedMode; }

// The detail of G54.1, whose P numbers the coordinate system.
inline constexpr int kNumberedSystem = 1;

struct GcodeCode {
  char letter;
  int code;  // ten times the number: G92.1 is 921
  GcodeRole role;
  int detail;
  const char* meaning;  // for messages
};

// The entry for a G or M word, or null for a word the reader does not know.
const GcodeCode* FindGcodeCode(char letter, double value);

}  // namespace geometry
