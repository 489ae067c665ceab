// Under Wine the desktop process starts with the first program that needs it,
// and its X11 clipboard bridge, once initialised, replaces the clipboard with
// the X selection (empty on a private Xvfb). A text put on the clipboard
// before that moment is lost about a second later. Tests that use the
// clipboard wait for the bridge first; on Windows there is none to wait for.
#pragma once
#include <windows.h>

namespace e2e {

inline void WaitForDesktopClipboardBridge()
{
    GetDesktopWindow();  // starts the desktop process when none runs
    HWND bridge = nullptr;
    for (int i = 0; i < 500 && bridge == nullptr; ++i) {
        bridge = FindWindowExA(HWND_MESSAGE, nullptr, "__wine_clipboard_manager", nullptr);
        if (bridge == nullptr) Sleep(20);
    }
    // The bridge's thread takes messages only after its initial import.
    DWORD_PTR answer = 0;
    if (bridge != nullptr) SendMessageTimeoutA(bridge, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
}

}  // namespace e2e
