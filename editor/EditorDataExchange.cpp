#include "editor/CEditorDlg.h"
#include "editor/EditorControlIds.h"
#include "framework/dialog/CDataExchange.h"
#include "framework/dialog/MessageBox.h"
#include "host/HostMessages.h"

namespace {

constexpr const char* kDistinctAxes = "Please select distinct slave axis!";

}  // namespace

void CEditorDlg::DoDataExchange(CDataExchange* dx) {
  if (dx->m_bSaveAndValidate)
    ExchangeFromControls(dx);
  else
    ExchangeIntoControls();
}

// Shows the current segment's values of `kind`; useStandBy shows the stand-by parameters where
// no row of that kind lies at or above the current row.
void CEditorDlg::ShowSegmentFields(SegmentKind kind, BOOL useStandBy) {
  if (kind == SegmentKind::Linear) {
    const bool standBy = useStandBy && m_nCurLinear < 0;
    SetChildText(IDC_FIRST_LABEL, "Position increment on axis &X");
    SetChildText(IDC_SECOND_LABEL, "Position increment on axis &Y");
    if (standBy) {
      ShowParameter(m_pEditPosIncrX.get(), IDC_FIRST_VALUE, IDC_FIRST_UNIT, TRUE, TRUE);
      ShowParameter(m_pEditPosIncrY.get(), IDC_SECOND_VALUE, IDC_SECOND_UNIT, TRUE, TRUE);
    } else {
      ShowParameter(m_Data.m_pPosIncrX.get(), m_nCurLinear, IDC_FIRST_VALUE, IDC_FIRST_UNIT, TRUE, TRUE);
      ShowParameter(m_Data.m_pPosIncrY.get(), m_nCurLinear, IDC_SECOND_VALUE, IDC_SECOND_UNIT, TRUE, TRUE);
    }
  } else {
    const bool standBy = useStandBy && m_nCurCircular < 0;
    SetChildText(IDC_FIRST_LABEL, "Radius R");
    SetChildText(IDC_SECOND_LABEL, "Initial Angle Ao");
    if (standBy) {
      ShowParameter(m_pEditRadius.get(), IDC_FIRST_VALUE, IDC_FIRST_UNIT, TRUE, TRUE);
      ShowParameter(m_pEditInitAngle.get(), IDC_SECOND_VALUE, IDC_SECOND_UNIT, TRUE, FALSE);
      ShowParameter(m_pEditAngleIncrement.get(), IDC_ANGLE_INCREMENT_VALUE, IDC_ANGLE_INCREMENT_UNIT, TRUE, FALSE);
    } else {
      ShowParameter(m_Data.m_pRadius.get(), m_nCurCircular, IDC_FIRST_VALUE, IDC_FIRST_UNIT, TRUE, TRUE);
      ShowParameter(&m_Data.m_InitAngle, m_nCurCircular, IDC_SECOND_VALUE, IDC_SECOND_UNIT, TRUE, FALSE);
      ShowParameter(&m_Data.m_AngleIncrement, m_nCurCircular, IDC_ANGLE_INCREMENT_VALUE, IDC_ANGLE_INCREMENT_UNIT,
                    TRUE, FALSE);
    }
  }
  for (UINT id : {IDC_ANGLE_INCREMENT_LABEL, IDC_ANGLE_INCREMENT_VALUE, IDC_ANGLE_INCREMENT_UNIT})
    ShowChild(id, kind == SegmentKind::Circular);
}

void CEditorDlg::ExchangeIntoControls() {
  if (!m_bCombosFilled) {
    m_Data.FillSlaveAxisIDsCombo(GetDlgItem(IDC_SLAVE_X), IsClosedPositionSlave, m_Data.m_SlaveX, 0);
    m_Data.FillSlaveAxisIDsCombo(GetDlgItem(IDC_SLAVE_Y), IsClosedPositionSlave, m_Data.m_SlaveY, 0);
    m_Data.FillSlaveAxisIDsCombo(GetDlgItem(IDC_SLAVE_TANGENT), IsClosedPositionSlave, m_Data.m_SlaveTangent, 1);
  }
  ShowOptionStates();

  const bool hasAcc = m_Data.m_pVectorAcc->GetValueInInternalUnit(m_nCurSegment) > 0.0;
  SetChildCheck(IDC_ACC_CHECK, hasAcc);
  ShowParameter(m_Data.m_pVectorAcc.get(), m_nCurSegment, IDC_ACC_VALUE, IDC_ACC_UNIT, hasAcc, TRUE);
  const bool hasSpeed = m_Data.m_pVectorSpeed->GetValueInInternalUnit(m_nCurSegment) > 0.0;
  SetChildCheck(IDC_SPEED_CHECK, hasSpeed);
  ShowParameter(m_Data.m_pVectorSpeed.get(), m_nCurSegment, IDC_SPEED_VALUE, IDC_SPEED_UNIT, hasSpeed, TRUE);

  if (!m_bCombosFilled) {
    if (CWnd* combo = GetDlgItem(IDC_SEGMENT_TYPE)) {
      combo->SendMessage(CB_RESETCONTENT);
      for (const char* kind : {"Linear", "Circular"}) combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
    }
    m_bCombosFilled = 1;
  }
  m_nCurType = static_cast<int>(m_Data.KindAt(m_nCurSegment));
  SetComboIndex(IDC_SEGMENT_TYPE, m_nCurType);
  // An empty table offers the stand-by values for its first segment.
  ShowSegmentFields(CurrentKind(), !HasRows());

  const int count = m_Data.m_SegmentType.GetValuesCount();
  EnableChild(IDC_PREVIOUS, m_nCurSegment > 0);
  EnableChild(IDC_MOVE_UP, m_nCurSegment > 0);
  EnableChild(IDC_NEXT, m_nCurSegment < count - 1);
  EnableChild(IDC_MOVE_DOWN, m_nCurSegment < count - 1);
  EnableChild(IDC_REMOVE, count > 1);
  EnableChild(IDC_UPDATE, count > 0);
}

