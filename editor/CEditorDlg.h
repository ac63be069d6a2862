#pragma once

#include <memory>

#include "framework/CFont.h"
#include "host/CMC_EditMotionDlg.h"
#include "host/CMC_Parameter.h"
#include "motion/CInternalData.h"

// The modal dialog in which a person edits one vector-mode motion. It reads the host's
// parameter text into a record of its own, every control works on that record, and only a
// valid record committed with OK is written back into the host's text.
//
// The current segment is row m_nCurSegment of the table; m_nCurLinear and m_nCurCircular are
// the indices, among the linear and the circular segments, of the last segment of each kind at
// or above that row (-1 when there is none). So the current row's own kind index is its entry
// in that kind's arrays. They follow from the current row alone and are counted anew whenever
// the selection is settled.
struct ImportLine;

class CEditorDlg : public CMC_EditMotionDlg {
 public:
  CEditorDlg(CMC_Setup& setup, CMC_Motion& motion, CString& paramText, CWnd* parent);
  ~CEditorDlg() override;

  CMC_EditMotionInternalData* GetInternalData() override;

  // The slaves offered as X, Y or tangent axis: those whose drive runs in closed position loop.
  static int IsClosedPositionSlave(CMC_Setup* setup);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void ShowOptionStates() override;

  // The segment table
  BOOL RefreshSegmentTable(BOOL bUpdateControls);
  void InsertSegmentRow(CWnd* list, int row, SegmentKind kind, int kindIndex);
  BOOL ClampSelection(BOOL bUpdateControls);
  void TellContentListener();
  void FocusEditField(UINT id);

  // Segment commands
  void OnPrevious();
  void OnNext();
  void OnSelchangeSegmentList();
  void OnInsertAbove();
  void OnInsertBelow();
  void OnUpdateSegment();
  void OnMoveUp();
  void OnMoveDown();
  void OnRemove();
  void OnKillFocusValueEdit();

  // Value readers: TRUE with the normalised value when the field starts with a number.
  BOOL ReadPosIncrXEdit(double& value);
  BOOL ReadPosIncrYEdit(double& value);
  BOOL ReadRadiusEdit(double& value);
  BOOL ReadInitAngleEdit(double& value);
  BOOL ReadAngleIncrementEdit(double& value);
  BOOL ReadVectorAccEdit(double& value);
  BOOL ReadVectorSpeedEdit(double& value);
  // Brings a value in the parameter's selected unit into its limits and resolution.
  void NormalizeValue(CMC_ArrayParameter& param, double& value);

  // Axis, unit and option controls
  void OnSegmentTypeChange();
  void OnFirstValueUnitChange();
  void OnSecondValueUnitChange();
  void OnAngleIncrementUnitChange();
  void OnVectorAccUnitChange();
  void OnVectorSpeedUnitChange();
  void OnXAxisChange();
  void OnYAxisChange();
  void OnTangentAxisChange();
  void OnVectorAccCheck();
  void OnVectorSpeedCheck();
  void OnChangeEvent();
  void OnEditEvent();
  void OnHelp();

  // Import of a path from a text file
  void OnImportFromFile();

  DECLARE_MESSAGE_MAP()

 private:
  struct SegmentValues;
  SegmentValues NormalizedValues(const ImportLine& line);
  BOOL ReadSegmentFields(SegmentValues& values);
  BOOL ReadValueEdit(UINT id, CMC_ArrayParameter& param, double& value);
  BOOL ReadOptionalValueEdit(UINT checkId, UINT id, CMC_ArrayParameter& param, double& value);
  // The kind in the type combo.
  // An import of an empty file leaves the table without rows; only inserts act on it.
  bool HasRows() const { return m_Data.m_SegmentType.GetValuesCount() > 0; }
  SegmentKind CurrentKind() const { return m_nCurType == 0 ? SegmentKind::Linear : SegmentKind::Circular; }
  SegmentEntries EntriesOf(SegmentKind kind, const SegmentValues& values) const;
  void SetSegmentValues(SegmentKind kind, const SegmentValues& values);
  void InsertCurrentSegment(const SegmentValues& values);
  void ShowCurrentRow(bool replacing);
  void MoveCurrentRow(int step);
  void RecountKindIndices();
  void StoreKindsAsShown();
  void AppendSegment(SegmentKind kind, const SegmentValues& values);
  void EndCommand();
  void ShowSegmentFields(SegmentKind kind, BOOL useStandBy);
  void ChangeValueUnit(UINT editId, UINT comboId, CMC_ArrayParameter& array, CMC_Parameter* standBy, int index);
  void ChangeAxis(int CInternalData::*slave);
  void ExchangeIntoControls();
  void ExchangeFromControls(CDataExchange* dx);
  int ExchangeSlave(CDataExchange* dx, int comboId, int lowest);

 protected:
  int m_bCombosFilled;
  CInternalData m_Data;
  std::unique_ptr<CMC_Parameter> m_pEditPosIncrX;
  std::unique_ptr<CMC_Parameter> m_pEditPosIncrY;
  std::unique_ptr<CMC_Parameter> m_pEditRadius;
  std::unique_ptr<CMC_Parameter> m_pEditInitAngle;
  std::unique_ptr<CMC_Parameter> m_pEditAngleIncrement;
  int m_nCurSegment;
  int m_nCurLinear;
  int m_nCurCircular;
  int m_nCurType;
  CFont m_Font;
  CString m_RowText;
};
