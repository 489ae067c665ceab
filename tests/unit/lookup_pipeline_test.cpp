#include "lookup/reading_pipeline.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace lexidrop {
namespace {

std::vector<std::size_t> ChunkLengths(std::string_view text)
{
    std::vector<std::size_t> lengths;
    while (!text.empty()) {
        lengths.push_back(NextChunkLength(text));
        text.remove_prefix(lengths.back());
    }
    return lengths;
}

TEST(Chunking, ShortTextsAreOneChunkEvenWithSeparators)
{
    EXPECT_EQ(ChunkLengths(std::string(100, 'a').replace(10, 1, " ")), (std::vector<std::size_t>{100}));
    EXPECT_EQ(ChunkLengths("a b"), (std::vector<std::size_t>{3}));
}

TEST(Chunking, CutsAfterTheLastSeparatorWithinTheFirstHundredBytes)
{
    // "、" at bytes 10-11 of 101 bytes.
    std::string text = std::string(10, 'a') + "、" + std::string(89, 'b');
    ASSERT_EQ(text.size(), 101u);
    EXPECT_EQ(ChunkLengths(text), (std::vector<std::size_t>{12, 89}));

    // CR at 98 and LF at 99: the backward scan meets the LF first.
    text = std::string(98, 'a') + "\r\n" + std::string(20, 'b');
    EXPECT_EQ(ChunkLengths(text), (std::vector<std::size_t>{100, 20}));

    // A separator later in the table wins over an earlier one at a smaller position.
    text = std::string(40, 'a') + "\n" + std::string(50, 'b') + "」" + std::string(30, 'c');
    EXPECT_EQ(NextChunkLength(text), 93u);

    // Every one of the eleven separators is recognised.
    for (const char* separator : {"\n", "\r", "\t", " ", "　", "、", "。", "，", "．", "「", "」"}) {
        text = std::string(50, 'x') + separator + std::string(60, 'y');
        EXPECT_EQ(NextChunkLength(text), 50 + std::string_view(separator).size()) << separator;
    }
}

TEST(Chunking, TwoByteSeparatorMustEndInsideTheWindow)
{
    // "。" at bytes 99-100 straddles the limit and does not count; the cut then
    // stops before it, on a whole character.
    std::string text = std::string(99, 'a') + "。" + "zz";
    EXPECT_EQ(ChunkLengths(text), (std::vector<std::size_t>{99, 4}));
    // A lone 0x81 at byte 99 whose partner 0x42 lies outside is no separator either,
    // but a space at 98 is.
    text = std::string(98, 'a') + " " + "。" + "zz";
    EXPECT_EQ(NextChunkLength(text), 99u);
}

TEST(Chunking, DoubleByteTextWithoutSeparatorsIsCutEveryHundredBytes)
{
    std::string text;
    for (int i = 0; i < 125; ++i) text += "漢";
    EXPECT_EQ(ChunkLengths(text), (std::vector<std::size_t>{100, 100, 50}));
    // Separators only: each chunk ends on the last separator of its window.
    EXPECT_EQ(ChunkLengths(std::string(250, ' ')), (std::vector<std::size_t>{100, 100, 50}));
}

TEST(Chunking, OddAlignedTextIsCutOnWholeCharacters)
{
    // One to three single-byte characters ahead of two-byte ones put a character
    // across the 100-byte mark; every cut still ends on a character boundary.
    for (const char* lead : {"", "a", "ab", "abc"}) {
        std::string text = lead;
        for (int i = 0; i < 4; ++i) text += "東京都千代田区霞が関一丁目";
        std::size_t start = 0;
        for (std::size_t length : ChunkLengths(text)) {
            EXPECT_GE(length, 99u) << lead;
            std::size_t at = start;
            while (at < start + length)
                at += IsShiftJisLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
            EXPECT_EQ(at, start + length) << lead << " chunk at " << start;
            start += length;
            if (text.size() - start <= kChunkLimit) break;
        }
    }
    // A lead byte as the text's last byte stands alone.
    EXPECT_EQ(NextChunkLength(std::string(100, 'a') + "\x88"), 100u);
    // Another code page's rule (every byte single) cuts at 100.
    EXPECT_EQ(NextChunkLength(std::string(99, 'a') + "漢字", [](unsigned char) { return false; }), 100u);
}

// The merge exactly as the lookup defines it: copy, clear, recombine with the
// new readings varying slowest.
void ReferenceMerge(ReadingList& out, const ChunkReadings& readings, std::uint32_t maxCandi)
{
    if (out.empty()) {
        for (auto r : readings) {
            if (out.size() >= maxCandi) break;
            out.emplace_back(r);
        }
        return;
    }
    const ReadingList before = out;
    out.clear();
    for (auto a : readings) {
        for (const auto& b : before) {
            if (out.size() >= maxCandi) return;
            out.push_back(b + std::string(a));
        }
    }
}

ReadingList Merged(std::vector<std::vector<std::string>> chunks, std::uint32_t maxCandi)
{
    ReadingList out;
    for (const auto& chunk : chunks) {
        const ChunkReadings readings(chunk.begin(), chunk.end());
        MergeChunkReadings(out, readings, maxCandi);
    }
    return out;
}

TEST(MergeChunkReadings, NewReadingsVarySlowestUpToTheCap)
{
    EXPECT_EQ(Merged({{"x1", "x2"}, {"y1", "y2"}}, 20), (ReadingList{"x1y1", "x2y1", "x1y2", "x2y2"}));
    EXPECT_EQ(Merged({{"x1", "x2"}, {"y1", "y2"}}, 3), (ReadingList{"x1y1", "x2y1", "x1y2"}));
    // Equal results are kept.
    EXPECT_EQ(Merged({{"x", "xy"}, {"yz", "z"}}, 20), (ReadingList{"xyz", "xyyz", "xz", "xyz"}));
}

TEST(MergeChunkReadings, AFullListOnlyTakesTheFirstReadingOfTheNextChunk)
{
    std::vector<std::string> first, second;
    for (int i = 0; i < 25; ++i) first.push_back("a" + std::to_string(i));
    second = {"P", "Q", "R"};
    const ReadingList out = Merged({first, second}, 20);
    ASSERT_EQ(out.size(), 20u);
    int i = 0;
    for (const auto& reading : out) EXPECT_EQ(reading, "a" + std::to_string(i++) + "P");
}

TEST(MergeChunkReadings, AnEmptyChunkDropsEverythingAndTheNextStartsAfresh)
{
    EXPECT_EQ(Merged({{"a", "b"}, {}}, 20), ReadingList{});
    EXPECT_EQ(Merged({{"a", "b"}, {}, {"c", "d"}}, 20), (ReadingList{"c", "d"}));
    EXPECT_EQ(Merged({{}, {"c"}}, 20), (ReadingList{"c"}));
}

TEST(MergeChunkReadings, MatchesTheDefinitionOnRandomChunkSequences)
{
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        const std::uint32_t maxCandi = 1 + random() % 12;
        ReadingList expected, actual;
        const int chunkCount = 1 + random() % 6;
        for (int c = 0; c < chunkCount; ++c) {
            std::vector<std::string> strings;
            const int count = random() % 5;  // sometimes empty
            for (int r = 0; r < count; ++r)
                strings.push_back(std::string(1 + random() % 3, 'a' + c) + std::to_string(r));
            const ChunkReadings readings(strings.begin(), strings.end());
            ReferenceMerge(expected, readings, maxCandi);
            MergeChunkReadings(actual, readings, maxCandi);
            ASSERT_EQ(actual, expected) << "round " << round << " chunk " << c;
        }
    }
}

