#include "services/reading_converter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace lexidrop {
namespace {

std::u16string Wide(const std::string& ansi)
{
    std::u16string wide(ansi.size() + 1, u'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, reinterpret_cast<LPWSTR>(wide.data()),
                                      static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n - 1 : 0);
    return wide;
}

// Answers with real candidate-list blocks built from a table of UTF-16 readings.
class TableConversion : public ReverseConversion {
public:
    std::map<std::u16string, std::vector<std::u16string>> table;
    bool fillNothing = false;
    std::vector<std::u16string> sources;   // source of every size query
    std::vector<std::uint32_t> fillSizes;  // size of every filling call

    static std::vector<BYTE> Block(const std::vector<std::u16string>& readings)
    {
        const std::size_t header = offsetof(CANDIDATELIST, dwOffset) + readings.size() * sizeof(DWORD);
        std::size_t size = header;
        for (const auto& r : readings) size += (r.size() + 1) * 2;
        std::vector<BYTE> block(size, 0);
        auto* list = reinterpret_cast<CANDIDATELIST*>(block.data());
        list->dwSize = static_cast<DWORD>(size);
        list->dwCount = static_cast<DWORD>(readings.size());
        std::size_t at = header;
        for (std::size_t i = 0; i < readings.size(); ++i) {
            list->dwOffset[i] = static_cast<DWORD>(at);
            std::memcpy(block.data() + at, readings[i].c_str(), (readings[i].size() + 1) * 2);
            at += (readings[i].size() + 1) * 2;
        }
        return block;
    }

    std::uint32_t GetReverseConversionList(void*, void*, const char16_t* source, void* list,
                                           std::uint32_t size) override
    {
        const auto it = table.find(source);
        if (it == table.end()) return 0;
        const std::vector<BYTE> block = Block(it->second);
        if (!list) {
            sources.push_back(source);
            return static_cast<std::uint32_t>(block.size());
        }
        fillSizes.push_back(size);
        if (fillNothing || size < block.size()) return 0;
        auto* target = static_cast<CANDIDATELIST*>(list);
        EXPECT_EQ(target->dwSize, size);
        EXPECT_EQ(target->dwStyle, static_cast<DWORD>(IME_CAND_MEANING));
        std::memcpy(list, block.data(), block.size());
        return static_cast<std::uint32_t>(block.size());
    }
};

std::vector<std::string> Strings(const ChunkReadings& readings)
{
    return std::vector<std::string>(readings.begin(), readings.end());
}

TEST(ReadingConverter, ConvertsEveryCandidateToTheAnsiCodePageInOrder)
{
    TableConversion table;
    table.table[u"漢字"] = {u"かんじ", u"かんし", u"Kanji"};
    ReadingConverter converter(table);
    converter.Reset(20, 0);
    ChunkReadings readings;
    ASSERT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, "漢字", readings));
    EXPECT_EQ(Strings(readings), (std::vector<std::string>{"かんじ", "かんし", "Kanji"}));
    EXPECT_EQ(table.sources, (std::vector<std::u16string>{u"漢字"}));
}

TEST(ReadingConverter, ReadingsLongerInTheCodePageThanInUtf16StayWhole)
{
    // UTF-8 takes three bytes for a kana where Shift-JIS takes two: each reading is
    // converted into the room the conversion reports, whatever the code page.
    TableConversion table;
    const std::u16string longKana(200, u'あ');
    table.table[u"x"] = {u"かんじ", longKana, u"ｶﾝｼﾞ"};
    ReadingConverter converter(table, CP_UTF8);
    converter.Reset(20, 0);
    ChunkReadings readings;
    ASSERT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, "x", readings));
    std::string longUtf8;
    for (int i = 0; i < 200; ++i) longUtf8 += "\xE3\x81\x82";
    EXPECT_EQ(Strings(readings),
              (std::vector<std::string>{"\xE3\x81\x8B\xE3\x82\x93\xE3\x81\x98", longUtf8,
                                        "\xEF\xBD\xB6\xEF\xBE\x9D\xEF\xBD\xBC\xEF\xBE\x9E"}));
}

