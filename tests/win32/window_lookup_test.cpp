#include "services/window_lookup.h"

#include "services/clipboard_viewer.h"
#include "services/copy_line.h"
#include "services/reverse_conversion_choice.h"
#include "settings/settings.h"
#include "ui/reading_list_view.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace lexidrop {
namespace {

// Two readings for any text: "よみ" and "ヨミ".
class AnyTextConversion : public ReverseConversion {
public:
    int chunks = 0;
    std::uint32_t GetReverseConversionList(void*, void*, const char16_t*, void* list,
                                           std::uint32_t size) override
    {
        const char16_t first[] = u"よみ";
        const char16_t second[] = u"ヨミ";
        const std::uint32_t header = offsetof(CANDIDATELIST, dwOffset) + 2 * sizeof(DWORD);
        const std::uint32_t needed = header + sizeof first + sizeof second;
        if (!list) {
            ++chunks;
            return needed;
        }
        if (size < needed) return 0;
        auto* candidates = static_cast<CANDIDATELIST*>(list);
        candidates->dwCount = 2;
        candidates->dwOffset[0] = header;
        candidates->dwOffset[1] = header + sizeof first;
        std::memcpy(static_cast<BYTE*>(list) + header, first, sizeof first);
        std::memcpy(static_cast<BYTE*>(list) + header + sizeof first, second, sizeof second);
        return needed;
    }
};

class WindowLookupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        ASSERT_NE(view_.Create(window_, settings_.Sort, settings_.LineNo), nullptr);
        ASSERT_TRUE(viewer_.Join(window_, ClipboardLineLimit(settings_)));
    }
    void TearDown() override
    {
        viewer_.Leave();
        DestroyWindow(window_);
    }
    void Put(const std::string& text)
    {
        const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(CF_TEXT, block);
        CloseClipboard();
    }
    std::vector<std::string> Lines()
    {
        std::vector<std::string> lines;
        std::string text;
        for (int i = 0; view_.GetLineText(i, text); ++i) lines.push_back(text);
        return lines;
    }

    Settings settings_;
    HWND window_ = nullptr;
    ReadingListView view_;
    ClipboardViewer viewer_;
};

TEST_F(WindowLookupTest, ShowsTheFirstLineAndItsMappedReadings)
{
    AnyTextConversion conversion;
    settings_.LCMKana = LCMAP_KATAKANA;  // both readings become ヨミ: one line
    Put("読み\r\n二行目");
    ASSERT_TRUE(RunLookup(window_, settings_.MaxCandi, MappingFlags(settings_), viewer_, view_, &conversion));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"読み", "ヨミ"}));
    std::string stored(16, '\0');
    SendMessageA(view_.Handle(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(stored.data()));
    EXPECT_STREQ(stored.c_str(), "0 読み");
}

TEST_F(WindowLookupTest, WithoutReverseConversionTheSourceLineStandsAlone)
{
    Put("漢字");
    ASSERT_TRUE(RunLookup(window_, settings_.MaxCandi, MappingFlags(settings_), viewer_, view_));
    const auto lines = Lines();
    if (lines.size() > 1) GTEST_SKIP() << "this system's IME converts back";
    EXPECT_EQ(lines, (std::vector<std::string>{"漢字"}));
}

TEST_F(WindowLookupTest, TheFuriganaLineComesFromTheEngineWhateverGivesTheReadings)
{
    ReverseConversionChoice choice;
    ReadingEngine* engine = choice.FuriganaEngine(1);
    ASSERT_NE(engine, nullptr);
    AnyTextConversion conversion;  // the readings come from elsewhere (an IME)
    const std::uint32_t katakana = LCMAP_KATAKANA;
    Put("今日は良い天気です");
    ASSERT_TRUE(RunLookup(window_, 20, katakana, viewer_, view_, &conversion, engine));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"今日は良い天気です",
                                                 "今日[キョウ]は 良[ヨ]い 天気[テンキ]です", "ヨミ"}));

    // No kanji, or no engine: no furigana line.
    Put("ひらがな");
    ASSERT_TRUE(RunLookup(window_, 20, katakana, viewer_, view_, &conversion, engine));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"ひらがな", "ヨミ"}));
    Put("漢字");
    ASSERT_TRUE(RunLookup(window_, 20, katakana, viewer_, view_, &conversion, nullptr));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"漢字", "ヨミ"}));
}

