#pragma once

#include "framework/CWinApp.h"

// The module's application object: one per loaded module, constructed on load and destroyed on
// unload. The module has no start-up or shut-down work of its own.
class CZoventaApp : public CWinApp {
 public:
  CZoventaApp();
};