TEST(ReadingConverter, WorkBufferGrowsOnlyAndIsClearedForEachChunk)
{
    TableConversion table;
    table.table[u"big"] = {u"ながいよみがなのこうほ", u"もうひとつのながいこうほ", u"みっつめ"};
    table.table[u"small"] = {u"み"};
    table.table[u"bigger"] = {u"ながいよみがなのこうほ", u"もうひとつのながいこうほ", u"みっつめ",
                              u"よっつめのさらにながいこうほです"};
    ReadingConverter converter(table);
    converter.Reset(20, 0);
    ChunkReadings readings;
    ASSERT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, "big", readings));
    const std::uint32_t bigUnit = converter.WorkBufferUnit();
    EXPECT_EQ(bigUnit, TableConversion::Block(table.table[u"big"]).size());
    EXPECT_EQ(readings.size(), 3u);

    ASSERT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, "small", readings));
    EXPECT_EQ(converter.WorkBufferUnit(), bigUnit);                  // reused, not shrunk
    EXPECT_EQ(Strings(readings), (std::vector<std::string>{"み"}));  // nothing left from before
    // The filling call gets the size of this chunk's list, not of the buffer.
    EXPECT_EQ(table.fillSizes.back(), TableConversion::Block(table.table[u"small"]).size());

    ASSERT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, "bigger", readings));
    EXPECT_GT(converter.WorkBufferUnit(), bigUnit);
    EXPECT_EQ(readings.size(), 4u);
    EXPECT_EQ(std::string(readings.back()), "よっつめのさらにながいこうほです");

    converter.Reset(20, 0);
    EXPECT_EQ(converter.WorkBufferUnit(), 0u);
}

TEST(ReadingConverter, NoListFailsAnEmptyFillSucceedsWithoutReadings)
{
    TableConversion table;
    table.table[u"x"] = {u"えっくす"};
    ReadingConverter converter(table);
    converter.Reset(20, 0);
    ChunkReadings readings{"stale"};
    EXPECT_FALSE(converter.ConvertChunk(true, nullptr, nullptr, "unknown", readings));
    EXPECT_TRUE(readings.empty());

    table.fillNothing = true;
    EXPECT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, "x", readings));
    EXPECT_TRUE(readings.empty());
}

TEST(ReadingConverter, MappingAppliesTheFlagsAndKeepsTheFirstOfEqualResults)
{
    TableConversion table;
    table.table[u"a"] = {u"かな", u"カナ", u"abc", u"ABC", u"かな"};
    ReadingConverter converter(table);
    ChunkReadings readings;

    converter.Reset(20, LCMAP_KATAKANA);
    ASSERT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, "a", readings));
    EXPECT_EQ(Strings(readings), (std::vector<std::string>{"カナ", "abc", "ABC"}));

    converter.Reset(20, LCMAP_UPPERCASE);
    ASSERT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, "a", readings));
    EXPECT_EQ(Strings(readings), (std::vector<std::string>{"かな", "カナ", "ABC"}));

    converter.Reset(20, LCMAP_HIRAGANA | LCMAP_LOWERCASE);
    ASSERT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, "a", readings));
    EXPECT_EQ(Strings(readings), (std::vector<std::string>{"かな", "abc"}));

    converter.Reset(20, LCMAP_FULLWIDTH);
    ASSERT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, "a", readings));
    EXPECT_EQ(Strings(readings), (std::vector<std::string>{"かな", "カナ", "ａｂｃ", "ＡＢＣ"}));

    converter.Reset(20, 0);
    ASSERT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, "a", readings));
    EXPECT_EQ(Strings(readings), (std::vector<std::string>{"かな", "カナ", "abc", "ABC"}));
}

TEST(ReadingConverter, ARefusedFlagCombinationLeavesReadingsUnmapped)
{
    TableConversion table;
    table.table[u"a"] = {u"かな", u"abc"};
    ReadingConverter converter(table);
    converter.Reset(20, LCMAP_HIRAGANA | LCMAP_KATAKANA);
    char probe[16];
    ASSERT_EQ(
        LCMapStringA(GetUserDefaultLCID(), LCMAP_HIRAGANA | LCMAP_KATAKANA, "abc", -1, probe, sizeof probe),
        0)
        << "the platform accepts this combination";
    ChunkReadings readings;
    ASSERT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, "a", readings));
    EXPECT_EQ(Strings(readings), (std::vector<std::string>{"かな", "abc"}));
}

