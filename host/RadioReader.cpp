#include "host/RadioReader.h"

#include "host/HostMessages.h"
#include "host/ParameterText.h"

namespace {

CString ReadEntry(const CString& text, const char* key, int min, int max, int& value, bool optional) {
  ParameterText::Entry entry;
  const ParameterText::Lookup lookup = ParameterText::Find(text, key, entry);
  if (lookup == ParameterText::Lookup::Missing && optional) {
    value = min;
    return CString();
  }
  long long number = 0;
  if (lookup != ParameterText::Lookup::Found || entry.hasUnit || !ParameterText::ParseInteger(entry.value, number) ||
      number < min || number > max)
    return HostMessages::InvalidEntry(key);
  value = static_cast<int>(number);
  return CString();
}

}  // namespace

CString RadioReader::Read(const CString& text, const char* key, int min, int max, int& value) {
  return ReadEntry(text, key, min, max, value, false);
}

CString RadioReader::ReadOptional(const CString& text, const char* key, int min, int max, int& value) {
  return ReadEntry(text, key, min, max, value, true);
}
