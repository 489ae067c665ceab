// Texts of the program's string table, in the ANSI code page.
#pragma once
#include <windows.h>

#include <string>

namespace lexidrop {

// The string `id` of `module`'s string table, or "" when there is none.
std::string LoadResourceText(HINSTANCE module, UINT id);

}  // namespace lexidrop
