#include "ui/hot_keys.h"

namespace lexidrop {

void RegisterHotKeys(HWND window, UINT actMod, UINT actVKey, UINT setClipMod)
{
    if (actMod != 0) {
        RegisterHotKey(window, kActivateHotKey, actMod, actVKey);
    }
    if (setClipMod != 0) {
        for (int n = kFirstCopyHotKey; n <= kLastCopyHotKey; ++n) {
            RegisterHotKey(window, n, setClipMod, '0' + n);
        }
    }
}

void UnregisterHotKeys(HWND window)
{
    for (int n = kFirstCopyHotKey; n <= kActivateHotKey; ++n) {
        UnregisterHotKey(window, n);
    }
}

}  // namespace lexidrop