void CEditorDlg::ShowOptionStates() {
  SetChildCheck(IDC_CONFIGURE_MODE, m_Data.m_ConfigureMode != 0);
  EnableChild(IDC_CLEAR_BUFFER, m_Data.m_ConfigureMode != 0);
  SetChildCheck(IDC_CLEAR_BUFFER, m_Data.m_ConfigureMode != 0 && m_Data.m_ClearBuffer != 0);
  SetChildCheck(IDC_INSERT_END_SEGMENT, m_Data.m_InsertEndSegment != 0);
  for (UINT id : {IDC_SLAVE_X, IDC_SLAVE_Y, IDC_SLAVE_TANGENT}) EnableChild(id, m_Data.m_ConfigureMode != 0);

  CheckRadioButton(IDC_EXECUTE_IMMEDIATE, IDC_EXECUTE_ON_EVENT, IDC_EXECUTE_IMMEDIATE + m_Data.m_Execute);
  EnableChild(IDC_WAIT_FOR_COMPLETION, m_Data.m_InsertEndSegment != 0);
  SetChildCheck(IDC_WAIT_FOR_COMPLETION, m_Data.m_InsertEndSegment != 0 && m_Data.m_WaitForCompletion != 0);
  const bool onEvent = m_Data.m_Execute == 1;
  EnableChild(IDC_CHANGE_EVENT, onEvent);
  EnableChild(IDC_EDIT_EVENT, onEvent && m_Data.m_Event.IsEditable());
  SetChildText(IDC_EVENT_DESCRIPTION, onEvent ? m_Data.m_Event.GetDescription(0) : CString());
}

// The slave of an axis combo; while validating, a slave below `lowest` is refused.
int CEditorDlg::ExchangeSlave(CDataExchange* dx, int comboId, int lowest) {
  CWnd* combo = GetDlgItem(comboId);
  const int slave = m_Data.GetComboSelSlaveAxisID(combo);
  if (m_bValidate && slave < lowest) {
    dx->PrepareCtrl(comboId);
    AfxMessageBox(IDS_HOST_SELECT_SLAVE_AXES, MB_ICONEXCLAMATION);
    dx->Fail();
  }
  return slave;
}

void CEditorDlg::ExchangeFromControls(CDataExchange* dx) {
  m_Data.m_ConfigureMode = GetChildCheck(IDC_CONFIGURE_MODE);
  if (IsChildEnabled(IDC_CLEAR_BUFFER)) m_Data.m_ClearBuffer = GetChildCheck(IDC_CLEAR_BUFFER);
  m_Data.m_InsertEndSegment = GetChildCheck(IDC_INSERT_END_SEGMENT);

  if (GetDlgItem(IDC_SLAVE_X) != nullptr) m_Data.m_SlaveX = ExchangeSlave(dx, IDC_SLAVE_X, 0);
  if (GetDlgItem(IDC_SLAVE_Y) != nullptr) m_Data.m_SlaveY = ExchangeSlave(dx, IDC_SLAVE_Y, 0);
  if (GetDlgItem(IDC_SLAVE_TANGENT) != nullptr) m_Data.m_SlaveTangent = ExchangeSlave(dx, IDC_SLAVE_TANGENT, -1);
  if (m_bValidate) {
    const bool sameY = m_Data.m_SlaveY == m_Data.m_SlaveX;
    if (sameY || m_Data.m_SlaveTangent == m_Data.m_SlaveX || m_Data.m_SlaveTangent == m_Data.m_SlaveY) {
      dx->PrepareCtrl(sameY ? IDC_SLAVE_Y : IDC_SLAVE_TANGENT);
      AfxMessageBox(kDistinctAxes, MB_ICONEXCLAMATION);
      dx->Fail();
    }
  }

  if (GetChildCheck(IDC_EXECUTE_IMMEDIATE))
    m_Data.m_Execute = 0;
  else if (GetChildCheck(IDC_EXECUTE_ON_EVENT))
    m_Data.m_Execute = 1;
  if (IsChildEnabled(IDC_WAIT_FOR_COMPLETION)) m_Data.m_WaitForCompletion = GetChildCheck(IDC_WAIT_FOR_COMPLETION);
}
