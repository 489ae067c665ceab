// The module a window belongs to, for loading its resources.
#pragma once
#include <windows.h>

namespace lexidrop {

// The module instance a window was created from.
HINSTANCE WindowInstance(HWND window);

}  // namespace lexidrop
