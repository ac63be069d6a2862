#include <algorithm>
#include <utility>

#include "editor/CEditorDlg.h"
#include "editor/EditorControlIds.h"
#include "framework/dialog/ContentListener.h"

namespace {

// One column of the table: the text right-aligned in `width` characters, never cut, so a wider
// value shifts the rest of its own row only.
void AppendColumn(CString& row, const CString& text, int width) {
  static constexpr char kBlanks[] = "                ";  // one more than the widest column
  constexpr int kMaxPad = static_cast<int>(sizeof kBlanks) - 1;
  row += kBlanks + kMaxPad - std::clamp(1 + width - text.GetLength(), 1, kMaxPad);
  row += text;
}

CString UnitLabel(const char* word, const CMC_ArrayParameter& param) {
  CString label;
  label.Format("%s[%s]", word, param.GetSelectedUnit().GetString());
  return label;
}

// Acceleration and speed columns stay blank for a segment that keeps the value in force.
CString OptionalValue(const CMC_ArrayParameter& param, int row) {
  return param.GetValueInInternalUnit(row) == 0.0 ? CString() : param.PrintValue(row);
}

constexpr int kValueWidth = 11;
constexpr int kAccelerationWidth = 15;
constexpr int kSpeedWidth = 13;

}  // namespace

BOOL CEditorDlg::RefreshSegmentTable(BOOL bUpdateControls) {
  CString header("L");
  AppendColumn(header, UnitLabel("X", *m_Data.m_pPosIncrX), kValueWidth);
  AppendColumn(header, UnitLabel("Y", *m_Data.m_pPosIncrY), kValueWidth);
  AppendColumn(header, "", kValueWidth);
  header += "\nC";
  AppendColumn(header, UnitLabel("R", *m_Data.m_pRadius), kValueWidth);
  AppendColumn(header, UnitLabel("Ao", m_Data.m_InitAngle), kValueWidth);
  AppendColumn(header, UnitLabel("Ai", m_Data.m_AngleIncrement), kValueWidth);
  AppendColumn(header, UnitLabel("Accel", *m_Data.m_pVectorAcc), kAccelerationWidth);
  AppendColumn(header, UnitLabel("Speed", *m_Data.m_pVectorSpeed), kSpeedWidth);
  SetChildText(IDC_TABLE_HEADER, header);

  if (CWnd* list = GetDlgItem(IDC_SEGMENT_LIST)) {
    list->SendMessage(LB_RESETCONTENT);
    m_Data.ForEachSegment([&](int row, SegmentKind kind, int index) { InsertSegmentRow(list, row, kind, index); });
  }
  return ClampSelection(bUpdateControls);
}

void CEditorDlg::InsertSegmentRow(CWnd* list, int row, SegmentKind kind, int kindIndex) {
  // One buffer for every row, so a redraw of a long table does not allocate each row afresh.
  CString& text = m_RowText;
  text = kind == SegmentKind::Linear ? "L" : "C";
  for (const CMC_ArrayParameter* array : std::as_const(m_Data).GeometryArrays(kind))
    AppendColumn(text, array != nullptr ? array->PrintValue(kindIndex) : CString(), kValueWidth);
  AppendColumn(text, OptionalValue(*m_Data.m_pVectorAcc, row), kAccelerationWidth);
  AppendColumn(text, OptionalValue(*m_Data.m_pVectorSpeed, row), kSpeedWidth);
  if (list != nullptr) list->SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.GetString()));
}

BOOL CEditorDlg::ClampSelection(BOOL bUpdateControls) {
  const int count = m_Data.m_SegmentType.GetValuesCount();
  // Row 0 of an empty table is where its first segment goes.
  m_nCurSegment = std::clamp(m_nCurSegment, 0, std::max(count - 1, 0));
  RecountKindIndices();
  if (CWnd* list = GetDlgItem(IDC_SEGMENT_LIST)) list->SendMessage(LB_SETCURSEL, static_cast<WPARAM>(m_nCurSegment));
  TellContentListener();
  return bUpdateControls ? UpdateData(FALSE) : TRUE;
}

// Every change of the table or of the current row ends in ClampSelection, which tells whoever
// follows the motion: the record as its text, and the current row.
void CEditorDlg::TellContentListener() {
  CContentListener* listener = AfxGetContentListener();
  if (listener == nullptr) return;
  CString text;
  m_Data.WriteData(text);
  listener->OnContentChanged(*this, text, m_nCurSegment);
}

void CEditorDlg::FocusEditField(UINT id) {
  CWnd* edit = GetDlgItem(static_cast<int>(id));
  if (edit == nullptr) return;
  edit->SetFocus();
  edit->SendMessage(EM_SETSEL, 0, -1);
  edit->SendMessage(EM_SCROLLCARET);
}
