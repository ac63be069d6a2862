#pragma once

#include "host/CMC_Parameter.h"
#include "host/VariableCatalog.h"

// A variable of a setup. Besides holding a value it serves as a unit converter: set a value in
// one unit and read it in another.
class TARNOC_API CMC_Variable : public CMC_Parameter {
 public:
  // Still without name, unit and value: CMC_Setup::AddVariable gives them, as only it can
  // refuse a variable whose unit the setup cannot hold.
  CMC_Variable(CMC_Setup& setup, PhysicalQuantity quantity);

  PhysicalQuantity GetQuantity() const { return m_Quantity; }

 private:
  PhysicalQuantity m_Quantity;
};
