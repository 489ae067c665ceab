#include "win32/code_page_text.h"

#include <windows.h>

#include "engine/shift_jis_forms.h"

namespace lexidrop {
namespace {

// Whether the system's code page has `c` itself (UTF-8 has every character).
bool CodePageHas(wchar_t c)
{
    if (GetACP() == CP_UTF8) return true;
    char bytes[8];
    BOOL usedDefault = FALSE;
    return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &c, 1, bytes, sizeof bytes, nullptr, &usedDefault) > 0 &&
           !usedDefault;
}

}  // namespace

std::string ToProgramCodePage(std::wstring_view unicode)
{
    // A character beyond the 16-bit range (a surrogate pair) stands in as
    // U+FFFD, which no ANSI code page has, so that it gives one default
    // character rather than one for each half.
    std::wstring mapped;
    mapped.reserve(unicode.size());
    for (std::size_t i = 0; i < unicode.size(); ++i) {
        const wchar_t c = unicode[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < unicode.size() && unicode[i + 1] >= 0xDC00 &&
            unicode[i + 1] <= 0xDFFF) {
            mapped += L'\xFFFD';
            ++i;
        } else if (const std::u16string_view form = CompatibilityForm(static_cast<char16_t>(c));
                   !form.empty() && !CodePageHas(c)) {
            // Read in its compatibility form (3m² as 3m2) rather than lost.
            mapped.append(form.begin(), form.end());
        } else {
            mapped += static_cast<wchar_t>(ShiftJisForm(static_cast<char16_t>(c)));
        }
    }
    if (mapped.empty()) return {};
    // No look-alike stands in for a missing character; UTF-8 (a system set to
    // it) refuses that flag and has every character anyway.
    const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int size = static_cast<int>(mapped.size());
    const int length = WideCharToMultiByte(CP_ACP, flags, mapped.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, flags, mapped.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

std::wstring FromProgramCodePage(std::string_view text)
{
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring unicode(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, unicode.data(), length);
    return unicode;
}

}  // namespace lexidrop
