#pragma once

#include "framework/CString.h"

class CMC_Setup;
class CMC_Motion;

// The module's whole contract with the host: seven functions under plain C names. The host
// finds them by name, so these types are what it casts the looked-up addresses to.
#define MODULE_EXPORT extern "C" __attribute__((visibility("default")))

using GetClassNameFn = const char* (*)();
using GetNameFn = const char* (*)();
using GetOrderIDFn = int (*)();
using IsEnabledFn = int (*)(CMC_Setup* setup);
using GetDefaultParametersFn = void (*)(CMC_Setup& setup, CMC_Motion& motion, CString& text);
using TranslateMotionSequenceFn = int (*)(CMC_Setup& setup, CMC_Motion& motion, CString& parameters, CString& result);
using EditMotionSequenceFn = int (*)(CMC_Setup& setup, CMC_Motion& motion, CString& text);
