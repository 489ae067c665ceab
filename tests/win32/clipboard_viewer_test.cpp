#include "services/clipboard_viewer.h"
#include "services/copy_line.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <cwchar>
#include <initializer_list>
#include <string>
#include <thread>

namespace lexidrop {
namespace {

// A window that routes the chain messages to its own ClipboardViewer, like the main window.
struct ViewerWindow {
    HWND window = nullptr;
    ClipboardViewer viewer;
    int draws = 0;
};

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<ViewerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_DRAWCLIPBOARD) {
        if (self->viewer.OnDrawClipboard(wParam, lParam)) ++self->draws;
        return 0;
    }
    if (self && message == WM_CHANGECBCHAIN) {
        self->viewer.OnChangeChain(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(ViewerWindow* self)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ViewerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ClipboardViewerTestWindow";
    RegisterClassExA(&wc);
    const HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                                        nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->window = window;
    return window;
}

// Handles whatever the system sent or posted, a bounded number of rounds.
void Pump()
{
    for (int round = 0; round < 20; ++round) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(5);
    }
}

// Puts `size` bytes in `format` on the clipboard through `owner`, as another program would.
void Put(HWND owner, UINT format, const void* data, std::size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    ASSERT_NE(block, nullptr);
    std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    EXPECT_NE(SetClipboardData(format, block), nullptr);
    CloseClipboard();
}

void PutText(HWND owner, const std::string& text)
{
    Put(owner, CF_TEXT, text.c_str(), text.size() + 1);
}

struct Block {
    UINT format;
    const void* data;
    std::size_t size;
};

// Puts the blocks on the clipboard in their order, as one program does.
void PutBlocks(HWND owner, std::initializer_list<Block> blocks)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    for (const Block& block : blocks) {
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, block.size);
        std::memcpy(GlobalLock(copy), block.data, block.size);
        GlobalUnlock(copy);
        EXPECT_NE(SetClipboardData(block.format, copy), nullptr);
    }
    CloseClipboard();
}

// Puts a text block and the input language it was copied with, as a program
// does while that keyboard layout is active.
void PutWithLocale(HWND owner, UINT format, const void* data, std::size_t size, LCID locale)
{
    PutBlocks(owner, {{format, data, size}, {CF_LOCALE, &locale, sizeof locale}});
}

constexpr LCID kEnglish = 0x0409;

// The clipboard's block of `format` as a string of `Char`, empty when there is none.
template <typename Char>
std::basic_string<Char> Block(HWND owner, UINT format)
{
    std::basic_string<Char> text;
    if (!OpenClipboard(owner)) return text;
    if (const HANDLE block = GetClipboardData(format)) {
        text.assign(static_cast<const Char*>(GlobalLock(block)), GlobalSize(block) / sizeof(Char));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return text.substr(0, text.find(Char(0)));
}

class ClipboardViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        other_ = MakeWindow(nullptr);
        ASSERT_NE(MakeWindow(&main_), nullptr);
    }
    void TearDown() override
    {
        main_.viewer.Leave();
        DestroyWindow(main_.window);
        DestroyWindow(other_);
        Pump();
    }
    std::string Read()
    {
        std::string text = "junk";
        EXPECT_TRUE(main_.viewer.ReadText(text));
        return text;
    }

    HWND other_ = nullptr;
    ViewerWindow main_;
};

TEST_F(ClipboardViewerTest, ReadsAnotherOwnersTextCutToTheLineLimit)
{
    ASSERT_TRUE(main_.viewer.Join(main_.window, 1));
    PutText(other_, "一行目\r\n二行目\r\n三行目");
    EXPECT_EQ(Read(), "一行目");
    main_.viewer.SetLineLimit(2);
    EXPECT_EQ(Read(), "一行目\r\n二行目");
    main_.viewer.SetLineLimit(0);
    EXPECT_EQ(Read(), "一行目\r\n二行目\r\n三行目");

    // Unicode text only: the system offers it as Shift-JIS CF_TEXT.
    const wchar_t wide[] = L"漢字かな";
    Put(other_, CF_UNICODETEXT, wide, sizeof wide);
    EXPECT_EQ(Read(), "漢字かな");
}

