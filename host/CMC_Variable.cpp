#include "host/CMC_Variable.h"

#include "host/CMC_Setup.h"

CMC_Variable::CMC_Variable(CMC_Setup& setup, const KnownVariable& definition)
    : CMC_Parameter(setup), m_Quantity(definition.quantity) {
  const CString unit = setup.GetUnits().DefaultUnitOf(definition.quantity);
  InitializeMotionParam(definition.type, definition.name, unit, "0", IU_OF_SETUP, IU_OF_SETUP);
}
