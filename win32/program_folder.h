// The folder of the running program, where its data files (dictionary, help
// file) are kept.
#pragma once
#include <cstddef>
#include <string>

namespace lexidrop {

// The folder of the running program with its trailing backslash, in the ANSI
// code page; "" when the path is unknown or too long.
std::string ProgramFolder();

// The last separator of `path` (backslash or slash) found by walking it by
// characters, so a Shift-JIS trail byte equal to a backslash is never taken
// for one; npos when there is none.
std::size_t LastSeparator(const char* path);

}  // namespace lexidrop
