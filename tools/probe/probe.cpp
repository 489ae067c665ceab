// lexidrop-probe: looks at a running Lexidrop from outside, the way a user's
// other programs would. Used by the headless run script.
//   lexidrop-probe copy TEXT     put TEXT on the clipboard as Unicode text
//   lexidrop-probe wait [SECS]   wait until the main window exists
//   lexidrop-probe lines         print the list's lines (UTF-8), one per line
//   lexidrop-probe settings [SECS]
//                                open the settings dialog, print its title,
//                                close it with OK and wait until it is gone
//   lexidrop-probe help [SECS]   open the help from the main window's command and
//                                print the help window's title
//   lexidrop-probe open window|settings|about [SECS]
//                                print "x y width height" of the main window, or
//                                open that dialog, leave it open and print its
//                                (for screenshots)
//   lexidrop-probe close         cancel the open dialog
//   lexidrop-probe quit          ask Lexidrop to end (its Exit command)
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

constexpr char kWindowClass[] = LEXIDROP_WINDOW_CLASS;
constexpr int kListControlId = IDC_READING_LIST;
constexpr WPARAM kExitCommand = IDM_EXIT;
constexpr WPARAM kSettingsCommand = IDM_SETTINGS;
constexpr WPARAM kHelpCommand = IDM_HELP;
constexpr WPARAM kAboutCommand = IDM_ABOUT;
constexpr char kHelpWindowClass[] = "HH Parent";
constexpr char kDialogClass[] = "#32770";

// The text argument in its Unicode form: the narrow argv is in the ANSI code
// page, which cannot hold every character the caller may pass.
std::wstring WideArgument(int index)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return {};
    std::wstring text = index < count ? arguments[index] : L"";
    LocalFree(arguments);
    return text;
}

std::string ToUtf8(const std::wstring& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr,
                            nullptr);
    return out;
}

bool Copy(const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) return false;
    std::memcpy(GlobalLock(block), text.c_str(), bytes);
    GlobalUnlock(block);
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            const bool ok = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
            CloseClipboard();
            if (!ok) GlobalFree(block);
            return ok;
        }
        Sleep(100);
    }
    GlobalFree(block);
    return false;
}

HWND WaitForWindow(int seconds)
{
    for (int i = 0; i < seconds * 10; ++i) {
        if (HWND window = FindWindowA(kWindowClass, nullptr)) return window;
        Sleep(100);
    }
    return nullptr;
}

