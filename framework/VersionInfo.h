#pragma once

#include "framework/CString.h"

struct VersionInfo {
  CString fileVersion;
  CString productVersion;
  CString fileDescription;
};
