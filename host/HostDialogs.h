#pragma once

#include "framework/Types.h"

struct DialogTemplate;

// The host's own small dialogs, which the library registers with its string table.
enum HostDialogId : UINT {
  IDD_HOST_EVENT_TYPE = 20200,
  IDD_HOST_EVENT_SETTINGS = 20201,
};

// Controls of the host's dialogs.
enum HostControlId : int {
  IDC_EVENT_KIND = 1001,
  IDC_EVENT_INPUT = 1002,
  IDC_EVENT_LEVEL = 1003,
  IDC_EVENT_DELAY = 1004,
  IDC_EVENT_INPUT_LABEL = 1005,
  IDC_EVENT_LEVEL_LABEL = 1006,
  IDC_EVENT_DELAY_LABEL = 1007,
};

namespace HostDialogs {
const DialogTemplate& EventTypeTemplate();
const DialogTemplate& EventSettingsTemplate();
}  // namespace HostDialogs
