#include "editor/CEditorDlg.h"
#include "editor/EditorControlIds.h"
#include "editor/SegmentValues.h"

// Every command ends alike: the list follows the current row, every field shows the stored
// values (dropping what was typed and not applied) and the caret waits in the first field.
void CEditorDlg::EndCommand() {
  ClampSelection(TRUE);
  FocusEditField(IDC_FIRST_VALUE);
}

void CEditorDlg::InsertKindValues(int kind, int index, const SegmentValues& values) {
  if (kind == 0) {
    m_Data.m_pPosIncrX->InsertValueAt(index, values.first);
    m_Data.m_pPosIncrY->InsertValueAt(index, values.second);
  } else {
    m_Data.m_pRadius->InsertValueAt(index, values.first);
    m_Data.m_InitAngle.InsertValueAt(index, values.second);
    m_Data.m_AngleIncrement.InsertValueAt(index, values.third);
  }
}

void CEditorDlg::SetKindValues(int kind, int index, const SegmentValues& values) {
  if (kind == 0) {
    m_Data.m_pPosIncrX->SetValue(index, values.first);
    m_Data.m_pPosIncrY->SetValue(index, values.second);
  } else {
    m_Data.m_pRadius->SetValue(index, values.first);
    m_Data.m_InitAngle.SetValue(index, values.second);
    m_Data.m_AngleIncrement.SetValue(index, values.third);
  }
}

void CEditorDlg::RemoveKindValues(int kind, int index) {
  if (kind == 0) {
    m_Data.m_pPosIncrX->RemoveValueAt(index, 1);
    m_Data.m_pPosIncrY->RemoveValueAt(index, 1);
  } else {
    m_Data.m_pRadius->RemoveValueAt(index, 1);
    m_Data.m_InitAngle.RemoveValueAt(index, 1);
    m_Data.m_AngleIncrement.RemoveValueAt(index, 1);
  }
}

// The segment goes in as row m_nCurSegment, and as the entry of its kind that KindIndex names.
void CEditorDlg::InsertCurrentSegment(int kind, const SegmentValues& values) {
  InsertKindValues(kind, KindIndex(kind), values);
  m_Data.m_SegmentType.InsertValueAt(m_nCurSegment, kind);
  m_Data.m_pVectorAcc->InsertValueAt(m_nCurSegment, values.acceleration);
  m_Data.m_pVectorSpeed->InsertValueAt(m_nCurSegment, values.speed);
  InsertSegmentRow(GetDlgItem(IDC_SEGMENT_LIST), m_nCurSegment, m_nCurLinear, m_nCurCircular);
  EndCommand();
}

void CEditorDlg::OnPrevious() {
  UpdateData(TRUE);
  --KindIndex(RowKind(m_nCurSegment));
  --m_nCurSegment;
  EndCommand();
}

void CEditorDlg::OnNext() {
  UpdateData(TRUE);
  ++m_nCurSegment;
  ++KindIndex(RowKind(m_nCurSegment));
  EndCommand();
}

void CEditorDlg::OnSelchangeSegmentList() {
  UpdateData(TRUE);
  const CWnd* list = GetDlgItem(IDC_SEGMENT_LIST);
  const int selection = list != nullptr ? list->GetCurSel() : -1;
  m_nCurSegment = selection < 0 ? 0 : selection;
  RecountKindIndices();
  EndCommand();
}

void CEditorDlg::OnInsertAbove() {
  UpdateData(TRUE);
  SegmentValues values;
  if (!ReadSegmentFields(values)) return;
  const int kind = m_nCurType;
  if (RowKind(m_nCurSegment) != kind) {
    --KindIndex(1 - kind);
    ++KindIndex(kind);
  }
  InsertCurrentSegment(kind, values);
}

void CEditorDlg::OnInsertBelow() {
  SegmentValues values;
  if (!ReadSegmentFields(values)) return;
  const int kind = m_nCurType;
  ++KindIndex(kind);
  ++m_nCurSegment;
  InsertCurrentSegment(kind, values);
}

void CEditorDlg::OnUpdateSegment() {
  UpdateData(TRUE);
  SegmentValues values;
  if (!ReadSegmentFields(values)) return;
  const int kind = m_nCurType;
  const int oldKind = RowKind(m_nCurSegment);
  if (oldKind == kind) {
    SetKindValues(kind, KindIndex(kind), values);
  } else {
    RemoveKindValues(oldKind, KindIndex(oldKind));
    --KindIndex(oldKind);
    ++KindIndex(kind);
    InsertKindValues(kind, KindIndex(kind), values);
  }
  m_Data.m_SegmentType.SetValue(m_nCurSegment, kind);
  m_Data.m_pVectorAcc->SetValue(m_nCurSegment, values.acceleration);
  m_Data.m_pVectorSpeed->SetValue(m_nCurSegment, values.speed);
  if (CWnd* list = GetDlgItem(IDC_SEGMENT_LIST)) {
    list->SendMessage(LB_DELETESTRING, static_cast<WPARAM>(m_nCurSegment));
    InsertSegmentRow(list, m_nCurSegment, m_nCurLinear, m_nCurCircular);
  }
  EndCommand();
}

// The current row and its neighbour `step` rows away change places; the row stays current.
void CEditorDlg::MoveCurrentRow(int step) {
  UpdateData(TRUE);
  const int neighbour = m_nCurSegment + step;
  SwapSegments(m_nCurSegment, neighbour);
  if (CWnd* list = GetDlgItem(IDC_SEGMENT_LIST)) {
    const CString text = list->GetItems()[static_cast<size_t>(m_nCurSegment)].text;
    list->SendMessage(LB_DELETESTRING, static_cast<WPARAM>(m_nCurSegment));
    list->SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(neighbour), reinterpret_cast<LPARAM>(text.GetString()));
  }
  KindIndex(RowKind(m_nCurSegment)) += step;
  m_nCurSegment = neighbour;
  EndCommand();
}

void CEditorDlg::OnMoveUp() { MoveCurrentRow(-1); }

void CEditorDlg::OnMoveDown() { MoveCurrentRow(+1); }

void CEditorDlg::OnRemove() {
  UpdateData(TRUE);
  const int kind = RowKind(m_nCurSegment);
  RemoveKindValues(kind, KindIndex(kind));
  m_Data.m_SegmentType.RemoveValueAt(m_nCurSegment, 1);
  m_Data.m_pVectorAcc->RemoveValueAt(m_nCurSegment, 1);
  m_Data.m_pVectorSpeed->RemoveValueAt(m_nCurSegment, 1);
  if (CWnd* list = GetDlgItem(IDC_SEGMENT_LIST)) list->SendMessage(LB_DELETESTRING, static_cast<WPARAM>(m_nCurSegment));
  if (m_nCurSegment == m_Data.m_SegmentType.GetValuesCount()) {
    --m_nCurSegment;
    --KindIndex(kind);
  } else if (const int nextKind = RowKind(m_nCurSegment); nextKind != kind) {
    --KindIndex(kind);
    ++KindIndex(nextKind);
  }
  EndCommand();
}
