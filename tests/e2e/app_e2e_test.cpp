// The real Lexidrop.exe under Wine, driven from outside as a user would:
// through the clipboard, the keyboard and mouse, its tray messages and menu
// commands, and the registry it keeps its placement in.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "e2e_harness.h"
#include "res/dialog_ids.h"
#include "res/resource.h"

namespace e2e {
namespace {

constexpr WPARAM kShow = IDM_SHOW;
constexpr WPARAM kHide = IDM_HIDE;
constexpr WPARAM kExit = IDM_EXIT;
constexpr char kTitle[] = "Lexidrop Version1.08";

// Settings that keep the lines free of prefixes unless a test wants them.
std::map<std::string, std::uint32_t> Plain(std::map<std::string, std::uint32_t> values = {})
{
    values.emplace("LineNo", 0);
    return values;
}

// True when the shell holds Lexidrop's icon (id 1 of its main window): only
// an existing icon can be modified.
bool TrayIconPresent(HWND window)
{
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 1;
    data.uFlags = NIF_TIP;
    std::strcpy(data.szTip, kTitle);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// The outer height of a window of Lexidrop's style holding `rows` list lines.
LONG ExpectedHeight(HWND window, int rows, LONG itemHeight)
{
    RECT rect{0, 0, 100, rows * itemHeight};
    AdjustWindowRectEx(&rect, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
    return rect.bottom - rect.top;
}

// `text` from code page `from` to code page `to`.
std::string Recode(const std::string& text, UINT from, UINT to)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()),
                                                        wide.data(), static_cast<int>(wide.size()))));
    std::string out(wide.size() * 4, '\0');
    out.resize(
        static_cast<size_t>(WideCharToMultiByte(to, 0, wide.data(), static_cast<int>(wide.size()), out.data(),
                                                static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

bool ClipboardWrittenBy(const Lexidrop& app, const std::string& text)
{
    // Polls the owner only, so that the test does not hold the clipboard while
    // Lexidrop writes (it would wait for it).
    if (!WaitFor([&] { return GetClipboardOwner() == app.Window(); })) {
        return false;
    }
    return GetClipboardText() == text;
}

// The window with the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// A visible window of class `className` in Lexidrop's process, or null.
HWND VisibleWindowOf(const Lexidrop& app, const char* className)
{
    for (HWND window : WindowsOf(app.ProcessId(), className)) {
        if (IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

HWND WaitForWindowOf(const Lexidrop& app, const char* className)
{
    HWND found = nullptr;
    WaitFor([&] { return (found = VisibleWindowOf(app, className)) != nullptr; });
    return found;
}

// True when another program could not register the combination now.
bool HotKeyTaken(UINT modifiers, UINT key)
{
    if (RegisterHotKey(nullptr, 0x7000, modifiers, key)) {
        UnregisterHotKey(nullptr, 0x7000);
        return false;
    }
    return true;
}

// Makes Lexidrop the foreground window, so that key presses reach its list.
void BringToFront(const Lexidrop& app)
{
    SetForegroundWindow(app.Window());
    WaitFor([&] { return GetForegroundWindow() == app.Window(); }, 3.0);
}

class LexidropTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SetClipboardText("start")); }
};

TEST_F(LexidropTest, FirstRunOpensAtDefaultPlacementAsTopmostToolWindowWithTrayIcon)
{
    ResetRegistry({});
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    EXPECT_TRUE(app.Visible());
    char title[64] = {};
    GetWindowTextA(app.Window(), title, sizeof title);
    EXPECT_STREQ(title, kTitle);
    const RECT rect = app.WindowRect();
    EXPECT_EQ(rect.left, 32);
    EXPECT_EQ(rect.top, 32);
    EXPECT_EQ(rect.right - rect.left, 160);
    const auto exStyle = GetWindowLongPtrA(app.Window(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(TrayIconPresent(app.Window()));
    // The clipboard text at start is looked up at once, with its line number.
    EXPECT_TRUE(app.WaitForLine0("0 start"));

    ASSERT_TRUE(app.Exit());
    EXPECT_EQ(ReadRegistry("Show"), 1u);
    EXPECT_EQ(ReadRegistry("WndX"), 32u);
    EXPECT_EQ(ReadRegistry("WndY"), 32u);
    EXPECT_EQ(ReadRegistry("WndWidth"), 160u);
}

TEST_F(LexidropTest, CopiedTextBecomesLineZeroAndHeightFollowsTheLines)
{
    ResetRegistry(Plain({{"MaxLine", 3}, {"TopMost", 0}}));
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    EXPECT_FALSE(GetWindowLongPtrA(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Readings from the built-in engine follow the source line.
    const std::string text = "今日は良い天気です";
    ASSERT_TRUE(SetClipboardText(text));
    ASSERT_TRUE(app.WaitForLine0(text));
    const auto lines = app.Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1].rfind("きょうはよいてんきです", 0), 0u) << lines[1];
    const LONG itemHeight = static_cast<LONG>(SendMessageA(app.List(), LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(itemHeight, 0);
    const int rows = lines.size() < 3 ? static_cast<int>(lines.size()) : 3;
    const RECT rect = app.WindowRect();
    EXPECT_EQ(rect.bottom - rect.top, ExpectedHeight(app.Window(), rows, itemHeight));

    // A time, a homograph and a commonest reading: the reader's reading first,
    // and nothing below it that a reader would not accept.
    const std::string sentence = "7:45に日本人の大家さんと会う";
    ASSERT_TRUE(SetClipboardText(sentence));
    ASSERT_TRUE(app.WaitForLine0(sentence));
    const auto read = app.Lines();
    ASSERT_GE(read.size(), 2u);
    EXPECT_EQ(read[1], "しちじよんじゅうごふんににほんじんのおおやさんとあう");
    for (std::size_t i = 2; i < read.size(); ++i)
        EXPECT_TRUE(read[i] == "ななじよんじゅうごふんににほんじんのおおやさんとあう" ||
                    read[i] == "しちじよんじゅうごふんににっぽんじんのおおやさんとあう" ||
                    read[i] == "ななじよんじゅうごふんににっぽんじんのおおやさんとあう")
            << read[i];

    // Only the first line of a longer text is taken by default.
    ASSERT_TRUE(SetClipboardText("一行目\r\n二行目"));
    EXPECT_TRUE(app.WaitForLine0("一行目"));
    EXPECT_TRUE(app.Exit());
}

TEST_F(LexidropTest, FuriganaLineFollowsTheTextSortedNumberedAndGoesBackByHotKey)
{
    ResetRegistry({{"Furigana", 1}, {"Sort", 1}, {"MaxLine", 4}, {"SetClipMod", MOD_ALT}, {"TopMost", 0}});
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());

    ASSERT_TRUE(SetClipboardText("今日は良い天気です"));
    ASSERT_TRUE(app.WaitForLine0("0 今日は良い天気です"));
    const auto lines = app.Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "1 今日[きょう]は 良[よ]い 天気[てんき]です");
    // The readings follow, sorted; the furigana line is one line of the height.
    EXPECT_TRUE(std::any_of(lines.begin() + 2, lines.end(), [](const std::string& line) {
        return line.substr(2) == "きょうはよいてんきです";
    }));
    for (std::size_t i = 3; i < lines.size(); ++i) EXPECT_LE(lines[i - 1].substr(2), lines[i].substr(2));
    const LONG itemHeight = static_cast<LONG>(SendMessageA(app.List(), LB_GETITEMHEIGHT, 0, 0));
    const int rows = lines.size() < 4 ? static_cast<int>(lines.size()) : 4;
    const RECT rect = app.WindowRect();
    EXPECT_EQ(rect.bottom - rect.top, ExpectedHeight(app.Window(), rows, itemHeight));

    PressKeys({VK_MENU}, '1');
    EXPECT_TRUE(ClipboardWrittenBy(app, "今日[きょう]は 良[よ]い 天気[てんき]です"));
    // The copied line is looked up in turn: its own brackets become full width.
    EXPECT_TRUE(app.WaitForLine0("0 今日[きょう]は 良[よ]い 天気[てんき]です"));

    // Kana only: no furigana line.
    ASSERT_TRUE(SetClipboardText("ひらがな"));
    ASSERT_TRUE(app.WaitForLine0("0 ひらがな"));
    EXPECT_EQ(app.Lines().size(), 1u);  // its only reading equals the text
    EXPECT_TRUE(app.Exit());
}

TEST_F(LexidropTest, ABurstOfCopiesEndsShowingTheLastTextAndTheWindowAnswers)
{
    ResetRegistry(Plain({{"MaxLine", 3}}));
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    ASSERT_TRUE(app.WaitForLine0("start"));

    // Copies in a row, faster than the window could show each of them.
    for (int i = 0; i < 40; ++i) ASSERT_TRUE(SetClipboardText(i % 2 ? "駅前の本屋" : "市場で会った"));
    const std::string last = "上手";  // a word with several readings: more lines than fit
    ASSERT_TRUE(SetClipboardText(last));
    ASSERT_TRUE(app.WaitForLine0(last));
    const auto lines = app.Lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[1], "じょうず");
    const LONG itemHeight = static_cast<LONG>(SendMessageA(app.List(), LB_GETITEMHEIGHT, 0, 0));
    const RECT rect = app.WindowRect();
    EXPECT_EQ(rect.bottom - rect.top, ExpectedHeight(app.Window(), 3, itemHeight));
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutA(app.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer));
    EXPECT_TRUE(app.Exit());
}

TEST_F(LexidropTest, StoredPlacementOffTheScreenIsPulledBackOntoIt)
{
    // With a text the window has a line; with an empty clipboard it asks for
    // less than the smallest height the system gives a window, and must still
    // end on the screen.
    for (const bool withText : {true, false}) {
        SCOPED_TRACE(withText ? "text at start" : "empty clipboard at start");
        ResetRegistry(
            Plain({{"WndX", static_cast<std::uint32_t>(-50)}, {"WndY", 100000}, {"WndWidth", 200}}));
        if (!withText) {
            ASSERT_TRUE(EmptyTheClipboard());
        }
        Lexidrop app;
        ASSERT_TRUE(app.StartAndFindWindow());
        if (withText) {
            ASSERT_TRUE(app.WaitForLine0("start"));
        }
        const RECT rect = app.WindowRect();
        EXPECT_EQ(rect.left, 0);
        EXPECT_EQ(rect.right - rect.left, 200);
        RECT screen{};
        GetClientRect(GetDesktopWindow(), &screen);
        EXPECT_EQ(rect.bottom, screen.bottom);
        EXPECT_TRUE(app.Exit());
    }
}

TEST_F(LexidropTest, EnterAndDoubleClickCopyTheCaretLineWithoutItsNumber)
{
    ResetRegistry({{"LineNo", 1}});
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    ASSERT_TRUE(SetClipboardText("最初の文"));
    ASSERT_TRUE(app.WaitForLine0("0 最初の文"));
    const auto lines = app.Lines();
    ASSERT_GE(lines.size(), 2u);
    ASSERT_EQ(lines[1].substr(0, 2), "1 ");
    const std::string reading = lines[1].substr(2);

    // Down to the first reading; Enter copies it without its "1 ", and the
    // program's own copy comes back as an ordinary change: a new lookup.
    BringToFront(app);
    ASSERT_EQ(SendMessageA(app.List(), LB_GETCURSEL, 0, 0), LB_ERR);
    // With no line selected yet, the list box's first Down may only select
    // the caret line; a second one then moves on.
    PressKeys({}, VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return SendMessageA(app.List(), LB_GETCURSEL, 0, 0) != LB_ERR; }));
    if (SendMessageA(app.List(), LB_GETCURSEL, 0, 0) == 0) {
        PressKeys({}, VK_DOWN);
        ASSERT_TRUE(WaitFor([&] { return SendMessageA(app.List(), LB_GETCURSEL, 0, 0) == 1; }));
    }
    PressKeys({}, VK_RETURN);
    EXPECT_TRUE(ClipboardWrittenBy(app, reading));
    EXPECT_TRUE(app.WaitForLine0("0 " + reading));

    // After a lookup the caret is on the source line.
    ASSERT_TRUE(SetClipboardText("二番目の文"));
    ASSERT_TRUE(app.WaitForLine0("0 二番目の文"));
    PressKeys({}, VK_RETURN);
    EXPECT_TRUE(ClipboardWrittenBy(app, "二番目の文"));

    ASSERT_TRUE(SetClipboardText("三番目の文"));
    ASSERT_TRUE(app.WaitForLine0("0 三番目の文"));
    RECT list{};
    GetWindowRect(app.List(), &list);
    const LONG itemHeight = static_cast<LONG>(SendMessageA(app.List(), LB_GETITEMHEIGHT, 0, 0));
    SetCursorPos(list.left + 20, list.top + itemHeight / 2);
    INPUT clicks[4] = {};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = (i % 2 == 0) ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    SendInput(4, clicks, sizeof(INPUT));
    EXPECT_TRUE(ClipboardWrittenBy(app, "三番目の文"));
    EXPECT_TRUE(app.Exit());
}

TEST_F(LexidropTest, HotKeysActivateAHiddenWindowAndCopyLinesUntilExitOnceEnds)
{
    ResetRegistry(Plain({{"Show", 0},
                         {"ActMod", MOD_CONTROL | MOD_ALT},
                         {"ActVKey", 'L'},
                         {"SetClipMod", MOD_ALT},
                         {"ExitOnce", 1},
                         {"WndX", 40},
                         {"WndY", 50}}));
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    EXPECT_FALSE(app.Visible());
    EXPECT_TRUE(TrayIconPresent(app.Window()));

    PressKeys({VK_CONTROL, VK_MENU}, 'L');
    EXPECT_TRUE(WaitFor([&] { return app.Visible(); }));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == app.Window(); }));
    EXPECT_TRUE(WaitFor([&] { return FocusOf(app.Window()) == app.List(); }));

    ASSERT_TRUE(SetClipboardText("市場"));
    ASSERT_TRUE(app.WaitForLine0("市場"));
    const auto lines = app.Lines();
    ASSERT_GE(lines.size(), 2u);
    PressKeys({VK_MENU}, '1');
    // ExitOnce: the copy of line 1 ends the program, which saved its placement.
    EXPECT_EQ(app.WaitForExit(), 0u);
    EXPECT_EQ(GetClipboardText(), lines[1]);
    EXPECT_EQ(ReadRegistry("Show"), 1u);
    EXPECT_EQ(ReadRegistry("WndX"), 40u);
    EXPECT_EQ(ReadRegistry("WndY"), 50u);
    EXPECT_EQ(ReadRegistry("WndWidth"), 160u);
}

