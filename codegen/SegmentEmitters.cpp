#include "codegen/ProgramText.h"
#include "motion/CInternalData.h"

// Each segment is a comment a person can read, in the units the user chose, followed by the two
// statements with the controller's literals. The host prints every number.

namespace {

// "value[unit]" of one entry, as the comments show it.
void AppendShown(CString& code, const CMC_ArrayParameter& values, int index) {
  AppendPieces(code, values.PrintValue(index), "[", values.GetSelectedUnit(), "]");
}

}  // namespace

void CInternalData::AppendLinearSegmentCode(CString& code, int linearIndex) {
  const CMC_ArrayParameter& x = *m_pPosIncrX;
  const CMC_ArrayParameter& y = *m_pPosIncrY;
  const CString xLiteral = x.PrintValueForOrvel(linearIndex);
  const CString yLiteral = y.PrintValueForOrvel(linearIndex);
  code += "  // Increment position with (X, Y) = (";
  AppendShown(code, x, linearIndex);
  code += ", ";
  AppendShown(code, y, linearIndex);
  AppendPieces(code, ")\r\n  VSEG1 ", xLiteral, ", ", yLiteral, "; VSEG2 ", xLiteral, ", ", yLiteral, ";\r\n");
}

// CIRCLE1 takes the radius and the angle increment, CIRCLE2 the radius and the initial angle.
void CInternalData::AppendCircularSegmentCode(CString& code, int circularIndex) {
  const CString radiusLiteral = m_pRadius->PrintValueForOrvel(circularIndex);
  code += "  // Circular segment of radius ";
  AppendShown(code, *m_pRadius, circularIndex);
  code += ", with initial angle ";
  AppendShown(code, m_InitAngle, circularIndex);
  code += " and angle increment ";
  AppendShown(code, m_AngleIncrement, circularIndex);
  AppendPieces(code, "\r\n  CIRCLE1 ", radiusLiteral, ", ", m_AngleIncrement.PrintValueForOrvel(circularIndex),
               "; CIRCLE2 ", radiusLiteral, ", ", m_InitAngle.PrintValueForOrvel(circularIndex), ";\r\n");
}

CString CInternalData::GenerateLinearSegmentCode(int linearIndex) {
  CString code;
  AppendLinearSegmentCode(code, linearIndex);
  return code;
}

CString CInternalData::GenerateCircularSegmentCode(int circularIndex) {
  CString code;
  AppendCircularSegmentCode(code, circularIndex);
  return code;
}
