#include "host/CMC_Parameter.h"

CMC_Parameter::CMC_Parameter(CMC_Setup& setup) : CMC_ParameterBase(setup) {}

BOOL CMC_Parameter::SetValueInInternalUnit(double value) { return AcceptIU(value, m_Value); }

// A scalar is initialised from exactly one value.
bool CMC_Parameter::AssignParsedValues(const std::vector<double>& stored) {
  if (stored.size() != 1) return false;
  m_Value = stored.front();
  return true;
}
