#include "ui/menus.h"

#include <cstddef>
#include <string>

#include "win32/resource_text.h"
#include "res/resource.h"
#include "res/string_ids.h"
#include "win32/scoped_win.h"

namespace lexidrop {
namespace {

// The item structure as first published (without hbmpItem), 44 bytes on
// 32-bit Windows; every version accepts it.
constexpr UINT kMenuItemInfoSize = offsetof(MENUITEMINFOA, hbmpItem);
#ifndef _WIN64
static_assert(kMenuItemInfoSize == 44, "MENUITEMINFOA without hbmpItem");
#endif

HINSTANCE ModuleOf(HWND window)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

MENUITEMINFOA StringItem(UINT command, std::string& text)
{
    MENUITEMINFOA item{};
    item.cbSize = kMenuItemInfoSize;
    item.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
    item.fType = MFT_STRING;
    item.fState = 0;
    item.wID = command;
    item.dwTypeData = text.data();
    item.cch = static_cast<UINT>(text.size());
    return item;
}

void InsertString(HMENU menu, UINT position, UINT command, HINSTANCE module, UINT textId)
{
    std::string text = LoadResourceText(module, textId);
    MENUITEMINFOA item = StringItem(command, text);
    InsertMenuItemA(menu, position, TRUE, &item);
}

void InsertSeparator(HMENU menu, UINT position)
{
    MENUITEMINFOA item{};
    item.cbSize = kMenuItemInfoSize;
    item.fMask = MIIM_TYPE;
    item.fType = MFT_SEPARATOR;
    InsertMenuItemA(menu, position, TRUE, &item);
}

void SetGreyed(HMENU menu, UINT command, bool greyed)
{
    MENUITEMINFOA item{};
    item.cbSize = kMenuItemInfoSize;
    item.fMask = MIIM_STATE;
    if (!GetMenuItemInfoA(menu, command, FALSE, &item)) {
        return;
    }
    if (greyed) {
        item.fState |= MFS_GRAYED;
    } else {
        item.fState &= ~static_cast<UINT>(MFS_GRAYED);
    }
    SetMenuItemInfoA(menu, command, FALSE, &item);
}

}  // namespace

void UpdateMenuStates(HMENU menu, int modalDialog)
{
    SetGreyed(menu, IDM_SETTINGS, modalDialog != 0);
    SetGreyed(menu, IDM_ABOUT, modalDialog != 0);
}

void SetupSystemMenu(HWND window, int xExit)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    if (menu == nullptr) {
        return;
    }
    DeleteMenu(menu, SC_RESTORE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MINIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    const HINSTANCE module = ModuleOf(window);
    // Each goes before the previous one: help, settings, About, separator.
    InsertSeparator(menu, 0);
    InsertString(menu, 0, IDM_ABOUT, module, IDS_MENU_ABOUT);
    InsertString(menu, 0, IDM_SETTINGS, module, IDS_MENU_SETTINGS);
    InsertString(menu, 0, IDM_HELP, module, IDS_MENU_HELP);
    UpdateCloseItems(window, xExit);
}

void UpdateCloseItems(HWND window, int xExit)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    if (menu == nullptr) {
        return;
    }
    DeleteMenu(menu, SC_CLOSE, MF_BYCOMMAND);
    DeleteMenu(menu, IDM_HIDE, MF_BYCOMMAND);
    DeleteMenu(menu, IDM_EXIT, MF_BYCOMMAND);
    int count = GetMenuItemCount(menu);
    if (count < 0) {
        count = 0;
    }
    const UINT end = static_cast<UINT>(count);
    const HINSTANCE module = ModuleOf(window);
    // The exit item first, then the hide item before it at the same position.
    if (xExit != 0) {
        InsertString(menu, end, SC_CLOSE, module, IDS_MENU_EXIT_ALT_F4);
        InsertString(menu, end, IDM_HIDE, module, IDS_MENU_HIDE);
    } else {
        InsertString(menu, end, IDM_EXIT, module, IDS_MENU_EXIT);
        InsertString(menu, end, SC_CLOSE, module, IDS_MENU_HIDE_ALT_F4);
    }
}

void ShowTrayMenu(HWND window, int modalDialog)
{
    const ScopedMenu menu(LoadMenuA(ModuleOf(window), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
    if (menu.Get() == nullptr) {
        return;
    }
    HMENU popup = GetSubMenu(menu.Get(), 0);
    if (popup == nullptr) {
        return;
    }
    UpdateMenuStates(popup, modalDialog);
    if (IsWindowVisible(window)) {
        std::string text = LoadResourceText(ModuleOf(window), IDS_MENU_HIDE);
        MENUITEMINFOA item = StringItem(IDM_HIDE, text);
        SetMenuItemInfoA(popup, IDM_SHOW, FALSE, &item);
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    // The foreground owner lets the popup close when the user clicks elsewhere.
    SetForegroundWindow(window);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
    // Lets the popup's window finish its work before the menu is destroyed.
    SendMessageA(window, WM_NULL, 0, 0);
}

}  // namespace lexidrop