// Serves readings by chunk text; a chunk without an entry fails.
class FakeChunkConverter : public ChunkConverter {
public:
    std::function<bool(const std::string&, std::vector<std::string>&)> answer;
    std::vector<std::string> chunks;

    bool ConvertChunk(const char* chunk, ChunkReadings& readings) override
    {
        chunks.emplace_back(chunk);
        readings.clear();
        storage_.clear();
        if (!answer(chunk, storage_)) return false;
        readings.assign(storage_.begin(), storage_.end());
        return true;
    }

private:
    std::vector<std::string> storage_;
};

TEST(ConvertText, ConvertsChunkByChunkAndStopsAtTheFirstFailure)
{
    FakeChunkConverter converter;
    converter.answer = [](const std::string& chunk, std::vector<std::string>& readings) {
        if (chunk.starts_with("fail")) return false;
        readings = {"<" + chunk.substr(0, 2) + ">", "[" + chunk.substr(0, 2) + "]"};
        return true;
    };
    const std::string text = std::string(60, 'a') + " " + std::string(60, 'b');  // 61 + 60 bytes
    ReadingList out{"stale"};
    ConvertText(text, 20, converter, out);
    EXPECT_EQ(converter.chunks, (std::vector<std::string>{text.substr(0, 61), text.substr(61)}));
    EXPECT_EQ(out, (ReadingList{"<aa><bb>", "[aa]<bb>", "<aa>[bb]", "[aa][bb]"}));

    // A later chunk failing keeps what the earlier chunks built.
    converter.chunks.clear();
    ConvertText(std::string(60, 'a') + " " + "fail" + std::string(60, 'c'), 20, converter, out);
    EXPECT_EQ(converter.chunks.size(), 2u);
    EXPECT_EQ(out, (ReadingList{"<aa>", "[aa]"}));

    // The first chunk failing leaves nothing.
    ConvertText("fail", 20, converter, out);
    EXPECT_TRUE(out.empty());
    converter.chunks.clear();
    ConvertText("", 20, converter, out);
    EXPECT_TRUE(converter.chunks.empty());
    EXPECT_TRUE(out.empty());
}

