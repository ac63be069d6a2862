#include "editor/CEditorDlg.h"
#include "editor/EditorControlIds.h"
#include "editor/SegmentValues.h"

// Every command ends alike: the list follows the current row, every field shows the stored
// values (dropping what was typed and not applied) and the caret waits in the first field.
void CEditorDlg::EndCommand() {
  ClampSelection(TRUE);
  FocusEditField(IDC_FIRST_VALUE);
}

// The values in the arrays' selected units, as the record keeps them.
SegmentEntries CEditorDlg::EntriesOf(SegmentKind kind, const SegmentValues& values) const {
  SegmentEntries entries;
  const auto geometry = m_Data.GeometryArrays(kind);
  const double given[] = {values.first, values.second, values.third};
  for (size_t k = 0; k < geometry.size(); ++k)
    if (geometry[k] != nullptr) entries.geometry[k] = geometry[k]->UnitToIU(given[k]);
  entries.acceleration = m_Data.m_pVectorAcc->UnitToIU(values.acceleration);
  entries.speed = m_Data.m_pVectorSpeed->UnitToIU(values.speed);
  return entries;
}

void CEditorDlg::SetSegmentValues(SegmentKind kind, const SegmentValues& values) {
  const auto geometry = m_Data.GeometryArrays(kind);
  const double given[] = {values.first, values.second, values.third};
  const int index = m_Data.KindIndexAt(m_nCurSegment, kind);
  for (size_t k = 0; k < geometry.size(); ++k)
    if (geometry[k] != nullptr) geometry[k]->SetValue(index, given[k]);
  m_Data.m_pVectorAcc->SetValue(m_nCurSegment, values.acceleration);
  m_Data.m_pVectorSpeed->SetValue(m_nCurSegment, values.speed);
}

// The list's row m_nCurSegment shows the record's row anew.
void CEditorDlg::ShowCurrentRow(bool replacing) {
  CWnd* list = GetDlgItem(IDC_SEGMENT_LIST);
  if (list == nullptr) return;
  if (replacing) list->SendMessage(LB_DELETESTRING, static_cast<WPARAM>(m_nCurSegment));
  const SegmentKind kind = m_Data.KindAt(m_nCurSegment);
  InsertSegmentRow(list, m_nCurSegment, kind, m_Data.KindIndexAt(m_nCurSegment, kind));
}

// The segment goes in as row m_nCurSegment.
void CEditorDlg::InsertCurrentSegment(const SegmentValues& values) {
  const SegmentKind kind = CurrentKind();
  m_Data.InsertSegment(m_nCurSegment, kind, EntriesOf(kind, values));
  ShowCurrentRow(false);
  EndCommand();
}

void CEditorDlg::OnPrevious() {
  UpdateData(TRUE);
  --m_nCurSegment;
  EndCommand();
}

void CEditorDlg::OnNext() {
  UpdateData(TRUE);
  ++m_nCurSegment;
  EndCommand();
}

void CEditorDlg::OnSelchangeSegmentList() {
  UpdateData(TRUE);
  const CWnd* list = GetDlgItem(IDC_SEGMENT_LIST);
  const int selection = list != nullptr ? list->GetCurSel() : -1;
  m_nCurSegment = selection < 0 ? 0 : selection;
  EndCommand();
}

void CEditorDlg::OnInsertAbove() {
  UpdateData(TRUE);
  SegmentValues values;
  if (!ReadSegmentFields(values)) return;
  InsertCurrentSegment(values);
}

// Unlike every other command, Insert Below does not store the option controls first: it is what
// Enter in the last value field runs while a path is typed row by row. Nothing is lost by it, as
// the option boxes store themselves when clicked (tests/scripts/option-boxes-act-at-once.script).
// On an empty table the segment becomes the first row, as Insert Above makes it.
void CEditorDlg::OnInsertBelow() {
  SegmentValues values;
  if (!ReadSegmentFields(values)) return;
  if (HasRows()) ++m_nCurSegment;
  InsertCurrentSegment(values);
}

void CEditorDlg::OnUpdateSegment() {
  if (!HasRows()) return;
  UpdateData(TRUE);
  SegmentValues values;
  if (!ReadSegmentFields(values)) return;
  const SegmentKind kind = CurrentKind();
  if (m_Data.KindAt(m_nCurSegment) == kind) {
    SetSegmentValues(kind, values);
  } else {
    m_Data.RemoveSegment(m_nCurSegment);
    m_Data.InsertSegment(m_nCurSegment, kind, EntriesOf(kind, values));
  }
  ShowCurrentRow(true);
  EndCommand();
}

// The current row and its neighbour `step` rows away change places; the row stays current.
void CEditorDlg::MoveCurrentRow(int step) {
  const int neighbour = m_nCurSegment + step;
  if (neighbour < 0 || neighbour >= m_Data.m_SegmentType.GetValuesCount()) return;
  UpdateData(TRUE);
  m_Data.SwapSegments(m_nCurSegment, neighbour);
  if (CWnd* list = GetDlgItem(IDC_SEGMENT_LIST)) {
    const CString text = list->GetItems()[static_cast<size_t>(m_nCurSegment)].text;
    list->SendMessage(LB_DELETESTRING, static_cast<WPARAM>(m_nCurSegment));
    list->SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(neighbour), reinterpret_cast<LPARAM>(text.GetString()));
  }
  m_nCurSegment = neighbour;
  EndCommand();
}

void CEditorDlg::OnMoveUp() { MoveCurrentRow(-1); }

void CEditorDlg::OnMoveDown() { MoveCurrentRow(+1); }

void CEditorDlg::OnRemove() {
  if (!HasRows()) return;
  UpdateData(TRUE);
  m_Data.RemoveSegment(m_nCurSegment);
  if (CWnd* list = GetDlgItem(IDC_SEGMENT_LIST)) list->SendMessage(LB_DELETESTRING, static_cast<WPARAM>(m_nCurSegment));
  if (m_nCurSegment == m_Data.m_SegmentType.GetValuesCount()) --m_nCurSegment;
  EndCommand();
}
