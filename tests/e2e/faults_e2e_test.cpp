// The real Lexidrop.exe next to misbehaving neighbours and stored values:
// another process holding the clipboard, viewers in the chain that die or
// hang, a chain message naming Lexidrop itself, huge limits and texts whose
// 100-byte cut falls inside a character.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "e2e_harness.h"

namespace e2e {
namespace {

// Settings without line numbers and with Alt+digit copying lines.
std::map<std::string, std::uint32_t> Plain(std::map<std::string, std::uint32_t> values = {})
{
    values.emplace("LineNo", 0);
    values.emplace("SetClipMod", MOD_ALT);
    return values;
}

// Copies `text` and waits until Lexidrop shows it as line 0.
bool CopiedTextShown(const Lexidrop& app, const std::string& text)
{
    return SetClipboardText(text) && app.WaitForLine0(text);
}

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SetClipboardText("start")); }
};

TEST_F(FaultTest, ClipboardHeldByAnotherProcessAtStartIsWaitedFor)
{
    ResetRegistry(Plain());
    FaultHelper holder;
    ASSERT_TRUE(holder.Start("hold-clipboard 500"));
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    EXPECT_TRUE(app.WaitForLine0("start"));
    EXPECT_TRUE(holder.WaitForExit());
    EXPECT_TRUE(app.Exit());
}

TEST_F(FaultTest, LineCopyWaitsForABusyClipboardAndNeverEndsWithoutCopying)
{
    struct Case {
        int holdMs;
        bool exitOnce;
        bool copied;  // else: a beep, and the clipboard keeps the other program's text
    };
    const Case cases[] = {
        {400, false, true},
        {400, true, true},
        {3000, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.holdMs) + " ms, ExitOnce " + std::to_string(c.exitOnce));
        ResetRegistry(Plain({{"ExitOnce", c.exitOnce ? 1u : 0u}}));
        Lexidrop app;
        ASSERT_TRUE(app.StartAndFindWindow());
        ASSERT_TRUE(CopiedTextShown(app, "市場"));
        const auto lines = app.Lines();
        ASSERT_GE(lines.size(), 2u);

        FaultHelper holder;
        ASSERT_TRUE(holder.Start("hold-clipboard " + std::to_string(c.holdMs)));
        SetForegroundWindow(app.Window());
        PressKeys({VK_MENU}, '1');
        ASSERT_TRUE(holder.WaitForExit());
        if (c.copied) {
            EXPECT_TRUE(WaitFor([&] { return GetClipboardText() == lines[1]; }));
        } else {
            EXPECT_EQ(GetClipboardText(), "市場");
        }
        if (c.exitOnce && c.copied) {
            EXPECT_EQ(app.WaitForExit(), 0u);
        } else {
            EXPECT_TRUE(app.Running());
            EXPECT_TRUE(app.Exit());
        }
    }
}

