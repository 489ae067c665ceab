// The dialogs and the help of the real Lexidrop.exe, opened through its menu
// commands and tray icon and driven from outside the process.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "e2e_harness.h"
#include "res/dialog_ids.h"
#include "res/resource.h"

namespace e2e {
namespace {

constexpr WPARAM kHelpCommand = IDM_HELP;
constexpr WPARAM kAboutCommand = IDM_ABOUT;
constexpr char kTitle[] = "Lexidrop Version1.08";

std::string TextOf(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The text of a control that keeps it itself (a rich edit): asked by message,
// since GetWindowText of another process's window only reads the caption that
// the system keeps.
std::string ControlText(HWND control)
{
    char text[256] = {};
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// A visible window of Lexidrop's process with the class and, when given, the
// owner; null when none appears.
HWND WaitForWindow(const Lexidrop& app, const char* className, HWND owner = nullptr)
{
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND window : WindowsOf(app.ProcessId(), className)) {
            if (IsWindowVisible(window) && (owner == nullptr || GetWindow(window, GW_OWNER) == owner)) {
                found = window;
                return true;
            }
        }
        return false;
    });
    return found;
}

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SetClipboardText("start")); }
};

TEST_F(DialogsTest, HelpCommandOpensTheHelpFileBesideTheProgram)
{
    ResetRegistry({{"LineNo", 0}});
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    PostMessageA(app.Window(), WM_COMMAND, kHelpCommand, 0);
    const HWND help = WaitForWindow(app, "HH Parent");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(GetWindow(help, GW_OWNER), nullptr);
    // The same command again reuses the loaded help control; the program runs on.
    PostMessageA(app.Window(), WM_COMMAND, kHelpCommand, 0);
    ASSERT_TRUE(SetClipboardText("助け"));
    EXPECT_TRUE(app.WaitForLine0("助け"));
    EXPECT_TRUE(app.Exit());
}

TEST_F(DialogsTest, RejectedSettingsWarnInTheProgramAndKeepTheRegistry)
{
    ResetRegistry({{"MaxCandi", 20}});
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    PostMessageA(app.Window(), WM_COMMAND, 32773, 0);
    const HWND dialog = WaitForWindow(app, "#32770");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), std::string(kTitle) + "の設定");

    SetDlgItemTextA(dialog, IDC_MAXCANDI_EDIT, "0");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    const HWND box = WaitForWindow(app, "#32770", dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), kTitle);
    char message[256] = {};
    GetDlgItemTextA(box, 0xFFFF, message, sizeof message);
    EXPECT_STREQ(message, "「最大候補数」を0にすることはできません。");

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    EXPECT_TRUE(WaitFor([&] { return FocusOf(dialog) == GetDlgItem(dialog, IDC_MAXCANDI_EDIT); }));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(ReadRegistry("MaxCandi"), 20u);
    EXPECT_FALSE(ReadRegistry("MaxLine").has_value());

    SetDlgItemTextA(dialog, IDC_MAXCANDI_EDIT, "7");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(ReadRegistry("MaxCandi"), 7u);
    EXPECT_EQ(ReadRegistry("MaxLine"), 5u);  // every value is written on OK
    EXPECT_TRUE(app.Exit());
}

TEST_F(DialogsTest, AboutDialogShowsVersionCopyrightAndBothLinks)
{
    ResetRegistry({});
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    PostMessageA(app.Window(), WM_COMMAND, kAboutCommand, 0);
    const HWND dialog = WaitForWindow(app, "#32770");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_VERSION_LINE)), kTitle);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_COPYRIGHT_LINE)), "Copyright (C) 2026 Tessaloon");
    const HWND url = GetDlgItem(dialog, IDC_URL_LINK);
    const HWND mail = GetDlgItem(dialog, IDC_MAIL_LINK);
    EXPECT_TRUE(WaitFor([&] { return ControlText(url) == "https://tessaloon.github.io/lexidrop/"; }));
    EXPECT_TRUE(WaitFor([&] { return ControlText(mail) == "lexidrop@tessaloon.jp"; }));
    EXPECT_NE(GetPropA(url, "X_PROP_NAME"), nullptr);
    EXPECT_NE(GetPropA(mail, "X_PROP_NAME"), nullptr);

    // Escape closes it; the program goes on and can show it again.
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    PostMessageA(app.Window(), WM_COMMAND, kAboutCommand, 0);
    const HWND again = WaitForWindow(app, "#32770");
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(WaitFor([&] {
        return ControlText(GetDlgItem(again, IDC_URL_LINK)) == "https://tessaloon.github.io/lexidrop/";
    }));
    PostMessageA(again, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(again); }));
    EXPECT_TRUE(app.Exit());
}

}  // namespace
}  // namespace e2e