TEST_F(LexidropTest, TrayMouseActionsAndMenuCommandsShowHideAndEnd)
{
    ResetRegistry(Plain());
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    HWND window = app.Window();
    ASSERT_TRUE(app.Visible());

    SendMessageA(window, WM_COMMAND, kHide, 0);
    EXPECT_FALSE(app.Visible());
    SendMessageA(window, kTrayNotify, 1, WM_LBUTTONUP);
    EXPECT_FALSE(app.Visible());  // a single click does not show it
    SendMessageA(window, kTrayNotify, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(app.Visible());
    SendMessageA(window, WM_COMMAND, kHide, 0);
    SendMessageA(window, WM_COMMAND, kShow, 0);
    EXPECT_TRUE(app.Visible());
    // The close button hides while XExit is 0.
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(app.Visible());
    EXPECT_TRUE(app.Running());

    // The middle button ends the program; hidden, it stores Show = 0.
    PostMessageA(window, kTrayNotify, 1, WM_MBUTTONUP);
    EXPECT_EQ(app.WaitForExit(), 0u);
    EXPECT_EQ(ReadRegistry("Show"), 0u);
}

TEST_F(LexidropTest, TrayPopupTogglesBetweenHideAndShow)
{
    ResetRegistry(Plain());
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    ASSERT_TRUE(app.Visible());

    // Visible: the popup's "&D" item hides the window.
    PostMessageA(app.Window(), kTrayNotify, 1, WM_RBUTTONUP);
    ASSERT_NE(WaitForWindowOf(app, "#32768"), nullptr);
    PressKeys({}, 'D');
    EXPECT_TRUE(WaitFor([&] { return !app.Visible(); }));

    // Hidden: the same item shows it again.
    ASSERT_TRUE(WaitFor([&] { return VisibleWindowOf(app, "#32768") == nullptr; }));
    PostMessageA(app.Window(), kTrayNotify, 1, WM_RBUTTONUP);
    ASSERT_NE(WaitForWindowOf(app, "#32768"), nullptr);
    PressKeys({}, 'D');
    EXPECT_TRUE(WaitFor([&] { return app.Visible(); }));

    // "&X" ends the program.
    ASSERT_TRUE(WaitFor([&] { return VisibleWindowOf(app, "#32768") == nullptr; }));
    PostMessageA(app.Window(), kTrayNotify, 1, WM_RBUTTONUP);
    ASSERT_NE(WaitForWindowOf(app, "#32768"), nullptr);
    PressKeys({}, 'X');
    EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST_F(LexidropTest, SettingsDialogFromTheTrayReleasesTheHotKeysWhileItIsOpen)
{
    ResetRegistry(Plain({{"SetClipMod", MOD_ALT}}));
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    EXPECT_TRUE(HotKeyTaken(MOD_ALT, '3'));

    PostMessageA(app.Window(), kTrayNotify, 1, WM_RBUTTONDBLCLK);
    HWND dialog = WaitForWindowOf(app, "#32770");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(HotKeyTaken(MOD_ALT, '3'));
    // A second request while the dialog runs opens nothing more.
    SendMessageA(app.Window(), kTrayNotify, 1, WM_RBUTTONDBLCLK);
    EXPECT_EQ(WindowsOf(app.ProcessId(), "#32770").size(), 1u);

    // Cancelled: the hot keys come back with the unchanged settings.
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(WaitFor([&] { return HotKeyTaken(MOD_ALT, '3'); }));

    // The program can end while the dialog is open (middle button on the icon).
    PostMessageA(app.Window(), kTrayNotify, 1, WM_RBUTTONDBLCLK);
    ASSERT_NE(WaitForWindowOf(app, "#32770"), nullptr);
    PostMessageA(app.Window(), kTrayNotify, 1, WM_MBUTTONUP);
    EXPECT_EQ(app.WaitForExit(), 0u);
    EXPECT_EQ(ReadRegistry("WndX"), 32u);
    EXPECT_FALSE(HotKeyTaken(MOD_ALT, '3'));
}

TEST_F(LexidropTest, AboutDialogFromTheMenuKeepsOtherDialogsClosedWhileOpen)
{
    ResetRegistry(Plain());
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    PostMessageA(app.Window(), WM_COMMAND, 105, 0);
    HWND dialog = WaitForWindowOf(app, "#32770");
    ASSERT_NE(dialog, nullptr);
    char title[128] = {};
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, "Lexidropのバージョン情報");

    // The window keeps working while the dialog runs, but no second dialog opens.
    SendMessageA(app.Window(), WM_COMMAND, 32773, 0);
    SendMessageA(app.Window(), WM_SYSCOMMAND, 105, 0);
    EXPECT_EQ(WindowsOf(app.ProcessId(), "#32770").size(), 1u);
    ASSERT_TRUE(SetClipboardText("開いたまま"));
    EXPECT_TRUE(app.WaitForLine0("開いたまま"));

    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(app.Exit());
}

TEST_F(LexidropTest, ConfirmedSettingsTakeEffectAtOnce)
{
    ResetRegistry(Plain({{"TopMost", 1}, {"XExit", 0}}));
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    ASSERT_TRUE(SetClipboardText("甲\r\n乙"));
    ASSERT_TRUE(app.WaitForLine0("甲"));

    PostMessageA(app.Window(), kTrayNotify, 1, WM_RBUTTONDBLCLK);
    HWND dialog = WaitForWindowOf(app, "#32770");
    ASSERT_NE(dialog, nullptr);
    SendDlgItemMessageA(dialog, IDC_LINENO, BM_SETCHECK, BST_CHECKED, 0);
    SendDlgItemMessageA(dialog, IDC_TOPMOST, BM_SETCHECK, BST_UNCHECKED, 0);
    SendDlgItemMessageA(dialog, IDC_XEXIT, BM_SETCHECK, BST_CHECKED, 0);
    SendDlgItemMessageA(dialog, IDC_CBCR_LIMIT, BM_SETCHECK, BST_UNCHECKED, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));

    // The list is rebuilt with line numbers, the window leaves the topmost
    // band, the whole clipboard text is taken and closing ends the program.
    EXPECT_TRUE(app.WaitForLine0("0 甲"));
    EXPECT_FALSE(GetWindowLongPtrA(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_TRUE(SetClipboardText("丙\r\n丁"));
    EXPECT_TRUE(app.WaitForLine0("0 丙\r\n丁"));
    EXPECT_EQ(ReadRegistry("LineNo"), 1u);
    EXPECT_EQ(ReadRegistry("TopMost"), 0u);
    PostMessageA(app.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST_F(LexidropTest, CloseEndsTheProgramWhenXExitIsOnAndHiddenStartFollowsShow)
{
    ResetRegistry(Plain({{"XExit", 1}, {"Show", 0}}));
    ASSERT_TRUE(EmptyTheClipboard());
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    EXPECT_FALSE(app.Visible());
    // No text at start: no lines, the window shrinks to its frame and caption
    // (or the smallest height the system allows a sizable window).
    EXPECT_TRUE(app.Lines().empty());
    const RECT rect = app.WindowRect();
    const LONG frame = ExpectedHeight(app.Window(), 0, 0);
    const LONG smallest = GetSystemMetrics(SM_CYMINTRACK);
    EXPECT_EQ(rect.bottom - rect.top, frame > smallest ? frame : smallest);
    PostMessageA(app.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(app.WaitForExit(), 0u);
    EXPECT_EQ(ReadRegistry("Show"), 0u);
    EXPECT_EQ(ReadRegistry("WndX"), 32u);
}

TEST_F(LexidropTest, SecondInstanceShowsItsNoticeAndEndsWhileTheFirstRuns)
{
    ResetRegistry(Plain());
    Lexidrop first;
    ASSERT_TRUE(first.StartAndFindWindow());

    Lexidrop second;
    ASSERT_TRUE(second.Start());
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        const auto boxes = WindowsOf(second.ProcessId(), "#32770");
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr && IsWindowVisible(box);
    }));
    char title[64] = {};
    GetWindowTextA(box, title, sizeof title);
    EXPECT_STREQ(title, kTitle);
    char text[64] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the box's message text
    EXPECT_STREQ(text, "既に起動しています。");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(second.WaitForExit(), 0u);

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindow(first.Window()));
    EXPECT_TRUE(first.Exit());
}

TEST_F(LexidropTest, SessionEndSavesPlacementOnlyWhenTheSessionReallyEnds)
{
    ResetRegistry(Plain({{"WndX", 70}}));
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    SendMessageA(app.Window(), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(app.Running());
    EXPECT_FALSE(ReadRegistry("Show").has_value());
    EXPECT_FALSE(ReadRegistry("WndY").has_value());

    PostMessageA(app.Window(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(app.WaitForExit(), 0u);
    EXPECT_EQ(ReadRegistry("Show"), 1u);
    EXPECT_EQ(ReadRegistry("WndX"), 70u);
    EXPECT_EQ(ReadRegistry("WndY"), 32u);
    EXPECT_EQ(ReadRegistry("WndWidth"), 160u);
}

TEST_F(LexidropTest, TrayIconIsAddedAgainWhenTheTaskbarIsRecreated)
{
    ResetRegistry(Plain());
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    ASSERT_TRUE(TrayIconPresent(app.Window()));

    // A restarted taskbar has lost every icon and announces itself to all
    // top-level windows with the registered message "TaskbarCreated".
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = app.Window();
    data.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
    ASSERT_FALSE(TrayIconPresent(app.Window()));
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor([&] { return TrayIconPresent(app.Window()); }));
    EXPECT_TRUE(app.Exit());
}

TEST_F(LexidropTest, TextCopiedByAnX11ProgramBecomesLineZero)
{
    if (GetFileAttributesA("Z:\\usr\\bin\\xclip") == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "xclip is not installed";
    }
    ResetRegistry(Plain());
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());

    // xclip reads the text (UTF-8) from a file and owns the X selection until
    // a Windows program takes the clipboard over.
    const std::string unixPath = "/tmp/lexidrop-e2e-xclip-" + std::to_string(GetCurrentProcessId()) + ".txt";
    const std::string windowsPath = "Z:" + unixPath;
    HANDLE file = CreateFileA(windowsPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string text = "X11から写した";
    const std::string utf8 = Recode(text, 932, CP_UTF8);
    DWORD written = 0;
    WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    CloseHandle(file);

    std::string command = "start.exe /unix /usr/bin/xclip -selection clipboard " + unixPath;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION starter{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &starter));
    WaitForSingleObject(starter.hProcess, 10000);
    CloseHandle(starter.hThread);
    CloseHandle(starter.hProcess);

    EXPECT_TRUE(app.WaitForLine0(text));
    EXPECT_TRUE(app.Exit());
    SetClipboardText("done");  // ends xclip
    DeleteFileA(windowsPath.c_str());
}

}  // namespace
}  // namespace e2e
