#include "editor/CEditorDlg.h"
#include "editor/EditorControlIds.h"

void CEditorDlg::OnSegmentTypeChange() {
  const int kind = GetComboIndex(IDC_SEGMENT_TYPE);
  if (kind == m_nCurType || kind < 0) return;
  m_nCurType = kind;
  ShowSegmentFields(CurrentKind(), TRUE);
}

// A unit combo changes the unit of a whole column. A value the user typed and has not applied
// stays as typed (and is read in the new unit); a field showing the stored value follows the
// unit. The stand-by parameter keeps the array's unit, so either shows the same unit.
void CEditorDlg::ChangeValueUnit(UINT editId, UINT comboId, CMC_ArrayParameter& array, CMC_Parameter* standBy,
                                 int index) {
  const CString typed = GetChildText(editId);
  if (index >= 0 || standBy == nullptr) {
    ChangeParameterUnit(&array, index, typed == array.PrintValue(index) ? editId : 0, comboId);
    if (standBy != nullptr) standBy->ChangeUnit(array.GetSelectedUnit());
  } else {
    ChangeParameterUnit(standBy, typed == standBy->PrintValue() ? editId : 0, comboId);
    array.ChangeUnit(standBy->GetSelectedUnit());
  }
  RefreshSegmentTable(FALSE);
}

void CEditorDlg::OnFirstValueUnitChange() {
  if (m_nCurType == 0)
    ChangeValueUnit(IDC_FIRST_VALUE, IDC_FIRST_UNIT, *m_Data.m_pPosIncrX, m_pEditPosIncrX.get(), m_nCurLinear);
  else
    ChangeValueUnit(IDC_FIRST_VALUE, IDC_FIRST_UNIT, *m_Data.m_pRadius, m_pEditRadius.get(), m_nCurCircular);
}

void CEditorDlg::OnSecondValueUnitChange() {
  if (m_nCurType == 0)
    ChangeValueUnit(IDC_SECOND_VALUE, IDC_SECOND_UNIT, *m_Data.m_pPosIncrY, m_pEditPosIncrY.get(), m_nCurLinear);
  else
    ChangeValueUnit(IDC_SECOND_VALUE, IDC_SECOND_UNIT, m_Data.m_InitAngle, m_pEditInitAngle.get(), m_nCurCircular);
}

void CEditorDlg::OnAngleIncrementUnitChange() {
  ChangeValueUnit(IDC_ANGLE_INCREMENT_VALUE, IDC_ANGLE_INCREMENT_UNIT, m_Data.m_AngleIncrement,
                  m_pEditAngleIncrement.get(), m_nCurCircular);
}

void CEditorDlg::OnVectorAccUnitChange() {
  ChangeValueUnit(IDC_ACC_VALUE, IDC_ACC_UNIT, *m_Data.m_pVectorAcc, nullptr, m_nCurSegment);
}

void CEditorDlg::OnVectorSpeedUnitChange() {
  ChangeValueUnit(IDC_SPEED_VALUE, IDC_SPEED_UNIT, *m_Data.m_pVectorSpeed, nullptr, m_nCurSegment);
}

// A new slave may have another kind of load or resolution: the units and the whole table are
// derived again, and the stand-by values start afresh in the new units (a length stand-by could
// not show an angle). Whether the axes are distinct is checked only on OK.
void CEditorDlg::ChangeAxis(int CInternalData::*slave) {
  const int before = m_Data.*slave;
  UpdateData(TRUE);
  if (m_Data.*slave == before) return;
  m_Data.UpdateAxisUnits();
  m_Data.CreateEditParameters(m_pEditPosIncrX, m_pEditPosIncrY, m_pEditRadius, m_pEditInitAngle,
                              m_pEditAngleIncrement);
  RefreshSegmentTable(TRUE);
}

void CEditorDlg::OnXAxisChange() { ChangeAxis(&CInternalData::m_SlaveX); }

void CEditorDlg::OnYAxisChange() { ChangeAxis(&CInternalData::m_SlaveY); }

void CEditorDlg::OnTangentAxisChange() { ChangeAxis(&CInternalData::m_SlaveTangent); }

// The row's value changes only when Update or an insert reads the field.
void CEditorDlg::OnVectorAccCheck() {
  ShowParameter(m_Data.m_pVectorAcc.get(), m_nCurSegment, IDC_ACC_VALUE, IDC_ACC_UNIT, GetChildCheck(IDC_ACC_CHECK),
                TRUE);
}

void CEditorDlg::OnVectorSpeedCheck() {
  ShowParameter(m_Data.m_pVectorSpeed.get(), m_nCurSegment, IDC_SPEED_VALUE, IDC_SPEED_UNIT,
                GetChildCheck(IDC_SPEED_CHECK), TRUE);
}

void CEditorDlg::OnChangeEvent() {
  UpdateData(TRUE);
  if (m_Data.m_Event.ChangeType(0)) UpdateData(FALSE);
}

void CEditorDlg::OnEditEvent() {
  UpdateData(TRUE);
  if (m_Data.m_Event.Edit()) UpdateData(FALSE);
}
