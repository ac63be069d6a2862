#include "host/CMC_Unit.h"

CMC_Unit::CMC_Unit(const char* name, UnitDimension dimension, double sizeInBaseUnit, bool isInternal)
    : m_Name(name), m_Dimension(dimension), m_Size(sizeInBaseUnit), m_bInternal(isInternal) {}

bool CMC_Unit::operator==(const CMC_Unit& other) const {
  return m_Name == other.m_Name && m_Dimension == other.m_Dimension && m_Size == other.m_Size;
}
