#pragma once

// What a row of the segment list is. The record stores it as a number: 0 is a linear segment,
// and anything else, not-a-number included, reads as a circular one, as the table shows it.
// Reading a text refuses other numbers than 0 and 1, so the wider reading only matters for a
// record that was not read or was refused.
enum class SegmentKind { Linear = 0, Circular = 1 };

inline SegmentKind SegmentKindOf(double storedKind) {
  return storedKind == 0.0 ? SegmentKind::Linear : SegmentKind::Circular;
}

inline double StoredKind(SegmentKind kind) { return kind == SegmentKind::Linear ? 0.0 : 1.0; }
