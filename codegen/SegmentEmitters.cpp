#include "motion/CInternalData.h"

// Each segment is a comment a person can read, in the units the user chose, followed by the two
// statements with the controller's literals. The host prints every number.

CString CInternalData::GenerateLinearSegmentCode(int linearIndex) {
  const CMC_ArrayParameter& x = *m_pPosIncrX;
  const CMC_ArrayParameter& y = *m_pPosIncrY;
  const CString xLiteral = x.PrintValueForOrvel(linearIndex);
  const CString yLiteral = y.PrintValueForOrvel(linearIndex);
  CString code;
  code.Format(
      "  // Increment position with (X, Y) = (%s[%s], %s[%s])\r\n"
      "  VSEG1 %s, %s; VSEG2 %s, %s;\r\n",
      x.PrintValue(linearIndex).GetString(), x.GetSelectedUnit().GetString(), y.PrintValue(linearIndex).GetString(),
      y.GetSelectedUnit().GetString(), xLiteral.GetString(), yLiteral.GetString(), xLiteral.GetString(),
      yLiteral.GetString());
  return code;
}

// CIRCLE1 takes the radius and the angle increment, CIRCLE2 the radius and the initial angle.
CString CInternalData::GenerateCircularSegmentCode(int circularIndex) {
  const CMC_ArrayParameter& radius = *m_pRadius;
  const CString radiusLiteral = radius.PrintValueForOrvel(circularIndex);
  CString code;
  code.Format(
      "  // Circular segment of radius %s[%s], with initial angle %s[%s] and angle increment %s[%s]\r\n"
      "  CIRCLE1 %s, %s; CIRCLE2 %s, %s;\r\n",
      radius.PrintValue(circularIndex).GetString(), radius.GetSelectedUnit().GetString(),
      m_InitAngle.PrintValue(circularIndex).GetString(), m_InitAngle.GetSelectedUnit().GetString(),
      m_AngleIncrement.PrintValue(circularIndex).GetString(), m_AngleIncrement.GetSelectedUnit().GetString(),
      radiusLiteral.GetString(), m_AngleIncrement.PrintValueForOrvel(circularIndex).GetString(),
      radiusLiteral.GetString(), m_InitAngle.PrintValueForOrvel(circularIndex).GetString());
  return code;
}
