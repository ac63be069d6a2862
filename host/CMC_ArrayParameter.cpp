#include "host/CMC_ArrayParameter.h"

#include <algorithm>

CMC_ArrayParameter::CMC_ArrayParameter(CMC_Setup& setup) : CMC_ParameterBase(setup) {}

void CMC_ArrayParameter::SetValuesCount(int count) { m_Values.resize(count > 0 ? count : 0, 0.0); }

BOOL CMC_ArrayParameter::InsertValueAt(int index, double valueInUnit) {
  return InsertValueInInternalUnitAt(index, UnitToIU(valueInUnit));
}

BOOL CMC_ArrayParameter::InsertValueInInternalUnitAt(int index, double value) {
  double stored = 0.0;
  if (index < 0 || index > GetValuesCount() || !AcceptIU(value, stored)) return FALSE;
  m_Values.insert(m_Values.begin() + index, stored);
  return TRUE;
}

void CMC_ArrayParameter::RemoveValueAt(int index, int count) {
  if (!IsIndex(index) || count <= 0) return;
  const int last = index + std::min(count, GetValuesCount() - index);
  m_Values.erase(m_Values.begin() + index, m_Values.begin() + last);
}

double CMC_ArrayParameter::GetValueInInternalUnit(int index) const { return IsIndex(index) ? m_Values[index] : 0.0; }

BOOL CMC_ArrayParameter::SetValueInInternalUnit(int index, double value) {
  return IsIndex(index) && AcceptIU(value, m_Values[index]);
}

int CMC_ArrayParameter::FindValueOutsideLimits() const {
  for (int i = 0; i < GetValuesCount(); ++i)
    if (!IsWithinLimits(m_Values[i])) return i;
  return -1;
}

bool CMC_ArrayParameter::AssignParsedValues(const std::vector<double>& stored) {
  m_Values = stored;
  return true;
}
