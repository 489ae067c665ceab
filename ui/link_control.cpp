#include "ui/link_control.h"

#include <richedit.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "win32/window_instance.h"
#include "win32/scoped_win.h"

namespace lexidrop {

namespace {

// The rich edit 1.0 layout of the character format: 60 bytes.
static_assert(sizeof(CHARFORMATA) == 60);

bool KeyDown(const BYTE (&keys)[256], int virtualKey)
{
    return (keys[virtualKey] & 0x80) != 0;
}

void OpenWithShell(const char* target)
{
    ShellExecuteA(nullptr, nullptr, target, nullptr, nullptr, SW_SHOWDEFAULT);
}

}  // namespace

LRESULT LinkControl::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_SETCURSOR:
            return OnSetCursor(window, message, wParam, lParam);
        case WM_LBUTTONDOWN:
            return OnButtonDown(window, message, wParam, lParam);
        default:
            return WindowObject::HandleMessage(window, message, wParam, lParam);
    }
}

LRESULT LinkControl::OnClick(WPARAM wParam, LPARAM lParam)
{
    return WindowObject::HandleMessage(Window(), WM_LBUTTONDOWN, wParam, lParam);
}

int LinkControl::Install(HWND dialog, int controlId, int cursorId)
{
    if (dialog == nullptr) return 0;
    const HWND control = GetDlgItem(dialog, LOWORD(controlId));
    if (control == nullptr) return 0;
    Attach(control);
    text_ = linkText_;
    cursor_ = LoadCursorA(WindowInstance(dialog), MAKEINTRESOURCEA(cursorId));

    SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(control, EM_SETBKGNDCOLOR, 0, GetSysColor(COLOR_BTNFACE));
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(control, EM_GETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    format.dwMask = CFM_COLOR | CFM_UNDERLINE;
    format.dwEffects = CFE_UNDERLINE;  // also clears the automatic colour
    format.crTextColor = colour_;
    SendMessageA(control, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SetWindowTextA(control, text_);
    // Some rich edit versions give replaced text the default format again
    // (Wine's does): format the text itself once more.
    SendMessageA(control, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    return 1;
}

int LinkControl::IsCursorOverText()
{
    if (Window() == nullptr) return 0;
    POINT point;
    if (!GetCursorPos(&point) || !ScreenToClient(Window(), &point)) return 0;
    if (!MeasureText()) return 0;
    return point.x >= hitRect_.left && point.x < hitRect_.right && point.y >= hitRect_.top &&
                   point.y < hitRect_.bottom
               ? 1
               : 0;
}

bool LinkControl::MeasureText()
{
    if (Window() == nullptr || text_ == nullptr || *text_ == '\0') return false;
    const ScopedGetDC dc(Window());
    if (dc.Get() == nullptr) return false;
    SIZE size;
    const bool measured =
        GetTextExtentPoint32A(dc.Get(), text_, static_cast<int>(std::strlen(text_)), &size) != 0;
    if (measured) hitRect_ = {0, 0, size.cx, size.cy};
    return measured;
}

LRESULT LinkControl::OnSetCursor(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (Window() == nullptr) return 0;
    BYTE keys[256];
    if (cursor_ != nullptr && GetKeyboardState(keys) && IsCursorOverText() && !KeyDown(keys, VK_SHIFT) &&
        !KeyDown(keys, VK_CONTROL)) {
        SetCursor(cursor_);
        return 0;
    }
    return WindowObject::HandleMessage(window, message, wParam, lParam);
}

LRESULT LinkControl::OnButtonDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (Window() == nullptr) return 0;
    if (IsCursorOverText() && (wParam & (MK_SHIFT | MK_CONTROL)) == 0) {
        return OnClick(wParam, lParam);
    }
    return WindowObject::HandleMessage(window, message, wParam, lParam);
}

UrlLink::UrlLink() : LinkControl(kHomePageUrl, kUrlColour) {}

LRESULT UrlLink::OnClick(WPARAM, LPARAM)
{
    OpenWithShell(Text());
    return 0;
}

MailLink::MailLink() : LinkControl(kMailAddress, kMailColour) {}

LRESULT MailLink::OnClick(WPARAM, LPARAM)
{
    const std::string target = std::string("mailto:") + Text();
    OpenWithShell(target.c_str());
    return 0;
}

}  // namespace lexidrop
