#pragma once

#include "framework/CString.h"

// Numbers of the host's own string resources.
enum HostStringId : unsigned {
  IDS_HOST_SELECT_SLAVE_AXES = 20037,  // an X or Y slave axis is missing
  IDS_HOST_INVALID_ENTRY = 20048,      // one %s: the name of a parameter-text entry
};

namespace HostMessages {
// The message for one faulty entry of a parameter text, ending in CR LF like every reader's.
CString InvalidEntry(const char* name);
}  // namespace HostMessages