TEST_F(WindowLookupTest, EmptyOrMissingTextLeavesLinesAndCaretAlone)
{
    AnyTextConversion conversion;
    Put("元");
    ASSERT_TRUE(RunLookup(window_, settings_.MaxCandi, MappingFlags(settings_), viewer_, view_, &conversion));
    SendMessageA(view_.Handle(), LB_SETCARETINDEX, 2, FALSE);
    Put("");
    EXPECT_FALSE(
        RunLookup(window_, settings_.MaxCandi, MappingFlags(settings_), viewer_, view_, &conversion));
    Put("\r\nsecond line only");  // the first line is empty
    EXPECT_FALSE(
        RunLookup(window_, settings_.MaxCandi, MappingFlags(settings_), viewer_, view_, &conversion));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(
        RunLookup(window_, settings_.MaxCandi, MappingFlags(settings_), viewer_, view_, &conversion));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"元", "よみ", "ヨミ"}));
    EXPECT_EQ(SendMessageA(view_.Handle(), LB_GETCARETINDEX, 0, 0), 2);
}

TEST_F(WindowLookupTest, ACopiedLineBecomesTheSourceOfTheNextRun)
{
    class NoExit : public ExitHandler {
    public:
        void ExitApplication() override {}
    } noExit;
    AnyTextConversion conversion;
    Put("元");
    ASSERT_TRUE(RunLookup(window_, settings_.MaxCandi, MappingFlags(settings_), viewer_, view_, &conversion));
    ClipboardLineCopier copier(viewer_, settings_.ExitOnce != 0, noExit);
    ASSERT_TRUE(view_.CopyLineAt(2, copier));
    ASSERT_TRUE(RunLookup(window_, settings_.MaxCandi, MappingFlags(settings_), viewer_, view_, &conversion));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"ヨミ", "よみ"}));  // its own reading is dropped
}

TEST_F(WindowLookupTest, LongAndOddTextsGoThroughWhole)
{
    AnyTextConversion conversion;
    settings_.CBCRLimit = 0;
    viewer_.SetLineLimit(ClipboardLineLimit(settings_));

    // A megabyte without a break: every chunk converts, the readings grow along.
    Put(std::string(1 << 20, 'x'));
    ASSERT_TRUE(RunLookup(window_, settings_.MaxCandi, MappingFlags(settings_), viewer_, view_, &conversion));
    EXPECT_EQ(conversion.chunks, ((1 << 20) + 99) / 100);
    EXPECT_EQ(view_.GetLineCount(), 21);

    // Separators only.
    std::string separators;
    for (int i = 0; i < 30; ++i) separators += "、。 \t「」";
    Put(separators);
    ASSERT_TRUE(RunLookup(window_, settings_.MaxCandi, MappingFlags(settings_), viewer_, view_, &conversion));
    EXPECT_EQ(Lines().front(), separators);

    // A lone lead byte at the end: the list box stores its lines as UTF-16, so it
    // keeps "漢" and makes of the stray byte what the code page gives (Wine: "・").
    Put("漢\x88");
    ASSERT_TRUE(RunLookup(window_, settings_.MaxCandi, MappingFlags(settings_), viewer_, view_, &conversion));
    const std::string source = Lines().front();
    EXPECT_EQ(source.substr(0, 2), "漢");
    EXPECT_LE(source.size(), 4u);
}

}  // namespace
}  // namespace lexidrop
