// Resource and command identifiers shared by the resource script and the code.
#pragma once

#define IDI_LEXIDROP 146
#define IDI_TRAY_W2K 157
#define IDC_HAND_LINK 131
#define IDD_ABOUT 103
#define IDD_SETTINGS 136
#define IDR_TRAY_MENU 129

#define IDM_ABOUT 105
#define IDM_EXIT 106
#define IDM_SHOW 32771
#define IDM_HIDE 32772
#define IDM_SETTINGS 32773
#define IDM_HELP 32774

// The main window's class, the child id of its reading list and the message of
// its tray icon: what outside tools look for.
#define LEXIDROP_WINDOW_CLASS "ZeLexidropWindowClass"
#define IDC_READING_LIST 200
#define WM_LEXIDROP_TRAY_NOTIFY (WM_APP + 10)
