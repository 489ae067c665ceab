#include "platform.h"

#include "win32/program_folder.h"

#include <windows.h>
#include <shellapi.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace lexidrop::tool {
namespace {

std::wstring Wide(UINT codePage, DWORD flags, std::string_view text, bool& ok)
{
    ok = true;
    if (text.empty()) return {};
    int n = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) {
        ok = false;
        return {};
    }
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string Narrow(UINT codePage, std::wstring_view text, bool* lossy)
{
    if (text.empty()) return {};
    BOOL usedDefault = FALSE;
    BOOL* used = codePage == CP_UTF8 ? nullptr : &usedDefault;
    DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int n = WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, used);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), out.data(), n,
                            nullptr, used);
    if (lossy) *lossy = usedDefault != FALSE;
    return out;
}

}  // namespace

bool Utf8ToShiftJis(std::string_view utf8, std::string& out)
{
    bool ok = false;
    std::wstring wide = Wide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, ok);
    if (!ok) return false;
    bool lossy = false;
    out = Narrow(932, wide, &lossy);
    return !lossy;
}

std::string ShiftJisToUtf8(std::string_view sjis)
{
    bool ok = false;
    return Narrow(CP_UTF8, Wide(932, 0, sjis, ok), nullptr);
}

std::u16string ShiftJisToUtf16(std::string_view sjis)
{
    bool ok = false;
    std::wstring wide = Wide(932, 0, sjis, ok);
    return std::u16string(wide.begin(), wide.end());
}

std::string Utf16ToShiftJis(std::u16string_view text)
{
    std::wstring wide(text.begin(), text.end());
    return Narrow(932, wide, nullptr);
}

std::string ProgramFolder()
{
    return lexidrop::ProgramFolder();
}

std::vector<std::string> Arguments(int, char**)
{
    std::vector<std::string> out;
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args) return out;
    for (int i = 1; i < count; ++i) out.push_back(Narrow(CP_UTF8, args[i], nullptr));
    LocalFree(args);
    return out;
}

void UseBinaryStreams()
{
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace lexidrop::tool
