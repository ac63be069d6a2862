#include <algorithm>
#include <cstring>
#include <string>

#include "editor/CEditorDlg.h"
#include "editor/DecimalNumber.h"
#include "editor/EditorControlIds.h"
#include "editor/SegmentValues.h"
#include "framework/CFile.h"
#include "framework/dialog/CFileDialog.h"
#include "framework/dialog/MessageBox.h"

namespace {

constexpr const char* kImportFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
constexpr const char* kLinearCountError = "Linear point error: invalid number of parameters!";
constexpr const char* kCircularCountError = "Circular point error: invalid number of parameters!";
constexpr const char* kKindError = "A point must start with C(circle) or L(linear)!";

// The file is read through a buffer, a line at a time. A line is handed out where it lies in
// the buffer, its line feed made its end, and copied only when it runs past the buffer's end.
class LineReader {
 public:
  explicit LineReader(CFile& file) : m_File(file) {}

  // The next line, without its line feed and writable; nullptr at the end of the file.
  char* Next() {
    m_Carry.clear();
    while (true) {
      if (m_Next == m_Filled && !Fill()) return m_Carry.empty() ? nullptr : m_Carry.data();
      char* const start = m_Buffer + m_Next;
      char* const feed = static_cast<char*>(std::memchr(start, '\n', m_Filled - m_Next));
      char* const end = feed != nullptr ? feed : m_Buffer + m_Filled;
      m_Next = static_cast<UINT>(end - m_Buffer) + (feed != nullptr ? 1 : 0);
      if (feed != nullptr && m_Carry.empty()) {
        *feed = '\0';
        return start;
      }
      m_Carry.append(start, end);
      if (feed != nullptr) return m_Carry.data();
    }
  }

 private:
  bool Fill() {
    m_Filled = m_File.Read(m_Buffer, sizeof m_Buffer);
    m_Next = 0;
    return m_Filled > 0;
  }

  CFile& m_File;
  char m_Buffer[64 * 1024];
  UINT m_Next = 0;
  UINT m_Filled = 0;
  std::string m_Carry;
};

// Reads numbers separated by white space from the start of [first, last), each as far as it
// goes, and returns how many it read, at most `capacity`.
int ScanNumbers(const char* first, const char* last, double* values, int capacity) {
  int count = 0;
  while (count < capacity && (first = ReadDecimal(first, last, values[count])) != nullptr) ++count;
  return count;
}

// An acceleration or speed of row `row` equal to the one stored for the row before keeps that
// value in force and is stored as 0.
void KeepRepeatInForce(CMC_ArrayParameter& array, int row) {
  if (row > 0 && array.GetValueInBaseUnit(row - 1) == array.GetValueInBaseUnit(row))
    array.SetValueInInternalUnit(row, 0.0);
}

}  // namespace

BOOL CEditorDlg::ParseImportLine(const char* line, int& kind, double& g1, double& g2, double& g3, double& acc,
                                 double& spd) {
  // One more than a segment can hold, so that a line with too many numbers is told apart.
  double numbers[6] = {};
  const char letter = line[0];
  const int count = letter == '\0' ? -1 : ScanNumbers(line + 1, line + std::strlen(line), numbers, 6);
  g1 = numbers[0];
  g2 = numbers[1];
  g3 = numbers[2];
  acc = numbers[3];
  spd = numbers[4];
  if (letter == 'L') {
    kind = 0;
    if (count == 2) acc = spd = 0.0;
    else if (count == 3) spd = 0.0, acc = g3;
    else if (count == 4) spd = acc, acc = g3;
    else return FALSE;
    NormalizeValue(*m_Data.m_pPosIncrX, g1);
    NormalizeValue(*m_Data.m_pPosIncrY, g2);
  } else if (letter == 'C') {
    kind = 1;
    if (count == 3) acc = spd = 0.0;
    else if (count == 4) spd = 0.0;
    else if (count != 5) return FALSE;
    NormalizeValue(*m_Data.m_pRadius, g1);
    NormalizeValue(m_Data.m_InitAngle, g2);
    NormalizeValue(m_Data.m_AngleIncrement, g3);
  } else {
    kind = -1;
    return FALSE;
  }
  NormalizeValue(*m_Data.m_pVectorAcc, acc);
  NormalizeValue(*m_Data.m_pVectorSpeed, spd);
  return TRUE;
}

// Appends one segment of `kind` after the rows already there.
void CEditorDlg::AppendSegment(SegmentKind kind, const SegmentValues& values) {
  const int row = m_Data.m_SegmentType.GetValuesCount();
  m_Data.InsertSegment(row, kind, EntriesOf(kind, values));
  KeepRepeatInForce(*m_Data.m_pVectorAcc, row);
  KeepRepeatInForce(*m_Data.m_pVectorSpeed, row);
}

void CEditorDlg::OnImportFromFile() {
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, kImportFilter, this);
  if (dialog.DoModal() != IDOK) return;
  int failedKind = 0;
  bool failed = false;
  try {
    CFile file(dialog.GetPathName(), CFile::modeRead | CFile::shareDenyWrite);
    m_Data.ClearSegments();
    LineReader reader(file);
    while (char* line = reader.Next()) {
      std::replace(line, line + std::strlen(line), ',', '.');
      SegmentValues values;
      if (!ParseImportLine(line, failedKind, values.first, values.second, values.third, values.acceleration,
                           values.speed)) {
        failed = true;
        break;
      }
      AppendSegment(failedKind == 0 ? SegmentKind::Linear : SegmentKind::Circular, values);
    }
    file.Close();
  } catch (const CFileException& error) {
    error.ReportError();
  }
  if (failed) {
    AfxMessageBox(failedKind == 0 ? kLinearCountError : failedKind == 1 ? kCircularCountError : kKindError,
                  MB_ICONEXCLAMATION);
    // An all-zero segment in place of the line; validation on OK names its row.
    m_Data.AppendBlankSegment(failedKind == 1 ? SegmentKind::Circular : SegmentKind::Linear);
  }
  m_nCurSegment = 0;
  RefreshSegmentTable(TRUE);
}
