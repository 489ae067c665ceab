// lexidrop-probe: looks at a running Lexidrop from outside, the way a user's
// other programs would. Used by the headless run script.
//   lexidrop-probe copy TEXT     put TEXT on the clipboard as Unicode text
//   lexidrop-probe wait [SECS]   wait until the main window exists
//   lexidrop-probe lines         print the list's lines (UTF-8), one per line
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
    if (argc >= 2 && std::strcmp(argv[1], "quit") == 0) {
        HWND window = FindWindowA(kWindowClass, nullptr);
        return window && PostMessageA(window, WM_COMMAND, kExitCommand, 0) ? 0 : 1;
    }
    std::fprintf(stderr, "usage: lexidrop-probe copy TEXT | wait [SECS] | lines | quit\n");
    return 2;
}
