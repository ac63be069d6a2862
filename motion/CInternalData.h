#pragma once

#include <array>
#include <memory>

#include "framework/CString.h"
#include "host/CMC_ArrayParameter.h"
#include "host/CMC_EditMotionInternalData.h"
#include "host/CMC_Parameter.h"
#include "host/CMotionEvent.h"
#include "motion/SegmentEntries.h"
#include "motion/SegmentKind.h"

// One vector-mode motion in memory: its options, its X, Y and tangent slave axes, its path as a
// list of linear and circular segments, how it starts, and what the slave drives' units imply.
//
// Segment i owns entry i of m_SegmentType, m_pVectorAcc and m_pVectorSpeed. The k-th linear
// segment owns entry k of the X and Y increments; the k-th circular segment owns entry k of the
// radius, initial angle and angle increment arrays. Every reader of the record relies on that,
// and the segment operations below keep it: whoever changes the rows goes through them.
//
// The five owned arrays exist from the first UpdateAxisUnits on, which ReadData makes: call
// ReadData before anything that touches them.
class CInternalData : public CMC_EditMotionInternalData {
 public:
  // Radius limit in internal units: floor((2^31 - 1) / (2 pi)), so that a full circle's path
  // length still fits the controller's 32-bit position.
  static constexpr double kMaxRadius = 341782637.0;
  // The program names slave s by the letter A + s, so only slaves A to Z can take part.
  static constexpr int kLetteredSlaves = 26;

  CInternalData(CMC_Setup& setup, CMC_Motion& motion);
  ~CInternalData() override;

  // Parses a parameter text into the record. Every faulty entry adds one message ending in
  // CR LF; a text without faulty entries is validated with CheckData. Non-zero when `errors`
  // is empty. The record is complete afterwards either way.
  int ReadData(CString& text, CString& errors) override;
  // Appends the record's entries in the form ReadData reads.
  void WriteData(CString& text) override;
  // The parameter text of a new motion on this record's setup.
  CString GetDefaultText();

  // The first reason the record cannot be translated, or empty. segmentIndex receives the
  // offending segment (0 for record-level faults) and is untouched when the record is valid.
  CString CheckData(int& segmentIndex);

  // Classifies the X and Y drives, derives resolution ratios and the tangent axis's counts per
  // revolution, and gives the five owned arrays the units that fit.
  void UpdateAxisUnits();
  // An axis's own counts per count of the reference drive, from its resolution ratio: 1 for the
  // reference axis itself.
  static double CountsPerReferenceCount(unsigned int resolutionRatio);
  // Moves an owned array to `setup` and shows it in `unit` (or the user's unit of that quantity):
  // values keep their physical size within one quantity and their internal numbers across
  // quantities, and the limits go along.
  void RebuildArrayParam(std::unique_ptr<CMC_ArrayParameter>& target, CMC_Setup& setup, const char* unit);

