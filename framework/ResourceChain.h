#pragma once

#include <vector>

#include "framework/FrameworkApi.h"
#include "framework/ResourceModule.h"
#include "framework/Types.h"

// The process-wide chain of registered resource modules. Lookups ask the most
// recently registered module first and fall back to older ones, so a module
// sees its own resources ahead of the host's while it is registered.
//
// The chain is used from the UI thread only and is not synchronised.
// A module is kept by address: it must not move or die while registered.
// Registering a module that is already in the chain, or a null pointer, changes
// nothing; so does unregistering one that is not in it.

FRAMEWORK_API void AfxRegisterResourceModule(CResourceModule* module);
FRAMEWORK_API void AfxUnregisterResourceModule(CResourceModule* module);
FRAMEWORK_API int AfxResourceModuleCount();

// Each returns nullptr when no registered module defines the resource.
FRAMEWORK_API const char* AfxFindString(UINT id);
FRAMEWORK_API const DialogTemplate* AfxFindDialogTemplate(UINT id);
FRAMEWORK_API const std::vector<BYTE>* AfxFindNamedResource(const char* name);
