#include "host/CMC_Setup.h"
#include "motion/KeyNames.h"
#include "plugin/ExportBoundary.h"
#include "plugin/ModuleExports.h"

namespace {

const char kClassName[] = "Motion";
const char kName[] = "Vector Mode";
constexpr int kOrderID = 0x1007;

}  // namespace

MODULE_EXPORT const char* GetClassName() { return kClassName; }

MODULE_EXPORT const char* GetName() { return kName; }

MODULE_EXPORT int GetOrderID() { return kOrderID; }

// A vector motion needs a motion controller that defines the variables its program uses.
MODULE_EXPORT int IsEnabled(CMC_Setup* setup) {
  return RunExport(0, [&] {
    if (!setup->IsMotionController()) return 0;
    for (Key variable : {Key::CACC, Key::CSPD, Key::TPOS, Key::NLINESTAN})
      if (setup->FindVariable(KeyName(variable), FV_EXACT_NAME) == nullptr) return 0;
    return 1;
  });
}
