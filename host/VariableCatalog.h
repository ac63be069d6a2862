#pragma once

#include "framework/CString.h"
#include "host/CMC_Units.h"
#include "host/tagVarType.h"

// The controller variables the host knows by name: how each is stored and what it measures.
// A setup lists which of them it defines; their type and quantity are always these.
struct KnownVariable {
  const char* name;
  tagVarType type;
  PhysicalQuantity quantity;
};

namespace VariableCatalog {
// Null for a name the host does not know.
const KnownVariable* Find(const char* name);
// The names, for messages that list what is allowed.
CString NamesText();
}  // namespace VariableCatalog
