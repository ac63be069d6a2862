#pragma once

#include "framework/CString.h"

// The syntax of a parameter text: one entry per line, "Key=value" for a whole number and
// "Name[unit]=v1, v2, ..." for a list of values in a unit. Lines may end in LF or CR LF;
// lines the module does not ask for are ignored, and so is a UTF-8 byte-order mark that
// starts the text.
namespace ParameterText {

struct Entry {
  bool hasUnit = false;  // written with a "[unit]" part, possibly empty
  CString unit;
  CString value;  // without surrounding blanks
};

enum class Lookup { Found, Missing, Duplicate, Malformed };

// Finds the one line whose key is `key`. A line that starts with the key but does not
// continue with "=" or "[unit]=" is Malformed; a key on two lines is a Duplicate.
Lookup Find(const CString& text, const char* key, Entry& entry);

// A whole number as written in a radio entry: optional sign and decimal digits, nothing else.
bool ParseInteger(const CString& value, long long& number);

void AppendRadio(CString& text, const char* key, int value);
void AppendList(CString& text, const char* name, const char* unit, const char* values);

}  // namespace ParameterText
