#pragma once

#include "framework/CString.h"

// Reads "key=whole number" entries for every host object that keeps radio entries.
namespace RadioReader {

// The entry's value within [min, max]; a message for a missing, repeated, malformed or
// out-of-range entry, and `value` unchanged.
CString Read(const CString& text, const char* key, int min, int max, int& value);

// Like Read, but a missing entry is no fault: it sets `value` to `min` and returns no message.
CString ReadOptional(const CString& text, const char* key, int min, int max, int& value);

}  // namespace RadioReader
