// The global hot keys of the main window: ten copy keys (modifier + '0'..'9',
// ids 0 to 9) and the activation key (id 10).
#pragma once
#include <windows.h>

namespace lexidrop {

constexpr int kFirstCopyHotKey = 0;
constexpr int kLastCopyHotKey = 9;
constexpr int kActivateHotKey = 10;

// Registers the activation key when `actMod` is nonzero and the ten copy keys
// when `setClipMod` is nonzero. A combination another program holds simply
// does not work.
void RegisterHotKeys(HWND window, UINT actMod, UINT actVKey, UINT setClipMod);
// Unregisters all eleven ids, registered or not.
void UnregisterHotKeys(HWND window);

}  // namespace lexidrop
