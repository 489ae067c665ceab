// Texts the dialogs take from the program's resources.
#pragma once
#include <windows.h>

#include <string>

namespace lexidrop {

// The string `id` of `module`'s string table in the ANSI code page, or "".
std::string LoadDialogText(HINSTANCE module, UINT id);

// The module instance a window was created from.
HINSTANCE WindowInstance(HWND window);

}  // namespace lexidrop
