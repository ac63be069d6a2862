#pragma once

#include "framework/ResourceModule.h"

// The resources the module brings into the process: its version record and icon, and the
// editor's dialog template.
namespace ModuleResources {
CResourceModule& Build();
}
