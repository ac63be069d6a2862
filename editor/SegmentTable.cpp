#include <algorithm>

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

// Entries are exchanged in internal units, so a swap never converts or rounds a value.
void SwapEntries(CMC_ArrayParameter& array, int a, int b) {
  const double first = array.GetValueInInternalUnit(a);
  array.SetValueInInternalUnit(a, array.GetValueInInternalUnit(b));
  array.SetValueInInternalUnit(b, first);
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
    int linear = 0;
    int circular = 0;
    const int count = m_Data.m_SegmentType.GetValuesCount();
    for (int row = 0; row < count; ++row) {
      InsertSegmentRow(list, row, linear, circular);
      ++(RowKind(row) == 0 ? linear : circular);
    }
  }
  return ClampSelection(bUpdateControls);
}

void CEditorDlg::InsertSegmentRow(CWnd* list, int row, int linearIndex, int circularIndex) {
  const bool linear = static_cast<int>(m_Data.m_SegmentType.GetValueInInternalUnit(row)) == 0;
  // One buffer for every row, so a redraw of a long table does not allocate each row afresh.
  CString& text = m_RowText;
  text = linear ? "L" : "C";
  if (linear) {
    AppendColumn(text, m_Data.m_pPosIncrX->PrintValue(linearIndex), kValueWidth);
    AppendColumn(text, m_Data.m_pPosIncrY->PrintValue(linearIndex), kValueWidth);
    AppendColumn(text, "", kValueWidth);
  } else {
    AppendColumn(text, m_Data.m_pRadius->PrintValue(circularIndex), kValueWidth);
    AppendColumn(text, m_Data.m_InitAngle.PrintValue(circularIndex), kValueWidth);
    AppendColumn(text, m_Data.m_AngleIncrement.PrintValue(circularIndex), kValueWidth);
  }
  AppendColumn(text, OptionalValue(*m_Data.m_pVectorAcc, row), kAccelerationWidth);
  AppendColumn(text, OptionalValue(*m_Data.m_pVectorSpeed, row), kSpeedWidth);
  if (list != nullptr) list->SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.GetString()));
}

BOOL CEditorDlg::ClampSelection(BOOL bUpdateControls) {
  const int count = m_Data.m_SegmentType.GetValuesCount();
  int linearCount = 0;
  int circularCount = 0;
  m_Data.CountSegments(linearCount, circularCount);
  if (m_nCurSegment >= count)
    m_nCurSegment = count - 1;
  else if (m_nCurSegment < 0)
    m_nCurSegment = 0;
  const auto clampKind = [](int& index, int kindCount) {
    if (index >= kindCount)
      index = kindCount - 1;
    else if (index < -1)
      index = -1;
  };
  clampKind(m_nCurLinear, linearCount);
  clampKind(m_nCurCircular, circularCount);
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

void CEditorDlg::SwapLinearEntries(int a, int b) {
  SwapEntries(*m_Data.m_pPosIncrX, a, b);
  SwapEntries(*m_Data.m_pPosIncrY, a, b);
}

void CEditorDlg::SwapCircularEntries(int a, int b) {
  SwapEntries(*m_Data.m_pRadius, a, b);
  SwapEntries(m_Data.m_InitAngle, a, b);
  SwapEntries(m_Data.m_AngleIncrement, a, b);
}

void CEditorDlg::SwapSegments(int a, int b) {
  const int kindA = static_cast<int>(m_Data.m_SegmentType.GetValueInInternalUnit(a));
  const int kindB = static_cast<int>(m_Data.m_SegmentType.GetValueInInternalUnit(b));
  const int last = std::max(a, b);
  // Rows of `kind` before `row`, counted over the rows above the lower of the two.
  const auto rowsBefore = [&](int row, bool circular) {
    int count = 0;
    for (int r = 0; r < row && r < last; ++r)
      if ((static_cast<int>(m_Data.m_SegmentType.GetValueInInternalUnit(r)) != 0) == circular) ++count;
    return count;
  };
  if (kindA == kindB) {
    const bool circular = kindA != 0;
    const int indexA = rowsBefore(a, circular);
    const int indexB = rowsBefore(b, circular);
    if (circular)
      SwapCircularEntries(indexA, indexB);
    else
      SwapLinearEntries(indexA, indexB);
  } else {
    const int p = kindA == 0 ? a : b;  // the linear row
    const int q = kindA == 0 ? b : a;  // the circular row
    const int lp = rowsBefore(p, false);
    const int lq = rowsBefore(q, false) - (p < q ? 1 : 0);
    if (lp != lq) SwapLinearEntries(lp, lq);
    const int cq = rowsBefore(q, true);
    const int cp = rowsBefore(p, true) - (q < p ? 1 : 0);
    if (cq != cp) SwapCircularEntries(cq, cp);
    m_Data.m_SegmentType.SetValueInInternalUnit(p, 1.0);
    m_Data.m_SegmentType.SetValueInInternalUnit(q, 0.0);
  }
  SwapEntries(*m_Data.m_pVectorAcc, a, b);
  SwapEntries(*m_Data.m_pVectorSpeed, a, b);
}
