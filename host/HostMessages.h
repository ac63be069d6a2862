#pragma once

#include "framework/CString.h"
#include "host/TarnocApi.h"

// Numbers of the host's own string resources.
enum HostStringId : unsigned {
  IDS_HOST_SELECT_SLAVE_AXES = 20037,  // an X or Y slave axis is missing
  IDS_HOST_INVALID_ENTRY = 20048,      // one %s: the name of a parameter-text entry
};

namespace HostMessages {
// The message for one faulty entry of a parameter text: string 20048 formatted with the entry's
// name, ending in CR LF like every reader's message. Motion kinds report their own checks of an
// entry with it too.
TARNOC_API CString InvalidEntry(const char* name);
}  // namespace HostMessages
