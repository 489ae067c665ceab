#include "win32/program_folder.h"

#include <windows.h>

namespace lexidrop {

std::size_t LastSeparator(const char* path)
{
    std::size_t separator = std::string::npos;
    for (const char* p = path; *p != '\0'; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/') separator = static_cast<std::size_t>(p - path);
    }
    return separator;
}

std::string ProgramFolder()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    const std::size_t separator = LastSeparator(path);
    if (separator == std::string::npos) return {};
    return std::string(path, separator + 1);
}

}  // namespace lexidrop