struct WindowSearch {
    const char* className;
    HWND owner;  // when not null, the window must be owned by it
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    // A dialog is shown only after its initialisation, which sets its final title.
    if (processId == search->processId && std::strcmp(className, search->className) == 0 &&
        IsWindowVisible(window) && (!search->owner || GetWindow(window, GW_OWNER) == search->owner)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the class in the main window's process (owned by
// `owner` when given), waited for up to `seconds`; null when none appears.
HWND WaitForWindowOf(HWND mainWindow, const char* className, HWND owner, int seconds)
{
    WindowSearch search{className, owner, 0, nullptr};
    GetWindowThreadProcessId(mainWindow, &search.processId);
    for (int i = 0; i < seconds * 10 && !search.found; ++i) {
        Sleep(100);
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

void PrintTitle(HWND window)
{
    wchar_t title[128] = {};
    GetWindowTextW(window, title, 128);
    std::printf("%s\n", ToUtf8(title).c_str());
}

// Opens the settings dialog from the main window's command, confirms it with
// OK and checks that it closes: a dialog that refuses OK stays open.
int OpenAndCloseSettings(int seconds)
{
    HWND window = FindWindowA(kWindowClass, nullptr);
    if (!window || !PostMessageA(window, WM_COMMAND, kSettingsCommand, 0)) return 1;
    HWND dialog = WaitForWindowOf(window, kDialogClass, window, seconds);
    if (!dialog) {
        std::fprintf(stderr, "the settings dialog did not open\n");
        return 1;
    }
    PrintTitle(dialog);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < seconds * 10; ++i) {
        if (!IsWindow(dialog)) return 0;
        Sleep(100);
    }
    std::fprintf(stderr, "the settings dialog did not close\n");
    return 1;
}

// Opens the help from the main window's command; the help window appears only
// when the help file beside the program was found.
int OpenHelp(int seconds)
{
    HWND window = FindWindowA(kWindowClass, nullptr);
    if (!window || !PostMessageA(window, WM_COMMAND, kHelpCommand, 0)) return 1;
    HWND help = WaitForWindowOf(window, kHelpWindowClass, nullptr, seconds);
    if (!help) {
        std::fprintf(stderr, "no help window\n");
        return 1;
    }
    PrintTitle(help);
    return 0;
}

void PrintRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// Opens the settings or About dialog from the main window's command and leaves
// it open; prints its place and size (for a screenshot), or those of the main
// window for "window".
int Open(const char* name, int seconds)
{
    HWND window = FindWindowA(kWindowClass, nullptr);
    if (!window) return 1;
    if (std::strcmp(name, "window") == 0) {
        PrintRect(window);
        return 0;
    }
    const WPARAM command = std::strcmp(name, "about") == 0 ? kAboutCommand : kSettingsCommand;
    if (!PostMessageA(window, WM_COMMAND, command, 0)) return 1;
    HWND dialog = WaitForWindowOf(window, kDialogClass, nullptr, seconds);
    if (!dialog) return 1;
    Sleep(500);  // painted
    PrintRect(dialog);
    return 0;
}

// Cancels the open dialog of the program.
int CloseDialog()
{
    HWND window = FindWindowA(kWindowClass, nullptr);
    HWND dialog = window ? WaitForWindowOf(window, kDialogClass, nullptr, 1) : nullptr;
    if (!dialog) return 1;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    for (int i = 0; i < 50 && IsWindow(dialog); ++i) Sleep(100);
    return IsWindow(dialog) ? 1 : 0;
}

int PrintLines()
{
    HWND window = FindWindowA(kWindowClass, nullptr);
    HWND list = window ? GetDlgItem(window, kListControlId) : nullptr;
    if (!list) return 1;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // Cross-process LB_GETTEXT is asked for in its Unicode form: Wine
        // answers the ANSI form with UTF-16 bytes.
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) return 1;
        std::wstring line(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT got =
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
        if (got < 0) return 1;
        line.resize(static_cast<size_t>(got));
        std::printf("%s\n", ToUtf8(line).c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "copy") == 0) return Copy(WideArgument(2)) ? 0 : 1;
    if (argc >= 2 && std::strcmp(argv[1], "wait") == 0)
        return WaitForWindow(argc >= 3 ? std::atoi(argv[2]) : 30) ? 0 : 1;
    if (argc >= 2 && std::strcmp(argv[1], "lines") == 0) return PrintLines();
    if (argc >= 2 && std::strcmp(argv[1], "settings") == 0)
        return OpenAndCloseSettings(argc >= 3 ? std::atoi(argv[2]) : 30);
    if (argc >= 2 && std::strcmp(argv[1], "help") == 0) return OpenHelp(argc >= 3 ? std::atoi(argv[2]) : 30);
    if (argc >= 3 && std::strcmp(argv[1], "open") == 0)
        return Open(argv[2], argc >= 4 ? std::atoi(argv[3]) : 30);
    if (argc >= 2 && std::strcmp(argv[1], "close") == 0) return CloseDialog();
    if (argc >= 2 && std::strcmp(argv[1], "quit") == 0) {
        HWND window = FindWindowA(kWindowClass, nullptr);
        return window && PostMessageA(window, WM_COMMAND, kExitCommand, 0) ? 0 : 1;
    }
    std::fprintf(stderr,
                 "usage: lexidrop-probe copy TEXT | wait [SECS] | lines | settings [SECS] | help [SECS] |\n"
                 "       open window|settings|about [SECS] | close | quit\n");
    return 2;
}
