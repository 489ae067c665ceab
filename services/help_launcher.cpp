#include "services/help_launcher.h"

#include "win32/program_folder.h"
#include "win32/scoped_win.h"

#include <cstring>

namespace lexidrop {

namespace {

using HtmlHelpEntry = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The process's one help control cache; it lives as long as the process.
HelpControlCache& ProcessHelpCache()
{
    static HelpControlCache cache;
    return cache;
}

}  // namespace

std::optional<std::string> RegistryHelpControlLoader::RegisteredPath()
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, serverKey_, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    const ScopedKey key(opened);
    char buffer[MAX_PATH] = {};
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key.Get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // A value of any type is taken as a path, but only up to a terminating zero
    // inside what was read: a full buffer without one is not a usable path.
    const void* end = std::memchr(buffer, '\0', size);
    if (end == nullptr || end == buffer) return std::nullopt;
    return std::string(buffer);
}

void* RegistryHelpControlLoader::LoadLibraryFrom(const std::string& path)
{
    return LoadLibraryA(path.c_str());
}

void* RegistryHelpControlLoader::EntryByOrdinal(void* library, unsigned ordinal)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), MAKEINTRESOURCEA(ordinal)));
}

HWND CallHtmlHelp(HelpControlCache& cache, HelpControlLoader& loader, HWND caller, const char* file,
                  UINT command, DWORD_PTR data)
{
    void* entry = cache.Entry(loader);
    if (entry == nullptr) return nullptr;
    return reinterpret_cast<HtmlHelpEntry>(entry)(caller, file, command, data);
}

HWND CallHtmlHelp(HWND caller, const char* file, UINT command, DWORD_PTR data)
{
    RegistryHelpControlLoader loader;
    return CallHtmlHelp(ProcessHelpCache(), loader, caller, file, command, data);
}

std::string HelpFilePath()
{
    // A bare name would be resolved against the current directory, which is
    // the program's folder only when it was started from there (not, for
    // instance, when it starts with the session).
    return ProgramFolder() + kHelpFileName;
}

HWND ShowHelp(DWORD contextId)
{
    const std::string file = HelpFilePath();
    return CallHtmlHelp(nullptr, file.c_str(), kHelpContextCommand, contextId);
}

}  // namespace lexidrop
