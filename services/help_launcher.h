// Opening the help file "Lexidrop.chm" through the HTML Help control, which is
// loaded at run time on the first request and kept for the rest of the process.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "services/help_control_cache.h"

namespace lexidrop {

// HH_HELP_CONTEXT: open the help file at the topic mapped to a context id.
inline constexpr UINT kHelpContextCommand = 15;
// The program's help file, which lies beside the program.
inline constexpr const char* kHelpFileName = "Lexidrop.chm";
// Context ids of the help topics.
inline constexpr DWORD kHelpContextMain = 2;
inline constexpr DWORD kHelpContextSettings = 14;

// Where the system registers the HTML Help control (below HKEY_CLASSES_ROOT).
inline constexpr const char* kHelpControlServerKey =
    "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

// The control found through the registry and loaded with LoadLibraryA.
class RegistryHelpControlLoader : public HelpControlLoader {
public:
    explicit RegistryHelpControlLoader(const char* serverKey = kHelpControlServerKey) : serverKey_(serverKey)
    {
    }

    // The key's default value, taken as it is stored (no expansion); nothing
    // when the key or value is missing, longer than MAX_PATH bytes or not
    // terminated.
    std::optional<std::string> RegisteredPath() override;
    void* LoadLibraryFrom(const std::string& path) override;
    void* EntryByOrdinal(void* library, unsigned ordinal) override;

private:
    const char* serverKey_;
};

// Forwards one HTML Help call through `cache`, loading the control with
// `loader` when needed. Returns the control's result, or null when the control
// is unavailable.
HWND CallHtmlHelp(HelpControlCache& cache, HelpControlLoader& loader, HWND caller, const char* file,
                  UINT command, DWORD_PTR data);

// The same with the process's one cache and the registry loader.
HWND CallHtmlHelp(HWND caller, const char* file, UINT command, DWORD_PTR data);

// The help file's full path in the folder of the running program; the bare
// file name when the program's path is unknown.
std::string HelpFilePath();

// Opens the help file at `contextId`, with no owner window. Returns the help
// window, or null.
HWND ShowHelp(DWORD contextId);

}  // namespace lexidrop
