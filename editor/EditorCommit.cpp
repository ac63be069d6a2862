#include "editor/CEditorDlg.h"
#include "editor/EditorControlIds.h"
#include "framework/dialog/MessageBox.h"

// Enter arrives here as OK. In the value fields of the current segment it walks to the next
// field and, at the last one, inserts the typed segment below, so a path can be typed row by
// row; anywhere else OK commits the record.
void CEditorDlg::OnOK() {
  const CWnd* focus = GetFocusedWindow();
  switch (focus != nullptr ? focus->GetDlgCtrlID() : 0) {
    case IDC_FIRST_VALUE:
      FocusEditField(IDC_SECOND_VALUE);
      return;
    case IDC_SECOND_VALUE:
      if (m_nCurType == 0)
        OnInsertBelow();
      else
        FocusEditField(IDC_ANGLE_INCREMENT_VALUE);
      return;
    case IDC_ANGLE_INCREMENT_VALUE:
      OnInsertBelow();
      return;
    case IDC_SEGMENT_TYPE:
      FocusEditField(IDC_FIRST_VALUE);
      return;
    default:
      break;
  }

  m_bValidate = 1;
  if (UpdateData(TRUE)) {
    StoreKindsAsShown();
    const CString error = m_Data.CheckData(m_nCurSegment);
    if (error.IsEmpty()) {
      // Written aside first, so the host's text is either the old one or the whole new one.
      CString written;
      GetInternalData()->WriteData(written);
      *m_pParamText = written;
      EndDialog(IDOK);
    } else {
      AfxMessageBox(error, MB_OK);
      RefreshSegmentTable(TRUE);
    }
  }
  m_bValidate = 0;
}

// A row of a kind other than 0 and 1 shows and acts as circular; OK commits it as such, so the
// text written reads back as the table showed it.
void CEditorDlg::StoreKindsAsShown() {
  m_Data.ForEachSegment([this](int row, SegmentKind kind, int) {
    m_Data.m_SegmentType.SetValueInInternalUnit(row, StoredKind(kind));
  });
}

// The kind indices follow from the current row alone: the last entry of each kind at or above it.
void CEditorDlg::RecountKindIndices() {
  m_nCurLinear = m_Data.KindIndexAt(m_nCurSegment + 1, SegmentKind::Linear) - 1;
  m_nCurCircular = m_Data.KindIndexAt(m_nCurSegment + 1, SegmentKind::Circular) - 1;
}
