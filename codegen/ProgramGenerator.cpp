#include "codegen/ProgramText.h"
#include "motion/CInternalData.h"
#include "motion/KeyNames.h"

namespace {

// Slave s is written as the letter A + s.
char AxisLetter(int slave) { return static_cast<char>('A' + slave); }

// Room for each kind of line with numbers of ordinary length, so that the whole program is
// written into one buffer; longer numbers cost one more allocation, not one per line.
constexpr int kSetupRoom = 256;
constexpr int kLinearRoom = 160;
constexpr int kCircularRoom = 200;
constexpr int kNewValueRoom = 80;

int NewValueCount(const CMC_ArrayParameter& values) {
  int count = 0;
  for (int i = 0; i < values.GetValuesCount(); ++i)
    if (values.GetValueInInternalUnit(i) != 0.0) ++count;
  return count;
}

// Appends "  STATEMENT = literal; // Comment = value[unit]" when the segment sets a new value;
// 0 keeps the one in force on the controller.
void AppendNewValue(CString& code, const char* statement, const char* comment, const CMC_ArrayParameter& values,
                    int segment) {
  if (values.GetValueInInternalUnit(segment) == 0.0) return;
  AppendPieces(code, "  ", statement, " = ", values.PrintValueForOrvel(segment), "; // ", comment, " = ",
               values.PrintValue(segment), "[", values.GetSelectedUnit(), "]\r\n");
}

}  // namespace

void CInternalData::AppendAccSpeedCode(CString& code, int segment) {
  AppendNewValue(code, "VACC", "Vector Acceleration", *m_pVectorAcc, segment);
  AppendNewValue(code, "VSPD", "Vector Speed", *m_pVectorSpeed, segment);
}

void CInternalData::AppendStart(CString& code) {
  if (m_Execute == 1) {
    code.AppendFormat("  // Wait for event: %s\r\n", m_Event.GetDescription(0).GetString());
    code += m_Event.GenerateMLCode();
  }
  if (m_Execute == 0 || m_Execute == 1) code += "  UPD; //Execute immediate\r\n";
}

CString CInternalData::GenerateAccSpeedCode(int segment) {
  CString code;
  AppendAccSpeedCode(code, segment);
  return code;
}

int CInternalData::ProgramRoom() {
  int linear = 0;
  int circular = 0;
  CountSegments(linear, circular);
  return kSetupRoom + linear * kLinearRoom + circular * kCircularRoom +
         (NewValueCount(*m_pVectorAcc) + NewValueCount(*m_pVectorSpeed)) * kNewValueRoom;
}

CString CInternalData::GenerateCode() {
  CString axes;
  if (m_SlaveTangent < 0)
    axes.Format("(%c, %c)", AxisLetter(m_SlaveX), AxisLetter(m_SlaveY));
  else
    axes.Format("(%c, %c, %c)", AxisLetter(m_SlaveX), AxisLetter(m_SlaveY), AxisLetter(m_SlaveTangent));

  CString code;
  code.Preallocate(ProgramRoom());
  if (m_ConfigureMode != 0) {
    code += m_ClearBuffer != 0 ? "  SETMODE 0xCF00; //Clear buffer\r\n" : "  SETMODE 0x4F00; //Leave buffer intact\r\n";
    code.AppendFormat("  VPLANE %s;\r\n", axes.GetString());
    if (m_UnitMode != 0) {
      code.AppendFormat("  RESRATIOX=%luu;\r\n", static_cast<unsigned long>(m_ResRatioX));
      code.AppendFormat("  RESRATIOY=%luu;\r\n", static_cast<unsigned long>(m_ResRatioY));
    }
    if (m_SlaveTangent >= 0)
      code.AppendFormat("  %s=%li;\r\n", KeyName(Key::NLINESTAN), static_cast<long>(m_TangentUnitsPerRev));
    code += "  MODE VM; // Set Vector Mode\r\n";
  }

  const int count = m_SegmentType.GetValuesCount();
  if (count < 1) return code;

  // Acceleration and speed follow the segment's place in the path, the geometry its entry among
  // its own kind.
  ForEachSegment([&](int segment, SegmentKind kind, int index) {
    AppendAccSpeedCode(code, segment);
    if (kind == SegmentKind::Circular)
      AppendCircularSegmentCode(code, index);
    else
      AppendLinearSegmentCode(code, index);
    // Only the first segment is loaded before the motion starts.
    if (segment == 0) AppendStart(code);
  });

  if (m_InsertEndSegment != 0) {
    code += "  // Insert End Segment\r\n  VSEG1 0L, 0L; VSEG2 0L, 0L;\r\n";
    if (m_WaitForCompletion != 0) code.AppendFormat("  WMC %s; // wait for motion completion\r\n", axes.GetString());
  }
  return code;
}
