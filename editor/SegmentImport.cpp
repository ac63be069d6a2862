#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "editor/CEditorDlg.h"
#include "editor/EditorControlIds.h"
#include "editor/SegmentValues.h"
#include "framework/CFile.h"
#include "framework/dialog/CFileDialog.h"
#include "framework/dialog/MessageBox.h"
#include "motionpath/ImportLines.h"

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

// An acceleration or speed of row `row` equal to the one stored for the row before keeps that
// value in force and is stored as 0.
void KeepRepeatInForce(CMC_ArrayParameter& array, int row) {
  if (row > 0 && array.GetValueInBaseUnit(row - 1) == array.GetValueInBaseUnit(row))
    array.SetValueInInternalUnit(row, 0.0);
}

}  // namespace

// The line's values brought into the arrays' limits and resolution, as typed values are.
CEditorDlg::SegmentValues CEditorDlg::NormalizedValues(const ImportLine& line) {
  std::array<double, 3> geometry = line.geometry;
  const auto arrays = m_Data.GeometryArrays(line.kind);
  for (size_t k = 0; k < arrays.size(); ++k)
    if (arrays[k] != nullptr) NormalizeValue(*arrays[k], geometry[k]);
  SegmentValues values{geometry[0], geometry[1], geometry[2], line.acceleration, line.speed};
  NormalizeValue(*m_Data.m_pVectorAcc, values.acceleration);
  NormalizeValue(*m_Data.m_pVectorSpeed, values.speed);
  return values;
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
  ImportLine::Fault fault = ImportLine::Fault::None;
  try {
    CFile file(dialog.GetPathName(), CFile::modeRead | CFile::shareDenyWrite);
    m_Data.ClearSegments();
    LineReader reader(file);
    while (char* text = reader.Next()) {
      std::replace(text, text + std::strlen(text), ',', '.');
      const ImportLine line = ReadImportLine(text);
      fault = line.fault;
      if (fault != ImportLine::Fault::None) break;
      AppendSegment(line.kind, NormalizedValues(line));
    }
    file.Close();
  } catch (const CFileException& error) {
    error.ReportError();
  }
  if (fault != ImportLine::Fault::None) {
    const bool circular = fault == ImportLine::Fault::CircularCount;
    AfxMessageBox(fault == ImportLine::Fault::LinearCount ? kLinearCountError
                  : circular                              ? kCircularCountError
                                                          : kKindError,
                  MB_ICONEXCLAMATION);
    // An all-zero segment in place of the line; validation on OK names its row.
    m_Data.AppendBlankSegment(circular ? SegmentKind::Circular : SegmentKind::Linear);
  }
  m_nCurSegment = 0;
  RefreshSegmentTable(TRUE);
}