TEST_F(ClipboardViewerTest, UnicodeTextIsReadWhateverTheInputLanguage)
{
    ASSERT_TRUE(main_.viewer.Join(main_.window, 1));
    const struct {
        const wchar_t* copied;
        const char* read;
    } cases[] = {
        {L"今日は良い天気です", "今日は良い天気です"},
        {L"5\u301C6個 \u2212\u2016\u2014 \u00A2\u00A3\u00AC", "5～6個 －∥― ￠￡￢"},
        {L"3m\u00B2 5\u33A5 10\u00B5g", "3m2 5m3 10μg"},  // in the forms code page 932 writes them
        {L"\U00020BB7野家の\U0001F600", "?野家の?"},  // characters code page 932 lacks
        {L"一行目\r\n二行目", "一行目"},
    };
    for (const auto& c : cases) {
        PutWithLocale(other_, CF_UNICODETEXT, c.copied, (std::wcslen(c.copied) + 1) * sizeof(wchar_t),
                      kEnglish);
        EXPECT_EQ(Read(), c.read) << "copied: " << Block<char>(other_, CF_TEXT);
    }
    // Text a program put there as CF_TEXT is read as it was put, not as the
    // Unicode form the system made of it with the input language's code page.
    const std::string shiftJis = "漢字かな。";
    PutWithLocale(other_, CF_TEXT, shiftJis.c_str(), shiftJis.size() + 1, kEnglish);
    EXPECT_EQ(Read(), shiftJis);
    // Both put by the program, CF_TEXT first: the Unicode text is its own, and
    // the CF_TEXT of a program running in another code page may have lost it.
    const wchar_t unicode[] = L"漢字かな";
    PutBlocks(other_, {{CF_TEXT, "????", 5},
                       {CF_UNICODETEXT, unicode, sizeof unicode},
                       {CF_LOCALE, &kEnglish, sizeof kEnglish}});
    EXPECT_EQ(Read(), "漢字かな");
}

TEST_F(ClipboardViewerTest, LinesGoBackAsUnicodeAndTheCopiedTextExactlyAsCopied)
{
    ASSERT_TRUE(main_.viewer.Join(main_.window, 1));
    const std::wstring copied = L"5\u301C6個の\U00020BB7";
    PutWithLocale(other_, CF_UNICODETEXT, copied.c_str(), (copied.size() + 1) * sizeof(wchar_t), kEnglish);
    const std::string line0 = Read();
    EXPECT_EQ(line0, "5～6個の?");

    const struct {
        std::string line;
        std::wstring unicode;
    } cases[] = {
        {line0, copied},
        {"ごからろっこの", L"ごからろっこの"},
        {"5～6個の?", L"5\uFF5E6個の?"},  // no longer the text last read
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(main_.viewer.WriteText(c.line.c_str()));
        EXPECT_EQ(Block<wchar_t>(other_, CF_UNICODETEXT), c.unicode);
        EXPECT_EQ(Block<char>(other_, CF_TEXT), c.line);
        const std::string locale = Block<char>(other_, CF_LOCALE);
        ASSERT_GE(locale.size(), 2u);
        EXPECT_EQ(static_cast<unsigned char>(locale[0]) | static_cast<unsigned char>(locale[1]) << 8, 0x0411);
        EXPECT_EQ(Read(), c.line);
    }
}

TEST_F(ClipboardViewerTest, EmptyTextIsReadAndNoTextIsRefused)
{
    ASSERT_TRUE(main_.viewer.Join(main_.window, 1));
    PutText(other_, "");
    EXPECT_EQ(Read(), "");

    const HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    ASSERT_TRUE(OpenClipboard(other_));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bitmap);
    CloseClipboard();
    std::string text = "junk";
    EXPECT_FALSE(main_.viewer.ReadText(text));
    EXPECT_EQ(text, "");
}

TEST_F(ClipboardViewerTest, BadTextNeverReadsBeyondTheFirstNulOrTheBlock)
{
    ASSERT_TRUE(main_.viewer.Join(main_.window, 1));
    Put(other_, CF_TEXT, "abc\0def", 8);
    EXPECT_EQ(Read(), "abc");

    PutText(other_, "漢\x88");  // ends in a lone lead byte
    EXPECT_EQ(Read(), "漢\x88");

    // No terminator at all: the text stops at the block's end. (Wine puts a NUL
    // into the block's last byte itself, so only "abcd" may arrive.)
    Put(other_, CF_TEXT, "abcde", 5);
    const std::string unterminated = Read();
    EXPECT_GE(unterminated.size(), 4u);
    EXPECT_EQ(unterminated, std::string("abcde").substr(0, unterminated.size()));

    std::string megabyte(1 << 20, 'x');
    PutText(other_, megabyte);
    EXPECT_EQ(Read().size(), megabyte.size());
}

