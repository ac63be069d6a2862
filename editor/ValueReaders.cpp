#include "editor/CEditorDlg.h"
#include "motionpath/DecimalNumber.h"
#include "editor/EditorControlIds.h"
#include "editor/SegmentValues.h"

void CEditorDlg::NormalizeValue(CMC_ArrayParameter& param, double& value) {
  if (param.GetMin() > value)
    value = param.GetMin();
  else if (value > param.GetMax())
    value = param.GetMax();
  value = param.IUToUnit(param.NearestStorableIU(param.UnitToIU(value)));
}

BOOL CEditorDlg::ReadValueEdit(UINT id, CMC_ArrayParameter& param, double& value) {
  // What follows the number is ignored, so a decimal comma ends it.
  const CString text = GetChildText(id);
  double number = 0.0;
  if (ReadDecimal(text.GetString(), text.GetString() + text.GetLength(), number) == nullptr) return FALSE;
  NormalizeValue(param, number);
  value = number;
  return TRUE;
}

// A clear check box means the segment keeps the value in force: 0, whatever the edit holds.
BOOL CEditorDlg::ReadOptionalValueEdit(UINT checkId, UINT id, CMC_ArrayParameter& param, double& value) {
  if (!GetChildCheck(checkId)) {
    value = 0.0;
    return TRUE;
  }
  return ReadValueEdit(id, param, value);
}

BOOL CEditorDlg::ReadPosIncrXEdit(double& value) { return ReadValueEdit(IDC_FIRST_VALUE, *m_Data.m_pPosIncrX, value); }
BOOL CEditorDlg::ReadPosIncrYEdit(double& value) { return ReadValueEdit(IDC_SECOND_VALUE, *m_Data.m_pPosIncrY, value); }
BOOL CEditorDlg::ReadRadiusEdit(double& value) { return ReadValueEdit(IDC_FIRST_VALUE, *m_Data.m_pRadius, value); }
BOOL CEditorDlg::ReadInitAngleEdit(double& value) { return ReadValueEdit(IDC_SECOND_VALUE, m_Data.m_InitAngle, value); }
BOOL CEditorDlg::ReadAngleIncrementEdit(double& value) {
  return ReadValueEdit(IDC_ANGLE_INCREMENT_VALUE, m_Data.m_AngleIncrement, value);
}
BOOL CEditorDlg::ReadVectorAccEdit(double& value) {
  return ReadOptionalValueEdit(IDC_ACC_CHECK, IDC_ACC_VALUE, *m_Data.m_pVectorAcc, value);
}
BOOL CEditorDlg::ReadVectorSpeedEdit(double& value) {
  return ReadOptionalValueEdit(IDC_SPEED_CHECK, IDC_SPEED_VALUE, *m_Data.m_pVectorSpeed, value);
}

// The fields of the kind in the type combo, in the order a person fills them; the first field
// that holds no number stops the command with nothing changed.
BOOL CEditorDlg::ReadSegmentFields(SegmentValues& values) {
  const bool fieldsRead = m_nCurType == 0
                              ? ReadPosIncrXEdit(values.first) && ReadPosIncrYEdit(values.second)
                              : ReadRadiusEdit(values.first) && ReadInitAngleEdit(values.second) &&
                                    ReadAngleIncrementEdit(values.third);
  return fieldsRead && ReadVectorAccEdit(values.acceleration) && ReadVectorSpeedEdit(values.speed);
}