TEST_F(FaultTest, CopiesKeepArrivingWhateverTheOtherViewersDo)
{
    struct Case {
        const char* name;
        bool joinsBeforeLexidrop;  // else after it, ahead of it in the chain
        const char* mode;
        bool killed;  // dies without leaving the chain
    };
    const Case cases[] = {
        {"a viewer that joined later dies", false, "viewer", true},
        {"a viewer that joined later hangs", false, "hung-viewer", false},
        {"the next viewer hangs", true, "hung-viewer", false},
        {"the next viewer dies", true, "viewer", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetRegistry(Plain());
        FaultHelper viewer;
        if (c.joinsBeforeLexidrop) {
            ASSERT_TRUE(viewer.Start(c.mode));
        }
        Lexidrop app;
        ASSERT_TRUE(app.StartAndFindWindow());
        if (!c.joinsBeforeLexidrop) {
            ASSERT_TRUE(viewer.Start(c.mode));
        }
        if (c.killed) viewer.Kill();
        for (const char* text : {"一回目", "二回目", "三回目"})
            EXPECT_TRUE(CopiedTextShown(app, text)) << text;
        EXPECT_TRUE(app.Exit());
    }
}

TEST_F(FaultTest, ChainMessageNamingLexidropItselfIsNotFollowed)
{
    ResetRegistry(Plain());
    FaultHelper viewer;
    ASSERT_TRUE(viewer.Start("viewer"));  // Lexidrop's next viewer
    const HWND next = FindWindowA("LexidropFaultViewer", nullptr);
    ASSERT_NE(next, nullptr);
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(app.Window(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(next),
                        reinterpret_cast<LPARAM>(app.Window()), SMTO_ABORTIFHUNG, 5000, &answer);
    EXPECT_TRUE(CopiedTextShown(app, "自分宛て"));
    EXPECT_TRUE(app.Running());
    EXPECT_TRUE(app.Exit());
}

TEST_F(FaultTest, HugeStoredReadingLimitIsKeptButTheWorkStaysBounded)
{
    ResetRegistry(Plain({{"MaxCandi", 0xFFFFFFFFu}, {"MaxLine", 3}}));
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    // 96 bytes of words with several readings each.
    std::string text;
    while (text.size() < 96) text += "今日明日市場上手";
    text.resize(96);
    ASSERT_TRUE(CopiedTextShown(app, text));
    const auto lines = app.Lines();
    EXPECT_GE(lines.size(), 2u);
    EXPECT_LE(lines.size(), 100u);  // the text and at most 99 readings
    EXPECT_TRUE(app.Exit());
    EXPECT_EQ(ReadRegistry("MaxCandi"), 0xFFFFFFFFu);
}

TEST_F(FaultTest, TextsCutInsideACharacterStillReadWhole)
{
    // Odd offsets put a two-byte character across the 100-byte mark when no
    // separator lies inside the first 100 bytes.
    const std::string place = "東京都千代田区霞が関一丁目";
    ResetRegistry(Plain({{"MaxCandi", 1}}));
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    for (const char* lead : {"a", "ab", "abc"}) {
        std::string text = lead;
        for (int i = 0; i < 4; ++i) text += place;
        ASSERT_TRUE(CopiedTextShown(app, text)) << lead;
        const auto lines = app.Lines();
        ASSERT_EQ(lines.size(), 2u) << lead;
        // The reading is the lead and kana only: every two-byte character of
        // Shift-JIS hiragana starts with 0x82.
        const std::string& reading = lines[1];
        ASSERT_EQ(reading.rfind(lead, 0), 0u);
        for (std::size_t i = std::string(lead).size(); i < reading.size(); i += 2)
            EXPECT_EQ(static_cast<unsigned char>(reading[i]), 0x82u) << lead << " at byte " << i;
    }
    EXPECT_TRUE(app.Exit());
}

TEST_F(FaultTest, StoredPlacementNearThe32BitLimitsEndsOnTheScreen)
{
    const std::uint32_t places[][2] = {
        {0x7FFFFFF0u, 0x7FFFFFF0u},
        {0x7FFFFFFFu, 0x80000000u},
        {0x80000000u, 0xFFFFFFFFu},
    };
    RECT screen{};
    GetClientRect(GetDesktopWindow(), &screen);
    for (const auto& place : places) {
        SCOPED_TRACE(std::to_string(place[0]) + ", " + std::to_string(place[1]));
        ResetRegistry(Plain({{"WndX", place[0]}, {"WndY", place[1]}}));
        Lexidrop app;
        ASSERT_TRUE(app.StartAndFindWindow());
        const RECT rect = app.WindowRect();
        EXPECT_GE(rect.left, 0);
        EXPECT_GE(rect.top, 0);
        EXPECT_LE(rect.right, screen.right);
        EXPECT_LE(rect.bottom, screen.bottom);
        EXPECT_TRUE(app.Exit());
    }
}

}  // namespace
}  // namespace e2e
