#include "host/HostMessages.h"

#include "framework/ResourceChain.h"
#include "framework/ResourceModule.h"
#include "host/HostDialogs.h"

namespace {

// The host's string table and dialogs join the process's resource chain while the library is loaded, so
// that modules find the host's messages through the same lookup as their own resources.
struct HostStringTable {
  CResourceModule resources;

  HostStringTable() {
    resources.AddString(IDS_HOST_SELECT_SLAVE_AXES, "Select a slave axis for X and for Y.");
    resources.AddString(IDS_HOST_INVALID_ENTRY, "The parameter \"%s\" is missing or not valid.");
    resources.AddDialogTemplate(IDD_HOST_EVENT_TYPE, &HostDialogs::EventTypeTemplate());
    resources.AddDialogTemplate(IDD_HOST_EVENT_SETTINGS, &HostDialogs::EventSettingsTemplate());
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
