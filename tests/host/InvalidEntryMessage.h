#pragma once

#include "framework/CString.h"

// The host's message for one faulty entry of a parameter text, spelt out here so that any
// change to its wording shows up as a failing test.
inline CString InvalidEntryMessage(const char* name) {
  return CString("The parameter \"") + name + "\" is missing or not valid.\r\n";
}
