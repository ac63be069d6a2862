#pragma once

#include "framework/Types.h"

// What kind of control a dialog template entry creates. The kind decides which messages the
// control answers and how a user reaches it.
enum class ControlKind { Dialog, PushButton, CheckBox, RadioButton, GroupBox, Static, Edit, ComboBox, ListBox };

// Style bits of dialogs and controls. Only the bits that change behaviour or appearance here
// are defined; the values are the conventional ones.
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;

constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_CONTEXTHELP = 0x2000;

constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_MULTILINE = 0x2000;

constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_RIGHT = 0x0002;

constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;

constexpr DWORD CBS_DROPDOWNLIST = 0x0003;

constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
