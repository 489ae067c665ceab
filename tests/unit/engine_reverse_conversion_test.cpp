// The engine behind the reverse-conversion contract, and the way the program
// holds it (opened once, silent when the dictionary is missing or damaged).
#include "services/builtin_readings.h"
#include "lookup/engine_reverse_conversion.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace lexidrop {
namespace {

// The readings of a filled list, read the way the lookup reads them.
std::vector<std::u16string> ListedReadings(const std::vector<unsigned char>& list)
{
    CandidateListHeader h;
    std::memcpy(&h, list.data(), sizeof h);
    std::vector<std::u16string> out;
    for (std::uint32_t i = 0; i < h.dwCount; ++i) {
        std::uint32_t offset;
        std::memcpy(&offset, list.data() + offsetof(CandidateListHeader, dwOffset) + 4 * i, 4);
        std::u16string s;
        for (std::size_t at = offset; at + 1 < list.size(); at += 2) {
            char16_t c = static_cast<char16_t>(list[at] | (list[at + 1] << 8));
            if (c == 0) break;
            s.push_back(c);
        }
        out.push_back(s);
    }
    return out;
}

std::vector<unsigned char> Fill(ReverseConversion& conversion, const char16_t* text)
{
    std::uint32_t size = conversion.GetReverseConversionList(nullptr, nullptr, text, nullptr, 0);
    std::vector<unsigned char> list(size, 0);
    if (size != 0) {
        EXPECT_EQ(conversion.GetReverseConversionList(nullptr, nullptr, text, list.data(), size), size);
    }
    return list;
}

TEST(EngineReverseConversion, SizeQueryThenFilledCandidateList)
{
    ReadingEngine engine(test::BuiltDictionary());
    EngineReverseConversion conversion(engine, 5);
    auto list = Fill(conversion, u"上手");
    ASSERT_FALSE(list.empty());
    CandidateListHeader h;
    std::memcpy(&h, list.data(), sizeof h);
    EXPECT_EQ(h.dwSize, list.size());
    EXPECT_GE(h.dwCount, 2u);
    EXPECT_LE(h.dwCount, 5u);
    auto readings = ListedReadings(list);
    EXPECT_EQ(readings.front(), u"じょうず");

    // A buffer smaller than the reported size is left alone.
    std::vector<unsigned char> small(list.size() - 1, 0);
    EXPECT_EQ(conversion.GetReverseConversionList(nullptr, nullptr, u"上手", small.data(),
                                                  static_cast<std::uint32_t>(small.size())),
              0u);
    EXPECT_EQ(small, std::vector<unsigned char>(small.size(), 0));
    // Another text between the two calls gets its own list.
    EXPECT_EQ(ListedReadings(Fill(conversion, u"市場")).size() >= 2, true);
    EXPECT_EQ(conversion.GetReverseConversionList(nullptr, nullptr, u"", nullptr, 0), 0u);
    EXPECT_EQ(conversion.GetReverseConversionList(nullptr, nullptr, nullptr, nullptr, 0), 0u);
}

TEST(EngineReverseConversion, ChangedLimitRebuildsTheListForTheSameText)
{
    ReadingEngine engine(test::BuiltDictionary());
    EngineReverseConversion conversion(engine, 1);
    EXPECT_EQ(ListedReadings(Fill(conversion, u"上手")).size(), 1u);
    conversion.SetMaxReadings(4);
    EXPECT_EQ(ListedReadings(Fill(conversion, u"上手")).size(), 4u);
    conversion.SetMaxReadings(2);
    EXPECT_EQ(ListedReadings(Fill(conversion, u"上手")).size(), 2u);
}

TEST(EngineReverseConversion, ReadingsStayWithinShiftJis)
{
    ReadingEngine engine(test::BuiltDictionary());
    EngineReverseConversion conversion(engine);
    auto readings = ListedReadings(Fill(conversion, u"ヴァイオリン"));
    ASSERT_FALSE(readings.empty());
    EXPECT_EQ(readings.front(), u"ヴぁいおりん");
    EXPECT_EQ(ForShiftJis(u"\u3094\u3095\u3096ゆ"), u"ヴヵヶゆ");
}

class FixedConversion : public ReverseConversion {
public:
    explicit FixedConversion(std::uint32_t size) : size_(size) {}
    std::uint32_t GetReverseConversionList(void*, void*, const char16_t*, void* list, std::uint32_t) override
    {
        ++calls;
        if (list && size_) std::memset(list, 0x5A, size_);
        return size_;
    }
    int calls = 0;

private:
    std::uint32_t size_;
};

TEST(FallbackReverseConversion, SecondOnlyWhereTheFirstHasNothing)
{
    FixedConversion none(0), ime(40), engine(64);
    FallbackReverseConversion imeFirst(ime, engine);
    EXPECT_EQ(imeFirst.GetReverseConversionList(nullptr, nullptr, u"x", nullptr, 0), 40u);
    std::vector<unsigned char> list(64, 0);
    EXPECT_EQ(imeFirst.GetReverseConversionList(nullptr, nullptr, u"x", list.data(), 40), 40u);
    EXPECT_EQ(engine.calls, 0);

    FallbackReverseConversion noIme(none, engine);
    EXPECT_EQ(noIme.GetReverseConversionList(nullptr, nullptr, u"x", nullptr, 0), 64u);
    EXPECT_EQ(noIme.GetReverseConversionList(nullptr, nullptr, u"x", list.data(), 64), 64u);
    EXPECT_EQ(list[63], 0x5A);
}

TEST(BuiltInReadings, MissingOrDamagedDictionaryGivesNoConversion)
{
    EXPECT_EQ(BuiltInReadings("/nonexistent/Lexidrop.dic").Conversion(), nullptr);

    auto path = std::filesystem::temp_directory_path() / "lexidrop-engine-damaged.dic";
    {
        std::ifstream in(LEXIDROP_DICTIONARY, std::ios::binary);
        std::string data(std::istreambuf_iterator<char>(in), {});
        data.resize(data.size() / 2);
        std::ofstream(path, std::ios::binary).write(data.data(), static_cast<std::streamsize>(data.size()));
    }
    BuiltInReadings damaged(path.string());
    EXPECT_EQ(damaged.Conversion(), nullptr);
    EXPECT_EQ(damaged.Conversion(), nullptr);  // not retried, still silent
    std::filesystem::remove(path);

    BuiltInReadings good(LEXIDROP_DICTIONARY);
    ASSERT_NE(good.Conversion(), nullptr);
    EXPECT_EQ(good.Conversion(), good.Conversion());  // opened once
}

}  // namespace
}  // namespace lexidrop