TEST(ReadingConverter, AHundredByteChunkReachesTheConversionWhole)
{
    TableConversion table;
    const std::string chunk(100, 'q');
    table.table[Wide(chunk)] = {u"きゅー"};
    ReadingConverter converter(table);
    converter.Reset(20, 0);
    ChunkReadings readings;
    ASSERT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, chunk.c_str(), readings));
    ASSERT_EQ(table.sources.size(), 1u);
    EXPECT_EQ(table.sources[0].size(), 100u);

    // Without the NT flag the bytes go through unconverted, still terminated.
    const std::string raw = "ab";
    table.table[std::u16string(1, static_cast<char16_t>('a' | ('b' << 8)))] = {u"ろう"};
    ASSERT_TRUE(converter.ConvertChunk(false, nullptr, nullptr, raw.c_str(), readings));
    EXPECT_EQ(Strings(readings), (std::vector<std::string>{"ろう"}));
}

TEST(ReadingConverter, MalformedListsNeverReachOutsideTheBuffer)
{
    // A list whose offsets point outside, at the header, or at an unterminated string.
    class Broken : public ReverseConversion {
    public:
        std::uint32_t GetReverseConversionList(void*, void*, const char16_t*, void* list,
                                               std::uint32_t size) override
        {
            if (!list) return 64;
            auto* l = static_cast<CANDIDATELIST*>(list);
            l->dwCount = 1000;  // more than the list can hold
            l->dwOffset[0] = 4000;
            l->dwOffset[1] = 8;
            l->dwOffset[2] = 62;  // last unit of the list: no room for a terminator
            auto* bytes = static_cast<BYTE*>(list);
            bytes[62] = 'z';
            return size;
        }
    } broken;
    class TooSmall : public ReverseConversion {
    public:
        std::uint32_t GetReverseConversionList(void*, void*, const char16_t*, void*, std::uint32_t) override
        {
            return 4;
        }
    } tooSmall;
    ChunkReadings readings;
    ReadingConverter converter(broken);
    converter.Reset(20, 0);
    EXPECT_TRUE(converter.ConvertChunk(true, nullptr, nullptr, "x", readings));
    EXPECT_TRUE(readings.empty());
    ReadingConverter small(tooSmall);
    small.Reset(20, 0);
    EXPECT_FALSE(small.ConvertChunk(true, nullptr, nullptr, "x", readings));
}

// A plain top-level window standing in for the main window.
class ConverterWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }
    HWND window_ = nullptr;
};

TEST_F(ConverterWindow, ConvertMergesChunksAndDropsTheSourceItself)
{
    TableConversion table;
    const std::string first = std::string(95, 'a') + "、";  // 97 bytes, a chunk of its own
    table.table[Wide(first)] = {u"x1", u"x2"};
    table.table[u"かな"] = {u"かな", u"y2"};
    ReadingConverter converter(table);
    ReadingList out{"stale"};
    converter.Convert(window_, 3, 0, first + "かな", out);
    EXPECT_EQ(out, (ReadingList{"x1かな", "x2かな", "x1y2"}));
    EXPECT_EQ(converter.WorkBufferUnit(), 0u);  // freed at the end

    converter.Convert(window_, 20, 0, "かな", out);
    EXPECT_EQ(out, (ReadingList{"y2"}));
}

TEST_F(ConverterWindow, WithTheImeOfThisSystemAFailedFirstChunkGivesNoReadings)
{
    // Wine offers no reverse conversion; on Windows with a Japanese IME this
    // text has readings.
    ReadingConverter converter;
    ReadingList out{"stale"};
    converter.Convert(window_, 20, 0, "漢字", out);
    char name[KL_NAMELENGTH] = {};
    GetKeyboardLayoutNameA(name);
    if (!out.empty()) GTEST_SKIP() << "this system's IME converts back (layout " << name << ")";
    EXPECT_EQ(converter.WorkBufferUnit(), 0u);
}

}  // namespace
}  // namespace lexidrop
