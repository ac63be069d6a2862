#include "plugin/CZoventaApp.h"

#include "framework/ModuleRegistration.h"
#include "plugin/ModuleResources.h"

CZoventaApp::CZoventaApp() : CWinApp("Zoventa") {}

namespace {

// Constructed in this order when the library is loaded and destroyed in reverse on unload, so
// the resources are findable for the whole life of the application object.
CZoventaApp theApp;
CResourceModule& theResources = ModuleResources::Build();
CModuleRegistration theRegistration(theApp, theResources);

}  // namespace