TEST(ConvertText, AChunkWithoutReadingsStopsLikeAFailure)
{
    FakeChunkConverter converter;
    converter.answer = [](const std::string& chunk, std::vector<std::string>& readings) {
        if (!chunk.starts_with("none")) readings = {"<" + chunk.substr(0, 2) + ">"};
        return true;
    };
    ReadingList out;
    // The tail's reading is never presented as the whole text's.
    ConvertText(std::string(60, 'a') + " " + "none" + std::string(60, 'b') + " " + std::string(60, 'c'), 20,
                converter, out);
    EXPECT_EQ(converter.chunks.size(), 2u);
    EXPECT_EQ(out, (ReadingList{"<aa>"}));
    ConvertText("none", 20, converter, out);
    EXPECT_TRUE(out.empty());
}

TEST(ConvertText, AnyStoredLimitProducesAtMostNinetyNineReadings)
{
    FakeChunkConverter converter;
    converter.answer = [](const std::string&, std::vector<std::string>& readings) {
        for (int i = 0; i < 300; ++i) readings.push_back("r" + std::to_string(i));
        return true;
    };
    for (const std::uint32_t limit : {1u, 98u, 99u, 100u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        ReadingList out;
        ConvertText("x", limit, converter, out);
        EXPECT_EQ(out.size(), std::min<std::size_t>(limit, kMostReadings)) << limit;
    }
}

TEST(ConvertText, DropsEveryReadingEqualToTheWholeTextAfterTheCap)
{
    FakeChunkConverter converter;
    converter.answer = [](const std::string&, std::vector<std::string>& readings) {
        readings = {"かな", "カナ", "かな", "kana"};
        return true;
    };
    ReadingList out;
    ConvertText("かな", 3, converter, out);
    EXPECT_EQ(out, (ReadingList{"カナ"}));
    // A reading that only contains the text stays.
    ConvertText("か", 20, converter, out);
    EXPECT_EQ(out.size(), 4u);
}

TEST(ConvertText, OnlySeparatorsAndLongTextsGoThroughWithoutOverrun)
{
    FakeChunkConverter converter;
    std::size_t longest = 0;
    converter.answer = [&longest](const std::string& chunk, std::vector<std::string>& readings) {
        longest = std::max(longest, chunk.size());
        readings = {"r"};
        return true;
    };
    ReadingList out;
    std::string separators;
    for (int i = 0; i < 40; ++i) separators += "、\r\n 　";
    ConvertText(separators, 20, converter, out);
    EXPECT_LE(longest, kChunkLimit);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out.front(), std::string(converter.chunks.size(), 'r'));

    // A megabyte without any break: 10486 chunks, one reading each.
    converter.chunks.clear();
    ConvertText(std::string(1 << 20, 'x'), 20, converter, out);
    EXPECT_EQ(converter.chunks.size(), ((1u << 20) + 99) / 100);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out.front().size(), converter.chunks.size());

    // A text ending in a lone Shift-JIS lead byte reaches the converter as it is.
    converter.chunks.clear();
    ConvertText("漢\x88", 20, converter, out);
    EXPECT_EQ(converter.chunks, (std::vector<std::string>{"漢\x88"}));
}

}  // namespace
}  // namespace lexidrop
