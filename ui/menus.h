// The program's edits of the main window's system menu and the tray popup.
#pragma once
#include <windows.h>

namespace lexidrop {

// Greys the settings and About items of `menu` while a modal dialog runs and
// enables them otherwise. Items the menu lacks are skipped.
void UpdateMenuStates(HMENU menu, int modalDialog);

// Removes restore, minimise and maximise from the window's system menu, puts
// help, settings, About and a separator at its top and the close items at its
// end.
void SetupSystemMenu(HWND window, int xExit);

// Rebuilds the last two items of the system menu: with `xExit` set, "hide"
// then "exit" on Alt+F4 (SC_CLOSE); otherwise "hide" on Alt+F4, then "exit".
void UpdateCloseItems(HWND window, int xExit);

// Opens the tray popup (menu resource 129) at the cursor. The chosen command
// reaches `window` as WM_COMMAND.
void ShowTrayMenu(HWND window, int modalDialog);

}  // namespace lexidrop
