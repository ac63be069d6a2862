#include <algorithm>
#include <type_traits>
#include <utility>

#include "motion/CInternalData.h"

namespace {

// The record's arrays, const as the record is.
template <class Record>
using ArrayOf = std::conditional_t<std::is_const_v<Record>, const CMC_ArrayParameter*, CMC_ArrayParameter*>;

template <class Record>
std::array<ArrayOf<Record>, 8> AllArrays(Record& record) {
  return {&record.m_SegmentType,    record.m_pVectorAcc.get(), record.m_pVectorSpeed.get(), record.m_pPosIncrX.get(),
          record.m_pPosIncrY.get(), record.m_pRadius.get(),    &record.m_InitAngle,         &record.m_AngleIncrement};
}

template <class Record>
std::array<ArrayOf<Record>, 3> KindArrays(Record& record, SegmentKind kind) {
  if (kind == SegmentKind::Linear) return {record.m_pPosIncrX.get(), record.m_pPosIncrY.get(), nullptr};
  return {record.m_pRadius.get(), &record.m_InitAngle, &record.m_AngleIncrement};
}

// The arrays with one entry per row, in the order of the text.
std::array<CMC_ArrayParameter*, 3> RowArrays(CInternalData& record) {
  return {&record.m_SegmentType, record.m_pVectorAcc.get(), record.m_pVectorSpeed.get()};
}

// Entries change places in internal units, so a swap never converts or rounds a value.
void SwapEntries(CMC_ArrayParameter& array, int a, int b) {
  const double first = array.GetValueInInternalUnit(a);
  array.SetValueInInternalUnit(a, array.GetValueInInternalUnit(b));
  array.SetValueInInternalUnit(b, first);
}

// The entry at `from` goes to `to`, those between closing up behind it.
void MoveEntry(CMC_ArrayParameter& array, int from, int to) {
  const double moved = array.GetValueInInternalUnit(from);
  const int step = to > from ? 1 : -1;
  for (int i = from; i != to; i += step) array.SetValueInInternalUnit(i, array.GetValueInInternalUnit(i + step));
  array.SetValueInInternalUnit(to, moved);
}

void Grow(CMC_ArrayParameter& array) { array.SetValuesCount(array.GetValuesCount() + 1); }

}  // namespace

void CInternalData::CountSegments(int& linearCount, int& circularCount) {
  linearCount = 0;
  circularCount = 0;
  const int count = m_SegmentType.GetValuesCount();
  for (int row = 0; row < count; ++row) ++(KindAt(row) == SegmentKind::Linear ? linearCount : circularCount);
}

// Counted from the nearer end of the list, so that appending row after row stays linear: below
// the row, the kind's entries that the rows from there on own come off its arrays' size.
int CInternalData::KindIndexAt(int row, SegmentKind kind) const {
  const int count = m_SegmentType.GetValuesCount();
  const auto rowsOfKind = [&](int first, int last) {
    int rows = 0;
    for (int r = first; r < last; ++r)
      if (KindAt(r) == kind) ++rows;
    return rows;
  };
  if (row <= count / 2) return rowsOfKind(0, std::max(row, 0));
  return GeometryArrays(kind)[0]->GetValuesCount() - rowsOfKind(row, count);
}

bool CInternalData::InsertSegment(int row, SegmentKind kind, const SegmentEntries& entries) {
  struct Entry {
    CMC_ArrayParameter* array;
    int at;
    double value;
  };
  const int index = KindIndexAt(row, kind);
  const std::array<CMC_ArrayParameter*, 3> geometry = GeometryArrays(kind);
  const std::array<Entry, 6> targets = {{{&m_SegmentType, row, StoredKind(kind)},
                                         {m_pVectorAcc.get(), row, entries.acceleration},
                                         {m_pVectorSpeed.get(), row, entries.speed},
                                         {geometry[0], index, entries.geometry[0]},
                                         {geometry[1], index, entries.geometry[1]},
                                         {geometry[2], index, entries.geometry[2]}}};
  for (size_t k = 0; k < targets.size(); ++k) {
    if (targets[k].array == nullptr || targets[k].array->InsertValueInInternalUnitAt(targets[k].at, targets[k].value))
      continue;
    while (k-- > 0)
      if (targets[k].array != nullptr) targets[k].array->RemoveValueAt(targets[k].at, 1);
    return false;
  }
  return true;
}

void CInternalData::ReserveSegments(int linear, int circular) {
  for (CMC_ArrayParameter* array : RowArrays(*this)) array->ReserveValues(array->GetValuesCount() + linear + circular);
  for (const auto& [kind, count] : {std::pair{SegmentKind::Linear, linear}, std::pair{SegmentKind::Circular, circular}})
    for (CMC_ArrayParameter* array : GeometryArrays(kind))
      if (array != nullptr) array->ReserveValues(array->GetValuesCount() + count);
}

void CInternalData::AppendBlankSegment(SegmentKind kind) {
  for (CMC_ArrayParameter* array : RowArrays(*this)) Grow(*array);
  m_SegmentType.SetValueInInternalUnit(m_SegmentType.GetValuesCount() - 1, StoredKind(kind));
  for (CMC_ArrayParameter* array : GeometryArrays(kind))
    if (array != nullptr) Grow(*array);
}

void CInternalData::RemoveSegment(int row) {
  const SegmentKind kind = KindAt(row);
  const int index = KindIndexAt(row, kind);
  for (CMC_ArrayParameter* array : GeometryArrays(kind))
    if (array != nullptr) array->RemoveValueAt(index, 1);
  for (CMC_ArrayParameter* array : RowArrays(*this)) array->RemoveValueAt(row, 1);
}

void CInternalData::SwapSegments(int a, int b) {
  if (a == b) return;
  if (a > b) std::swap(a, b);
  const SegmentKind kindA = KindAt(a);
  const SegmentKind kindB = KindAt(b);
  const int indexA = KindIndexAt(a, kindA);
  const int indexB = KindIndexAt(b, kindB);
  for (CMC_ArrayParameter* array : GeometryArrays(kindA)) {
    if (array == nullptr) continue;
    if (kindA == kindB)
      SwapEntries(*array, indexA, indexB);
    else  // row a's entry goes behind those of its kind up to row b
      MoveEntry(*array, indexA, KindIndexAt(b + 1, kindA) - 1);
  }
  if (kindA != kindB) {
    for (CMC_ArrayParameter* array : GeometryArrays(kindB))
      if (array != nullptr) MoveEntry(*array, indexB, KindIndexAt(a, kindB));
  }
  for (CMC_ArrayParameter* array : RowArrays(*this)) SwapEntries(*array, a, b);
}

void CInternalData::ClearSegments() {
  for (CMC_ArrayParameter* array : SegmentArrays()) array->SetValuesCount(0);
}

std::array<CMC_ArrayParameter*, 8> CInternalData::SegmentArrays() { return AllArrays(*this); }

std::array<const CMC_ArrayParameter*, 8> CInternalData::SegmentArrays() const { return AllArrays(*this); }

std::array<CMC_ArrayParameter*, 3> CInternalData::GeometryArrays(SegmentKind kind) { return KindArrays(*this, kind); }

std::array<const CMC_ArrayParameter*, 3> CInternalData::GeometryArrays(SegmentKind kind) const {
  return KindArrays(*this, kind);
}
