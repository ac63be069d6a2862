#include "editor/EditorTemplate.h"

#include "editor/EditorControlIds.h"
#include "framework/dialog/DialogTemplate.h"
#include "framework/dialog/WindowMessages.h"

namespace {

constexpr DWORD kVisible = WS_VISIBLE;
constexpr DWORD kTab = WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kCheckBox = kTab | BS_AUTOCHECKBOX;
constexpr DWORD kRadio = kVisible | BS_AUTORADIOBUTTON;
constexpr DWORD kDropDown = kTab | CBS_DROPDOWNLIST;
constexpr DWORD kValueEdit = kTab | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kLabel = kVisible | SS_RIGHT;

}  // namespace

const DialogTemplate& EditorTemplate() {
  static const DialogTemplate dialog{
      "Motion - Vector Mode",
      {0, 0, 383, 332},
      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CONTEXTHELP,
      "MS Sans Serif",
      8,
      {
          {-1, ControlKind::GroupBox, "Configuration", {6, 7, 242, 57}, kVisible},
          {IDC_CONFIGURE_MODE, ControlKind::CheckBox, "Set X, Y and tangent axes", {31, 18, 99, 10}, kCheckBox},
          {IDC_CLEAR_BUFFER, ControlKind::CheckBox, "Clear Buffer", {31, 32, 53, 10}, kCheckBox},
          {IDC_INSERT_END_SEGMENT, ControlKind::CheckBox, "Insert End Segment", {31, 46, 78, 10}, kCheckBox},
          {IDC_SLAVE_X_LABEL, ControlKind::Static, "X-Axis", {149, 17, 20, 8}, kVisible | SS_LEFT},
          {IDC_SLAVE_X, ControlKind::ComboBox, "", {173, 15, 24, 55}, kDropDown | WS_VSCROLL},
          {IDC_SLAVE_Y_LABEL, ControlKind::Static, "Y-Axis", {149, 33, 20, 8}, kVisible | SS_LEFT},
          {IDC_SLAVE_Y, ControlKind::ComboBox, "", {173, 31, 24, 49}, kDropDown},
          {IDC_SLAVE_TANGENT_LABEL, ControlKind::Static, "Tangent Axis", {127, 49, 42, 8}, kVisible | SS_LEFT},
          {IDC_SLAVE_TANGENT, ControlKind::ComboBox, "", {173, 47, 36, 45}, kDropDown},
          {-1, ControlKind::GroupBox, "Trajectory", {6, 65, 242, 136}, kVisible},
          {IDC_ACC_CHECK, ControlKind::CheckBox, "Vector acceleration", {23, 76, 77, 10}, kCheckBox},
          {IDC_ACC_VALUE, ControlKind::Edit, "", {109, 74, 60, 14}, kValueEdit},
          {IDC_ACC_UNIT, ControlKind::ComboBox, "", {174, 75, 55, 66}, kDropDown},
          {IDC_SPEED_CHECK, ControlKind::CheckBox, "Vector speed", {23, 91, 58, 10}, kCheckBox},
          {IDC_SPEED_VALUE, ControlKind::Edit, "", {109, 89, 60, 14}, kValueEdit},
          {IDC_SPEED_UNIT, ControlKind::ComboBox, "", {174, 90, 55, 66}, kDropDown},
          {-1, ControlKind::Static, "Type of Segment", {47, 106, 55, 8}, kLabel},
          {IDC_SEGMENT_TYPE, ControlKind::ComboBox, "", {109, 104, 60, 51}, kDropDown},
          {IDC_FIRST_LABEL, ControlKind::Static, "Position increment on axis &X", {14, 121, 89, 8}, kLabel},
          {IDC_FIRST_VALUE, ControlKind::Edit, "", {109, 118, 60, 14}, kValueEdit},
          {IDC_FIRST_UNIT, ControlKind::ComboBox, "", {174, 119, 55, 66}, kDropDown},
          {IDC_SECOND_LABEL, ControlKind::Static, "Position increment on axis &Y", {14, 136, 89, 8}, kLabel},
          {IDC_SECOND_VALUE, ControlKind::Edit, "", {109, 133, 60, 14}, kValueEdit},
          {IDC_SECOND_UNIT, ControlKind::ComboBox, "", {174, 134, 55, 66}, kDropDown},
          {IDC_ANGLE_INCREMENT_LABEL, ControlKind::Static, "Angle increment Ai", {23, 151, 79, 8}, kLabel},
          {IDC_ANGLE_INCREMENT_VALUE, ControlKind::Edit, "", {109, 148, 60, 14}, kValueEdit},
          {IDC_ANGLE_INCREMENT_UNIT, ControlKind::ComboBox, "", {174, 149, 55, 66}, kDropDown},
          {IDC_PREVIOUS, ControlKind::PushButton, "Previous", {20, 166, 50, 14}, kTab},
          {IDC_NEXT, ControlKind::PushButton, "Next", {74, 166, 50, 14}, kTab},
          {IDC_MOVE_UP, ControlKind::PushButton, "Move Up", {128, 166, 50, 14}, kTab},
          {IDC_MOVE_DOWN, ControlKind::PushButton, "Move Down", {182, 166, 50, 14}, kTab},
          {IDC_INSERT_ABOVE, ControlKind::PushButton, "Insert Above", {20, 183, 50, 14}, kTab},
          {IDC_INSERT_BELOW, ControlKind::PushButton, "Insert Below", {74, 183, 50, 14}, kTab},
          {IDC_UPDATE, ControlKind::PushButton, "&Update", {128, 183, 50, 14}, kTab},
          {IDC_REMOVE, ControlKind::PushButton, "&Remove", {182, 183, 50, 14}, kTab},
          {IDC_TABLE_HEADER, ControlKind::Static, "HEADER1\nHEADER2", {6, 203, 371, 18}, kVisible | SS_LEFT},
          {IDC_SEGMENT_LIST, ControlKind::ListBox, "", {3, 220, 377, 91},
           kTab | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT},
          {IDC_IMPORT, ControlKind::PushButton, "I&mport From File", {314, 194, 66, 14}, kTab},
          {-1, ControlKind::GroupBox, "Execute", {254, 7, 122, 126}, kVisible},
          {IDC_EXECUTE_IMMEDIATE, ControlKind::RadioButton, "&Immediate", {258, 20, 46, 10}, kRadio | WS_GROUP},
          {IDC_EXECUTE_ON_EVENT, ControlKind::RadioButton, "&On event", {258, 48, 45, 10}, kRadio},
          {IDC_CHANGE_EVENT, ControlKind::PushButton, "Change Event", {308, 40, 60, 12}, kTab},
          {IDC_EDIT_EVENT, ControlKind::PushButton, "Edit Event", {308, 54, 60, 12}, kTab},
          {IDC_EVENT_DESCRIPTION, ControlKind::Edit, "", {258, 71, 114, 38},
           kVisible | ES_MULTILINE | ES_READONLY | WS_BORDER},
          {IDC_WAIT_FOR_COMPLETION, ControlKind::CheckBox, "Then wait until motion is completed", {258, 112, 108, 16},
           kCheckBox | BS_MULTILINE},
          {IDOK, ControlKind::PushButton, "OK", {96, 314, 50, 14}, kTab | BS_DEFPUSHBUTTON},
          {IDCANCEL, ControlKind::PushButton, "Cancel", {162, 314, 50, 14}, kTab},
          {ID_HELP, ControlKind::PushButton, "Help", {228, 314, 50, 14}, kTab},
      },
      {{IDC_SLAVE_X, {" "}}, {IDC_SLAVE_Y, {" "}}, {IDC_SLAVE_TANGENT, {" "}}, {IDC_SEGMENT_TYPE, {" "}}},
  };
  return dialog;
}
