#include "motionpath/ImportLines.h"

#include <cstring>

#include "motion/CInternalData.h"
#include "motionpath/DecimalNumber.h"

namespace {

// Reads numbers separated by white space from the start of [first, last), each as far as it
// goes, and returns how many it read, at most `capacity`.
int ScanNumbers(const char* first, const char* last, double* values, int capacity) {
  int count = 0;
  while (count < capacity && (first = ReadDecimal(first, last, values[count])) != nullptr) ++count;
  return count;
}

}  // namespace

CString ImportLinesOf(const CInternalData& record) {
  CString text;
  record.ForEachSegment([&](int i, SegmentKind kind, int index) {
    const bool setsSpeed = record.m_pVectorSpeed->GetValueInInternalUnit(i) != 0.0;
    const bool setsAcceleration = record.m_pVectorAcc->GetValueInInternalUnit(i) != 0.0;
    CString dynamics;
    if (setsAcceleration || setsSpeed) dynamics = " " + record.m_pVectorAcc->PrintValue(i);
    if (setsSpeed) dynamics += " " + record.m_pVectorSpeed->PrintValue(i);
    if (kind == SegmentKind::Linear)
      text.AppendFormat("L %s %s%s\n", record.m_pPosIncrX->PrintValue(index).GetString(),
                        record.m_pPosIncrY->PrintValue(index).GetString(), dynamics.GetString());
    else
      text.AppendFormat("C %s %s %s%s\n", record.m_pRadius->PrintValue(index).GetString(),
                        record.m_InitAngle.PrintValue(index).GetString(),
                        record.m_AngleIncrement.PrintValue(index).GetString(), dynamics.GetString());
  });
  return text;
}

ImportLine ReadImportLine(const char* line) {
  // One more than a segment can hold, so that a line with too many numbers is told apart.
  double numbers[6] = {};
  const char letter = line[0];
  const int count = letter == '\0' ? -1 : ScanNumbers(line + 1, line + std::strlen(line), numbers, 6);
  ImportLine read;
  read.geometry = {numbers[0], numbers[1], numbers[2]};
  read.acceleration = numbers[3];
  read.speed = numbers[4];
  if (letter == 'L') {
    // A linear line's third and fourth numbers are its acceleration and speed.
    if (count < 2 || count > 4) read.fault = ImportLine::Fault::LinearCount;
    read.acceleration = count >= 3 ? numbers[2] : 0.0;
    read.speed = count == 4 ? numbers[3] : 0.0;
  } else if (letter == 'C') {
    read.kind = SegmentKind::Circular;
    if (count < 3 || count > 5) read.fault = ImportLine::Fault::CircularCount;
    if (count < 5) read.speed = 0.0;
    if (count < 4) read.acceleration = 0.0;
  } else {
    read.fault = ImportLine::Fault::Kind;
  }
  return read;
}
