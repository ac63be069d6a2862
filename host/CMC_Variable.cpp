#include "host/CMC_Variable.h"

CMC_Variable::CMC_Variable(CMC_Setup& setup, PhysicalQuantity quantity) : CMC_Parameter(setup), m_Quantity(quantity) {}
