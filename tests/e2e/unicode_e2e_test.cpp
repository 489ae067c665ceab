// The real Lexidrop.exe with text from Unicode programs, checked as a Unicode
// program sees it: copied while an English input language is active, sent back
// by hot key and pasted, and the program's own Japanese texts. The same tests
// also run under LC_ALL=en_US.UTF-8 (code page 1252 for programs without a
// manifest, this test program included).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "e2e_harness.h"
#include "res/dialog_ids.h"

namespace e2e {
namespace {

constexpr LCID kEnglish = 0x0409;
constexpr LCID kJapanese = 0x0411;
constexpr wchar_t kTitle[] = L"Lexidrop Version1.08";

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// A visible dialog of the program, owned by `owner` when that is given.
HWND WaitForDialog(const Lexidrop& app, HWND owner = nullptr)
{
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND window : WindowsOf(app.ProcessId(), "#32770"))
            if (IsWindowVisible(window) && (owner == nullptr || GetWindow(window, GW_OWNER) == owner))
                found = window;
        return found != nullptr;
    });
    return found;
}

class UnicodeTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Wine hands the Unix environment on: the run under another locale
        // really has another code page.
        const char* locale = std::getenv("LC_ALL");
        if (locale != nullptr && std::string(locale).rfind("en_US", 0) == 0) {
            ASSERT_EQ(GetACP(), 1252u);
        }
    }
};

TEST_F(UnicodeTextTest, CopiedWithAnEnglishInputLanguageShownReadAndPastedUnchanged)
{
    ResetRegistry({{"LineNo", 0}, {"SetClipMod", MOD_ALT}, {"TopMost", 0}});
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    const struct {
        std::wstring copied, line0, reading;
    } cases[] = {
        {L"今日は良い天気です", L"今日は良い天気です", L"きょうはよいてんきです"},
        {L"5\u301C6個", L"5\uFF5E6個", L"ごからろっこ"},
        {L"3m\u00B2", L"3m2", L"さんへいほうめーとる"},
        {L"\U00020BB7野家\u2212\u2016\u2014", L"?野家\uFF0D\u2225\u2015", L"?のや\uFF0D\u2225\u2015"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(SetClipboardUnicode(c.copied, kEnglish));
        ASSERT_TRUE(WaitFor([&] {
            const auto lines = app.UnicodeLines();
            return lines.size() >= 2 && lines[0] == c.line0;
        })) << Describe(app);
        EXPECT_EQ(app.UnicodeLines()[1], c.reading);

        // Line 0 goes back exactly as it was copied, marked Japanese.
        PressKeys({VK_MENU}, '0');
        ASSERT_TRUE(WaitFor([] { return GetClipboardLocale() == kJapanese; })) << Describe(app);
        EXPECT_EQ(GetClipboardUnicode(), c.copied);
        ASSERT_TRUE(app.WaitForLine0(app.Lines()[0]));

        // A reading pastes as the characters the window shows.
        PressKeys({VK_MENU}, '1');
        EXPECT_TRUE(WaitFor([&] { return GetClipboardUnicode() == c.reading; })) << Describe(app);
        EXPECT_EQ(GetClipboardLocale(), kJapanese);
    }
    EXPECT_TRUE(app.Exit());
}

TEST_F(UnicodeTextTest, ProgramTextsReadRightToAUnicodeReader)
{
    ResetRegistry({});
    ASSERT_TRUE(SetClipboardUnicode(L"設定", kEnglish));
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    EXPECT_EQ(TextOf(app.Window()), kTitle);

    PostMessageA(app.Window(), WM_COMMAND, 32773, 0);  // the settings dialog
    const HWND dialog = WaitForDialog(app);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), std::wstring(kTitle) + L"の設定");
    SetDlgItemTextW(dialog, IDC_MAXCANDI_EDIT, L"0");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    const HWND box = WaitForDialog(app, dialog);
    ASSERT_NE(box, nullptr);
    wchar_t message[256] = {};
    GetDlgItemTextW(box, 0xFFFF, message, 256);
    EXPECT_STREQ(message, L"「最大候補数」を0にすることはできません。");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(app.Exit());
}

}  // namespace
}  // namespace e2e