TEST_F(ClipboardViewerTest, WritesOneTextBlockThatOthersReadBack)
{
    ASSERT_TRUE(main_.viewer.Join(main_.window, 0));
    EXPECT_TRUE(main_.viewer.WriteText("かんじ"));
    ASSERT_TRUE(OpenClipboard(other_));
    const HANDLE block = GetClipboardData(CF_TEXT);
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(block)), "かんじ");
    GlobalUnlock(block);
    const HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(wide, nullptr);
    EXPECT_STREQ(static_cast<const wchar_t*>(GlobalLock(wide)), L"かんじ");
    GlobalUnlock(wide);
    CloseClipboard();
    EXPECT_EQ(Read(), "かんじ");
}

TEST_F(ClipboardViewerTest, NotJoinedOrClipboardBusyMeansNoReadAndNoWrite)
{
    std::string text = "junk";
    EXPECT_FALSE(main_.viewer.ReadText(text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(main_.viewer.WriteText("x"));
    EXPECT_FALSE(main_.viewer.Leave());

    ASSERT_TRUE(main_.viewer.Join(main_.window, 1));
    PutText(other_, "held");
    // Another thread keeps the clipboard open meanwhile.
    std::atomic<int> stage{0};
    std::thread holder([&stage] {
        if (OpenClipboard(nullptr)) {
            stage = 1;
            while (stage != 2) Sleep(1);
            CloseClipboard();
        } else {
            stage = 3;
        }
    });
    while (stage == 0) Sleep(1);
    const bool held = stage == 1;
    text = "junk";
    const bool read = main_.viewer.ReadText(text);
    const bool written = main_.viewer.WriteText("y");
    stage = 2;
    holder.join();
    ASSERT_TRUE(held);
    EXPECT_FALSE(read);
    EXPECT_EQ(text, "");
    EXPECT_FALSE(written);
    EXPECT_EQ(Read(), "held");
}

TEST_F(ClipboardViewerTest, ClipboardHeldBrieflyIsWaitedFor)
{
    ASSERT_TRUE(main_.viewer.Join(main_.window, 1));
    PutText(other_, "briefly held");
    for (const bool writing : {false, true}) {
        std::atomic<bool> held{false};
        std::thread holder([&held] {
            if (OpenClipboard(nullptr)) {
                held = true;
                Sleep(300);
                CloseClipboard();
            }
        });
        while (!held) Sleep(1);
        std::string text;
        if (writing) {
            EXPECT_TRUE(main_.viewer.WriteText("written after the wait"));
        } else {
            EXPECT_TRUE(main_.viewer.ReadText(text));
            EXPECT_EQ(text, "briefly held");
        }
        holder.join();
    }
    EXPECT_EQ(Read(), "written after the wait");
}

TEST_F(ClipboardViewerTest, NeverFollowsItselfAndRejoinsAtTheHead)
{
    ASSERT_TRUE(main_.viewer.Join(main_.window, 1));
    ViewerWindow second;
    ASSERT_NE(MakeWindow(&second), nullptr);
    ASSERT_TRUE(second.viewer.Join(second.window, 1));
    ASSERT_EQ(second.viewer.NextViewer(), main_.window);
    // News that the next viewer was replaced by the viewer itself is not followed.
    second.viewer.OnChangeChain(reinterpret_cast<WPARAM>(main_.window),
                                reinterpret_cast<LPARAM>(second.window));
    EXPECT_EQ(second.viewer.NextViewer(), nullptr);

    // Rejoining puts the first viewer back at the head, following the second.
    ASSERT_TRUE(main_.viewer.Rejoin());
    EXPECT_EQ(GetClipboardViewer(), main_.window);
    EXPECT_EQ(main_.viewer.NextViewer(), second.window);
    Pump();
    main_.draws = second.draws = 0;
    PutText(other_, "after rejoining");
    Pump();
    EXPECT_EQ(main_.draws, 1);
    EXPECT_EQ(second.draws, 1);
    // That change was notified: nothing was missed.
    EXPECT_FALSE(main_.viewer.MissedChange());
    second.viewer.Leave();
    DestroyWindow(second.window);
}

TEST_F(ClipboardViewerTest, ASecondJoinIsRefusedAndChangesNothing)
{
    ASSERT_TRUE(main_.viewer.Join(main_.window, 3));
    EXPECT_FALSE(main_.viewer.Join(other_, 7));
    EXPECT_FALSE(main_.viewer.Join(nullptr, 7));
    EXPECT_EQ(main_.viewer.Owner(), main_.window);
    EXPECT_EQ(main_.viewer.LineLimit(), 3u);
    EXPECT_EQ(GetClipboardViewer(), main_.window);
    EXPECT_TRUE(main_.viewer.Leave());
    EXPECT_EQ(main_.viewer.Owner(), nullptr);
    EXPECT_FALSE(main_.viewer.Leave());
}

TEST_F(ClipboardViewerTest, ChainStaysIntactAsASecondViewerComesAndGoes)
{
    ASSERT_TRUE(main_.viewer.Join(main_.window, 1));
    Pump();
    ViewerWindow second;
    ASSERT_NE(MakeWindow(&second), nullptr);
    ASSERT_TRUE(second.viewer.Join(second.window, 1));
    EXPECT_EQ(second.viewer.NextViewer(), main_.window);
    Pump();

    // A change reaches the first viewer through the second.
    main_.draws = second.draws = 0;
    PutText(other_, "change");
    Pump();
    EXPECT_EQ(second.draws, 1);
    EXPECT_EQ(main_.draws, 1);

    // The first viewer leaves: the second learns that nobody follows it any more.
    ASSERT_TRUE(main_.viewer.Leave());
    Pump();
    EXPECT_EQ(second.viewer.NextViewer(), nullptr);
    main_.draws = second.draws = 0;
    PutText(other_, "again");
    Pump();
    EXPECT_EQ(second.draws, 1);
    EXPECT_EQ(main_.draws, 0);

    // The last viewer ignores news of a window it does not follow.
    EXPECT_EQ(second.viewer.OnChangeChain(reinterpret_cast<WPARAM>(other_), 0), 0);
    EXPECT_EQ(second.viewer.NextViewer(), nullptr);
    second.viewer.Leave();
    DestroyWindow(second.window);
}

// Runs in a second process started by the test below: puts the text of the
// variable LEXIDROP_CLIPBOARD_PUT ("A:" + text as CF_TEXT, "W:" + text as
// CF_UNICODETEXT only) on the clipboard.
TEST(ClipboardWriterProcess, PutsTheTextItIsGiven)
{
    wchar_t value[256] = {};
    const DWORD length = GetEnvironmentVariableW(L"LEXIDROP_CLIPBOARD_PUT", value, 256);
    if (length < 2 || length >= 256) GTEST_SKIP() << "runs only as the writer process of another test";
    const HWND owner = MakeWindow(nullptr);
    if (value[0] == L'W') {
        Put(owner, CF_UNICODETEXT, value + 2, (length - 1) * sizeof(wchar_t));
    } else {
        char ansi[512] = {};
        WideCharToMultiByte(CP_ACP, 0, value + 2, -1, ansi, sizeof ansi, nullptr, nullptr);
        PutText(owner, ansi);
    }
    DestroyWindow(owner);
}

// Starts this program again as the writer process and handles messages until it ends.
void PutFromAnotherProcess(const char* value)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command = std::string("\"") + path + "\" --gtest_filter=ClipboardWriterProcess.*";
    SetEnvironmentVariableA("LEXIDROP_CLIPBOARD_PUT", value);
    // The writer's own test report would only muddle this test's output.
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    const HANDLE nul =
        CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    SetEnvironmentVariableA("LEXIDROP_CLIPBOARD_PUT", nullptr);
    CloseHandle(nul);
    ASSERT_TRUE(started);
    // The writer's clipboard change is sent to this thread's viewer window meanwhile.
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 60000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 0u);
    Pump();
}

