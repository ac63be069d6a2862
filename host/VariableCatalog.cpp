#include "host/VariableCatalog.h"

#include <cstring>

namespace {

const KnownVariable kVariables[] = {
    {"TPOS", VT_INT32, PhysicalQuantity::Position},           // target position
    {"CSPD", VT_FIXED16_16, PhysicalQuantity::Speed},         // command speed
    {"CACC", VT_FIXED16_16, PhysicalQuantity::Acceleration},  // command acceleration
    {"NLINESTAN", VT_INT32, PhysicalQuantity::None},          // tangent axis counts per revolution
};

}  // namespace

const KnownVariable* VariableCatalog::Find(const char* name) {
  if (name == nullptr) return nullptr;
  for (const KnownVariable& variable : kVariables)
    if (std::strcmp(variable.name, name) == 0) return &variable;
  return nullptr;
}

CString VariableCatalog::NamesText() {
  CString names;
  for (const KnownVariable& variable : kVariables) {
    if (!names.IsEmpty()) names += ", ";
    names += variable.name;
  }
  return names;
}
