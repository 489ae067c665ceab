// The engine against readings a Japanese reader gives (tests/data/readings_gold.tsv):
// every miss is listed, and at least 95% of the items must pass. No offered
// reading may keep a kanji that the dictionary can read.
#include "engine/reading_engine.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace lexidrop {
namespace {

struct GoldItem {
    std::string group, text;
    std::vector<std::u16string> first, required;
    int line;
};

std::vector<std::u16string> Alternatives(const std::string& field)
{
    std::vector<std::u16string> out;
    std::stringstream in(field);
    for (std::string part; std::getline(in, part, '|');)
        if (!part.empty()) out.push_back(test::FromUtf8(part));
    return out;
}

std::vector<GoldItem> LoadGold()
{
    std::ifstream in(LEXIDROP_SOURCE_DIR "/tests/data/readings_gold.tsv");
    std::vector<GoldItem> items;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream row(line);
        for (std::string f; std::getline(row, f, '\t');) fields.push_back(f);
        if (fields.size() < 3) throw std::runtime_error("bad gold line " + std::to_string(number));
        items.push_back({fields[0], fields[1], Alternatives(fields[2]),
                         Alternatives(fields.size() > 3 ? fields[3] : ""), number});
    }
    return items;
}

std::string Joined(const std::vector<std::u16string>& list)
{
    std::string out;
    for (const auto& r : list) out += (out.empty() ? "" : " / ") + test::ToUtf8(r);
    return out;
}

bool IsKanji(char16_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || c == u'々';
}

// A kanji the dictionary has a word for on its own.
bool KnownKanji(const Dictionary& dic, char16_t c)
{
    bool known = false;
    dic.CommonPrefixSearch(&c, 1, [&](std::size_t, std::uint32_t, std::uint32_t) { known = true; });
    return known;
}

TEST(EngineGoldReadings, AtLeast95PercentReadAsAReaderSaysThem)
{
    const std::vector<GoldItem> items = LoadGold();
    ASSERT_GE(items.size(), 300u);
    ReadingEngine engine(test::BuiltDictionary());
    std::size_t passed = 0;
    std::string misses;
    for (const GoldItem& item : items) {
        const std::vector<std::u16string> list = engine.Readings(test::FromUtf8(item.text), 5);
        const bool firstRight =
            !list.empty() && std::find(item.first.begin(), item.first.end(), list[0]) != item.first.end();
        const bool allShown = std::all_of(item.required.begin(), item.required.end(), [&](const auto& r) {
            return std::find(list.begin(), list.end(), r) != list.end();
        });
        if (firstRight && allShown)
            ++passed;
        else
            misses += "  line " + std::to_string(item.line) + " [" + item.group + "] " + item.text + ": " +
                      Joined(list) + "\n";
    }
    const double score = static_cast<double>(passed) / static_cast<double>(items.size());
    std::printf("gold readings: %zu of %zu (%.1f%%)\n%s", passed, items.size(), score * 100, misses.c_str());
    EXPECT_GE(score, 0.95) << "misses:\n" << misses;
}

TEST(EngineGoldReadings, NoOfferedReadingKeepsAKnownKanji)
{
    const Dictionary& dic = test::BuiltDictionary();
    ReadingEngine engine(dic);
    for (const GoldItem& item : LoadGold()) {
        for (const auto& reading : engine.Readings(test::FromUtf8(item.text), 20)) {
            const bool junk = std::any_of(reading.begin(), reading.end(),
                                          [&](char16_t c) { return IsKanji(c) && KnownKanji(dic, c); });
            EXPECT_FALSE(junk) << item.text << " offers " << test::ToUtf8(reading);
        }
    }
}

TEST(EngineGoldReadings, TheBestReadingLeadsEveryList)
{
    ReadingEngine engine(test::BuiltDictionary());
    for (const GoldItem& item : LoadGold()) {
        const std::u16string text = test::FromUtf8(item.text);
        const std::u16string best = engine.BestReading(text);
        EXPECT_EQ(engine.Readings(text, 1), std::vector<std::u16string>{best}) << item.text;
        const auto list = engine.Readings(text, 20);
        ASSERT_FALSE(list.empty()) << item.text;
        EXPECT_EQ(list[0], best) << item.text;
    }
}

}  // namespace
}  // namespace lexidrop
