// The engine against readings a Japanese reader gives (tests/data/gold/*.tsv,
// format in readings.tsv's header). For each file: the share of items whose
// first reading is accepted and whose required readings are among the first
// five, and the offered readings among the first four that no reader accepts;
// every miss and every such reading is printed. No offered reading may keep a
// kanji that the dictionary can read.
#include "engine/reading_engine.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace lexidrop {
namespace {

// What each gold file must reach: the share of items passing, and the most
// unaccepted readings among the first four per judged item.
struct GoldBar {
    const char* file;
    double passing;
    double unacceptedPerItem;
};
constexpr GoldBar kGoldBars[] = {
    {"readings.tsv", 0.95, 0.10},
    {"context.tsv", 0.95, 0.10},
    {"names.tsv", 0.90, 0.60},
};

struct GoldItem {
    std::string group, text;
    std::vector<std::u16string> first, required;
    std::optional<std::vector<std::u16string>> accepted;  // absent: not judged for unaccepted readings
    int line;

    bool Accepts(const std::u16string& reading) const
    {
        auto in = [&](const std::vector<std::u16string>& v) {
            return std::find(v.begin(), v.end(), reading) != v.end();
        };
        return in(first) || in(required) || (accepted && in(*accepted));
    }
};

std::vector<std::u16string> Alternatives(const std::string& field)
{
    std::vector<std::u16string> out;
    std::stringstream in(field);
    for (std::string part; std::getline(in, part, '|');)
        if (!part.empty() && part != "-") out.push_back(test::FromUtf8(part));
    return out;
}

std::filesystem::path GoldFolder()
{
    return LEXIDROP_SOURCE_DIR "/tests/data/gold";
}

std::vector<GoldItem> LoadGold(const std::filesystem::path& path)
{
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::vector<GoldItem> items;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream row(line);
        for (std::string f; std::getline(row, f, '\t');) fields.push_back(f);
        if (fields.size() < 3)
            throw std::runtime_error(path.string() + ": bad line " + std::to_string(number));
        GoldItem item{fields[0],
                      fields[1],
                      Alternatives(fields[2]),
                      Alternatives(fields.size() > 3 ? fields[3] : ""),
                      std::nullopt,
                      number};
        if (fields.size() > 4) item.accepted = Alternatives(fields[4]);
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<std::filesystem::path> GoldFiles()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(GoldFolder()))
        if (entry.path().extension() == ".tsv") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<GoldItem> AllGoldItems()
{
    std::vector<GoldItem> all;
    for (const auto& path : GoldFiles()) {
        std::vector<GoldItem> items = LoadGold(path);
        all.insert(all.end(), std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    }
    return all;
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

class EngineGoldFile : public testing::TestWithParam<GoldBar> {};

TEST_P(EngineGoldFile, ReadAsAReaderSaysThem)
{
    const GoldBar bar = GetParam();
    const std::vector<GoldItem> items = LoadGold(GoldFolder() / bar.file);
    ASSERT_FALSE(items.empty());
    ReadingEngine engine(test::BuiltDictionary());
    std::size_t firstRight = 0, allShown = 0, passed = 0, judged = 0, unaccepted = 0;
    std::string misses, nonsense;
    for (const GoldItem& item : items) {
        const std::vector<std::u16string> list = engine.Readings(test::FromUtf8(item.text), 5);
        const bool first =
            !list.empty() && std::find(item.first.begin(), item.first.end(), list[0]) != item.first.end();
        const bool shown = std::all_of(item.required.begin(), item.required.end(), [&](const auto& r) {
            return std::find(list.begin(), list.end(), r) != list.end();
        });
        firstRight += first;
        allShown += shown;
        const std::string where =
            "  line " + std::to_string(item.line) + " [" + item.group + "] " + item.text;
        if (first && shown)
            ++passed;
        else
            misses += where + ": " + Joined(list) + "\n";
        if (!item.accepted) continue;
        ++judged;
        for (std::size_t i = 0; i < list.size() && i < 4; ++i) {
            if (item.Accepts(list[i])) continue;
            ++unaccepted;
            nonsense += where + ": " + test::ToUtf8(list[i]) + "\n";
        }
    }
    const auto share = [](std::size_t n, std::size_t of) { return of ? static_cast<double>(n) / of : 0.0; };
    const double score = share(passed, items.size());
    const double perItem = share(unaccepted, judged);
    std::printf(
        "gold %s: %zu items, first reading right %.1f%%, required shown %.1f%%, passing %.1f%%; "
        "unaccepted among the first four %.2f per item (%zu judged)\nmisses:\n%sunaccepted:\n%s",
        bar.file, items.size(), share(firstRight, items.size()) * 100, share(allShown, items.size()) * 100,
        score * 100, perItem, judged, misses.c_str(), nonsense.c_str());
    EXPECT_GE(score, bar.passing) << "misses:\n" << misses;
    EXPECT_LE(perItem, bar.unacceptedPerItem) << "unaccepted:\n" << nonsense;
}

INSTANTIATE_TEST_SUITE_P(Gold, EngineGoldFile, testing::ValuesIn(kGoldBars),
                         [](const testing::TestParamInfo<GoldBar>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

TEST(EngineGoldReadings, EveryGoldFileHasABar)
{
    for (const auto& path : GoldFiles()) {
        const std::string name = path.filename().string();
        EXPECT_TRUE(std::any_of(std::begin(kGoldBars), std::end(kGoldBars),
                                [&](const GoldBar& bar) { return name == bar.file; }))
            << name << " has no entry in kGoldBars";
    }
}

TEST(EngineGoldReadings, NoOfferedReadingKeepsAKnownKanji)
{
    const Dictionary& dic = test::BuiltDictionary();
    ReadingEngine engine(dic);
    for (const GoldItem& item : AllGoldItems()) {
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
    for (const GoldItem& item : AllGoldItems()) {
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