TEST_F(ClipboardViewerTest, ReadsWhatAnotherProcessPutThereAndHearsOfIt)
{
    ASSERT_TRUE(main_.viewer.Join(main_.window, 1));
    Pump();
    main_.draws = 0;
    PutFromAnotherProcess("A:別のプロセス\r\n二行目");
    EXPECT_GE(main_.draws, 1);
    EXPECT_EQ(Read(), "別のプロセス");

    main_.draws = 0;
    PutFromAnotherProcess("W:ユニコードだけ");
    EXPECT_GE(main_.draws, 1);
    EXPECT_EQ(Read(), "ユニコードだけ");
}

class CountingExit : public ExitHandler {
public:
    int exits = 0;
    void ExitApplication() override { ++exits; }
};

TEST_F(ClipboardViewerTest, CopyLineEndsTheProgramWithExitOnceOnlyAfterASuccessfulWrite)
{
    CountingExit exit;
    ClipboardLineCopier staying(main_.viewer, false, exit);
    EXPECT_FALSE(staying.CopyLine("not joined"));
    EXPECT_EQ(exit.exits, 0);
    // A failed write would lose the copy and the program with it: it stays.
    ClipboardLineCopier copier(main_.viewer, true, exit);
    EXPECT_FALSE(copier.CopyLine("not joined"));
    EXPECT_EQ(exit.exits, 0);

    ASSERT_TRUE(main_.viewer.Join(main_.window, 1));
    EXPECT_TRUE(copier.CopyLine("読み"));
    EXPECT_EQ(exit.exits, 1);
    EXPECT_EQ(Read(), "読み");
}

}  // namespace
}  // namespace lexidrop
