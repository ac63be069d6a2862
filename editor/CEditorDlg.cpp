#include "editor/CEditorDlg.h"

#include "editor/EditorControlIds.h"
#include "framework/LogFont.h"
#include "host/CMC_Setup.h"

BEGIN_MESSAGE_MAP(CEditorDlg, CMC_EditMotionDlg)
ON_BN_CLICKED(IDC_PREVIOUS, OnPrevious)
ON_BN_CLICKED(IDC_NEXT, OnNext)
ON_LBN_SELCHANGE(IDC_SEGMENT_LIST, OnSelchangeSegmentList)
ON_BN_CLICKED(IDC_MOVE_UP, OnMoveUp)
ON_BN_CLICKED(IDC_MOVE_DOWN, OnMoveDown)
ON_BN_CLICKED(IDC_INSERT_ABOVE, OnInsertAbove)
ON_BN_CLICKED(IDC_INSERT_BELOW, OnInsertBelow)
ON_BN_CLICKED(IDC_UPDATE, OnUpdateSegment)
ON_BN_CLICKED(IDC_REMOVE, OnRemove)
ON_BN_CLICKED(IDC_IMPORT, OnImportFromFile)
ON_CBN_SELENDOK(IDC_SLAVE_X, OnXAxisChange)
ON_CBN_SELENDOK(IDC_SLAVE_Y, OnYAxisChange)
ON_CBN_SELENDOK(IDC_SLAVE_TANGENT, OnTangentAxisChange)
ON_BN_CLICKED(IDC_ACC_CHECK, OnVectorAccCheck)
ON_BN_CLICKED(IDC_SPEED_CHECK, OnVectorSpeedCheck)
ON_CBN_SELENDOK(IDC_SEGMENT_TYPE, OnSegmentTypeChange)
ON_EN_KILLFOCUS(IDC_ACC_VALUE, OnKillFocusValueEdit)
ON_EN_KILLFOCUS(IDC_SPEED_VALUE, OnKillFocusValueEdit)
ON_EN_KILLFOCUS(IDC_FIRST_VALUE, OnKillFocusValueEdit)
ON_EN_KILLFOCUS(IDC_SECOND_VALUE, OnKillFocusValueEdit)
ON_EN_KILLFOCUS(IDC_ANGLE_INCREMENT_VALUE, OnKillFocusValueEdit)
ON_CBN_SELENDOK(IDC_ACC_UNIT, OnVectorAccUnitChange)
ON_CBN_SELENDOK(IDC_SPEED_UNIT, OnVectorSpeedUnitChange)
ON_CBN_SELENDOK(IDC_FIRST_UNIT, OnFirstValueUnitChange)
ON_CBN_SELENDOK(IDC_SECOND_UNIT, OnSecondValueUnitChange)
ON_CBN_SELENDOK(IDC_ANGLE_INCREMENT_UNIT, OnAngleIncrementUnitChange)
ON_BN_CLICKED(IDC_CHANGE_EVENT, OnChangeEvent)
ON_BN_CLICKED(IDC_EDIT_EVENT, OnEditEvent)
ON_BN_CLICKED(ID_HELP, OnHelp)
END_MESSAGE_MAP()

// The dialog opens on whatever the text holds: a text that cannot be read completely still
// gives a usable record (at least one segment), and OK refuses it until it is valid.
CEditorDlg::CEditorDlg(CMC_Setup& setup, CMC_Motion& motion, CString& paramText, CWnd* parent)
    : CMC_EditMotionDlg(setup, motion, paramText, IDD_VECTOR_MODE, parent), m_Data(setup, motion) {
  CString ignoredErrors;
  m_Data.ReadData(paramText, ignoredErrors);
  m_Data.CreateEditParameters(m_pEditPosIncrX, m_pEditPosIncrY, m_pEditRadius, m_pEditInitAngle,
                              m_pEditAngleIncrement);
  m_nCurSegment = 0;
  m_nCurLinear = 0;
  m_nCurCircular = 0;
  m_nCurType = -1;
  m_bCombosFilled = 0;
  m_Data.AdjustArraySizes();
}

CEditorDlg::~CEditorDlg() { m_Font.DeleteObject(); }

CMC_EditMotionInternalData* CEditorDlg::GetInternalData() { return &m_Data; }

int CEditorDlg::IsClosedPositionSlave(CMC_Setup* setup) {
  return setup != nullptr && setup->GetIntOption("IsClosedPosition") != 0 ? 1 : 0;
}

// Empty on purpose: a value field losing the focus changes nothing. Typed values reach the record
// only through Insert Above, Insert Below and Update, so leaving a field half typed is harmless.
void CEditorDlg::OnKillFocusValueEdit() {}

BOOL CEditorDlg::OnInitDialog() {
  m_nCurSegment = 0;
  RecountKindIndices();
  CDialog::OnInitDialog();

  // A 6-point fixed-pitch font, so that the header's columns stand over the rows' columns.
  LOGFONT logFont{};
  CDC* dc = GetDC();
  logFont.lfHeight = -MulDiv(6, dc->GetDeviceCaps(LOGPIXELSY), 72);
  ReleaseDC(dc);
  constexpr char kFace[] = "Courier";
  std::copy(std::begin(kFace), std::end(kFace), logFont.lfFaceName);
  m_Font.CreateFontIndirect(&logFont);
  for (int id : {IDC_TABLE_HEADER, IDC_SEGMENT_LIST})
    if (CWnd* control = GetDlgItem(id)) control->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&m_Font), TRUE);

  RefreshSegmentTable(TRUE);
  FocusEditField(IDC_FIRST_VALUE);
  return TRUE;
}
