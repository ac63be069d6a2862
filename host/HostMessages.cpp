#include "host/HostMessages.h"

#include "framework/ResourceChain.h"
#include "framework/ResourceModule.h"

namespace {

// The host's string table joins the process's resource chain while the library is loaded, so
// that modules find the host's messages through the same lookup as their own resources.
struct HostStringTable {
  CResourceModule resources;

  HostStringTable() {
    resources.AddString(IDS_HOST_SELECT_SLAVE_AXES, "Select a slave axis for X and for Y.");
    resources.AddString(IDS_HOST_INVALID_ENTRY, "The parameter \"%s\" is missing or not valid.");
    AfxRegisterResourceModule(&resources);
  }
  ~HostStringTable() { AfxUnregisterResourceModule(&resources); }
};

const HostStringTable theHostStrings;

}  // namespace

CString HostMessages::InvalidEntry(const char* name) {
  CString format;
  format.LoadString(IDS_HOST_INVALID_ENTRY);
  CString message;
  message.Format(format, name);
  message += "\r\n";
  return message;
}