  void CountSegments(int& linearCount, int& circularCount);
  SegmentKind KindAt(int row) const { return SegmentKindOf(m_SegmentType.GetValueInInternalUnit(row)); }
  // Calls visit(row, kind, index) for every row in order, where index is the row's entry in the
  // arrays of its kind.
  template <class Visit>
  void ForEachSegment(Visit&& visit) const {
    int linear = 0;
    int circular = 0;
    const int count = m_SegmentType.GetValuesCount();
    for (int row = 0; row < count; ++row) {
      const SegmentKind kind = KindAt(row);
      visit(row, kind, kind == SegmentKind::Linear ? linear++ : circular++);
    }
  }
  // The rows of `kind` above `row`: the entry of that kind that a row of it there owns. Needs
  // the arrays in step, as the operations below keep them.
  int KindIndexAt(int row, SegmentKind kind) const;
  // Row `row` becomes a segment of `kind` owning `entries`. False, with nothing changed, when an
  // array refuses a value.
  bool InsertSegment(int row, SegmentKind kind, const SegmentEntries& entries);
  // Appends a segment of `kind` whose entries are all 0, below any limit; validation names it.
  void AppendBlankSegment(SegmentKind kind);
  // Room for `linear` and `circular` more segments, made before a long run of appends.
  void ReserveSegments(int linear, int circular);
  void RemoveSegment(int row);
  // Rows a and b change places with all they own. Values move in internal units, unconverted.
  void SwapSegments(int a, int b);
  void ClearSegments();
  // Every segment array, in the order the text writes them.
  std::array<CMC_ArrayParameter*, 8> SegmentArrays();
  std::array<const CMC_ArrayParameter*, 8> SegmentArrays() const;
  // The arrays of a segment's geometry, in the order of SegmentEntries; a linear segment has two.
  std::array<CMC_ArrayParameter*, 3> GeometryArrays(SegmentKind kind);
  std::array<const CMC_ArrayParameter*, 3> GeometryArrays(SegmentKind kind) const;
  // Brings every array to the size the segment list asks for; an empty list becomes one linear
  // segment.
  void AdjustArraySizes();
  // The scalar parameters with which an editor edits one segment's X and Y increments, radius,
  // initial angle and angle increment, in the arrays' units. Lengths they held keep their size
  // where the arrays' unit measures them; the angles are made only when missing.
  void CreateEditParameters(std::unique_ptr<CMC_Parameter>& posIncrX, std::unique_ptr<CMC_Parameter>& posIncrY,
                            std::unique_ptr<CMC_Parameter>& radius, std::unique_ptr<CMC_Parameter>& initAngle,
                            std::unique_ptr<CMC_Parameter>& angleIncrement);

  // The program text of a validated record, and its pieces.
  CString GenerateCode();
  CString GenerateAccSpeedCode(int segment);
  CString GenerateLinearSegmentCode(int linearIndex);
  CString GenerateCircularSegmentCode(int circularIndex);

  int m_ClearBuffer;
  int m_ConfigureMode;
  int m_InsertEndSegment;
  int m_SlaveX;
  int m_SlaveY;
  int m_SlaveTangent;                                  // -1: no tangent axis
  CMC_ArrayParameter m_SegmentType;                    // 0 linear, anything else circular
  std::unique_ptr<CMC_ArrayParameter> m_pVectorAcc;    // 0 keeps the acceleration in force
  std::unique_ptr<CMC_ArrayParameter> m_pVectorSpeed;  // 0 keeps the speed in force
  std::unique_ptr<CMC_ArrayParameter> m_pPosIncrX;
  std::unique_ptr<CMC_ArrayParameter> m_pPosIncrY;
  std::unique_ptr<CMC_ArrayParameter> m_pRadius;
  CMC_ArrayParameter m_InitAngle;
  CMC_ArrayParameter m_AngleIncrement;
  int m_Execute;  // 0 immediately, 1 on m_Event
  int m_WaitForCompletion;
  CMotionEvent m_Event;

  // Derived from the slave drives by UpdateAxisUnits; never stored in the text.
  int m_UnitMode;            // 0 undetermined, 1 linear loads, 2 rotary loads
  unsigned int m_ResRatioX;  // 32-bit fixed-point fractions: 0 for the finer axis
  unsigned int m_ResRatioY;
  int m_TangentUnitsPerRev;

 private:
  bool IsUsableSlave(int slave) const;
  CString ReadSlaves(const CString& text);
  CString ReadSegmentArrays(const CString& text, bool slavesSound);
  CString ReadMotionArray(const CString& text, CMC_ArrayParameter& array, const char* baseName, const char* prefix,
                          tagVarType type, const char* unit, bool slavesSound);
  CString ReadPlainNumbers(const CString& text, CMC_ArrayParameter& array, const char* name, tagVarType type,
                           bool slavesSound);
  double DegreeSize() const;
  // The program's pieces are appended to one buffer with room for the whole program.
  int ProgramRoom();
  void AppendAccSpeedCode(CString& code, int segment);
  // What starts the motion once its first segment is loaded.
  void AppendStart(CString& code);
  void AppendLinearSegmentCode(CString& code, int linearIndex);
  void AppendCircularSegmentCode(CString& code, int circularIndex);
};
