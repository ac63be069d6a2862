#include "host/HostDialogs.h"

#include "framework/dialog/DialogTemplate.h"
#include "framework/dialog/WindowMessages.h"

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kVisibleTab = WS_VISIBLE | WS_TABSTOP;

}  // namespace

const DialogTemplate& HostDialogs::EventTypeTemplate() {
  static const DialogTemplate dialog{
      "Start Event",
      {0, 0, 160, 62},
      kDialogStyle,
      "MS Sans Serif",
      8,
      {
          {-1, ControlKind::Static, "Start the motion on", {7, 9, 70, 8}, WS_VISIBLE | SS_LEFT},
          {IDC_EVENT_KIND, ControlKind::ComboBox, "", {80, 7, 73, 40}, kVisibleTab | CBS_DROPDOWNLIST},
          {IDOK, ControlKind::PushButton, "OK", {28, 38, 50, 14}, kVisibleTab | BS_DEFPUSHBUTTON},
          {IDCANCEL, ControlKind::PushButton, "Cancel", {84, 38, 50, 14}, kVisibleTab},
      },
      {{IDC_EVENT_KIND, {"digital input level", "delay"}}},
  };
  return dialog;
}

const DialogTemplate& HostDialogs::EventSettingsTemplate() {
  static const DialogTemplate dialog{
      "Start Event",
      {0, 0, 160, 80},
      kDialogStyle,
      "MS Sans Serif",
      8,
      {
          {IDC_EVENT_INPUT_LABEL, ControlKind::Static, "Digital input (1 to 32)", {7, 9, 80, 8}, WS_VISIBLE},
          {IDC_EVENT_INPUT, ControlKind::Edit, "", {95, 7, 58, 14}, kVisibleTab | WS_BORDER | ES_AUTOHSCROLL},
          {IDC_EVENT_LEVEL_LABEL, ControlKind::Static, "Level", {7, 27, 80, 8}, WS_VISIBLE},
          {IDC_EVENT_LEVEL, ControlKind::ComboBox, "", {95, 25, 58, 40}, kVisibleTab | CBS_DROPDOWNLIST},
          {IDC_EVENT_DELAY_LABEL, ControlKind::Static, "Delay [ms]", {7, 45, 80, 8}, WS_VISIBLE},
          {IDC_EVENT_DELAY, ControlKind::Edit, "", {95, 43, 58, 14}, kVisibleTab | WS_BORDER | ES_AUTOHSCROLL},
          {IDOK, ControlKind::PushButton, "OK", {28, 62, 50, 14}, kVisibleTab | BS_DEFPUSHBUTTON},
          {IDCANCEL, ControlKind::PushButton, "Cancel", {84, 62, 50, 14}, kVisibleTab},
      },
      {{IDC_EVENT_LEVEL, {"low", "high"}}},
  };
  return dialog;
}
