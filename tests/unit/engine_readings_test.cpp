// Readings and candidate lists of the built-in engine on the real dictionary.
#include "engine/reading_engine.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace lexidrop {
namespace {

class EngineReadings : public ::testing::Test {
protected:
    std::u16string Best(std::u16string_view text) { return engine_.BestReading(text); }
    std::vector<std::u16string> List(std::u16string_view text, std::size_t max = 20)
    {
        return engine_.Readings(text, max);
    }
    // Position of reading in the list, or the list's size when absent.
    std::size_t Rank(const std::vector<std::u16string>& list, std::u16string_view reading)
    {
        return static_cast<std::size_t>(std::find(list.begin(), list.end(), reading) - list.begin());
    }

    ReadingEngine engine_{test::BuiltDictionary()};
};

TEST_F(EngineReadings, WrittenFormsOnlyWhereTheTextHoldsThemWhole)
{
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"5k", u"5k"},                              // a letter that only begins a unit symbol, at the end
        {u"5min", u"5min"},                          // letters that are no unit symbol
        {u"\\0", u"\\ぜろ"},                        // a backslash before one digit is an escape, not a price
        {u"ISO-8859-1", u"ISO-8859-1"},              // digit groups after letters: a name
        {u"1-2-3個", u"1-2-3こ"},                    // three groups: a code, not a range
        {u"1:2:3:4", u"いち:に:さん:よん"},          // no time of day
        {u"25:99", u"にじゅうご:きゅうじゅうきゅう"},  // minutes past 59
    };
    for (const auto& [text, reading] : cases)
        EXPECT_EQ(Best(text), reading) << test::ToUtf8(std::u16string(text));
}

TEST_F(EngineReadings, SentencesReadAsAWhole)
{
    EXPECT_EQ(Best(u"今日は良い天気です"), u"きょうはよいてんきです");
    EXPECT_EQ(Best(u"東京都に住んでいます。"), u"とうきょうとにすんでいます。");
    EXPECT_EQ(Best(u"ヴァイオリンを弾く"), u"\u3094ぁいおりんをひく");
}

TEST_F(EngineReadings, CandidatesKeepTheSegmentationAndStartWithTheBest)
{
    auto today = List(u"今日");
    ASSERT_GE(today.size(), 2u);
    EXPECT_EQ(today[0], u"きょう");
    EXPECT_LT(Rank(today, u"こんにち"), 5u);

    auto market = List(u"市場");
    EXPECT_LT(Rank(market, u"しじょう"), 3u);
    EXPECT_LT(Rank(market, u"いちば"), 3u);

    auto sentence = List(u"今日は良い天気です");
    ASSERT_FALSE(sentence.empty());
    EXPECT_EQ(sentence[0], u"きょうはよいてんきです");
    EXPECT_LT(Rank(sentence, u"こんにちはよいてんきです"), 10u);
    for (const auto& r : sentence) EXPECT_TRUE(r.ends_with(u"てんきです")) << test::ToUtf8(r);

    for (const char16_t* word : {u"上手", u"大人", u"一日", u"明日"}) {
        auto list = List(word);
        EXPECT_GE(list.size(), 2u) << test::ToUtf8(word);
        EXPECT_EQ(std::set<std::u16string>(list.begin(), list.end()).size(), list.size())
            << test::ToUtf8(word);
    }
    EXPECT_LT(Rank(List(u"明日"), u"あした"), 3u);
    EXPECT_LT(Rank(List(u"明日"), u"あす"), 5u);
    EXPECT_EQ(List(u"今日", 1).size(), 1u);
    EXPECT_TRUE(List(u"今日", 0).empty());
}

TEST_F(EngineReadings, SecondReadingsFromTheSecondLexiconFollowTheFirst)
{
    // Present when the build found NAIST-JDIC (its notice lies beside the dictionary).
    const std::string notice = std::filesystem::path(LEXIDROP_DICTIONARY)
                                   .replace_filename("Lexidrop-NAIST-JDIC-LICENSE.txt")
                                   .string();
    if (!std::filesystem::exists(notice)) GTEST_SKIP() << "built without NAIST-JDIC";
    const auto change = List(u"変化");
    ASSERT_FALSE(change.empty());
    EXPECT_EQ(change[0], u"へんか");
    EXPECT_LT(Rank(change, u"へんげ"), 5u);
    EXPECT_EQ(List(u"月日")[0], u"つきひ");
    EXPECT_LT(Rank(List(u"月日"), u"がっぴ"), 5u);
}

TEST_F(EngineReadings, TextOutsideTheDictionaryStaysAsTyped)
{
    EXPECT_EQ(Best(u"Windowsで動く"), u"Windowsでうごく");
    EXPECT_EQ(Best(u"hello, world"), u"hello, world");
    EXPECT_EQ(Best(u"  今日 "), u"  きょう ");
    EXPECT_EQ(Best(u"今日\t明日"), u"きょう\tあした");
    EXPECT_EQ(Best(u"Ｃ＋＋言語"), u"Ｃ＋＋げんご");
    EXPECT_EQ(Best(u"   "), u"   ");
    EXPECT_EQ(Best(u"★☆"), u"★☆");
    EXPECT_EQ(Best(u"\U00020BB7"), u"\U00020BB7");  // a surrogate pair survives
    EXPECT_TRUE(Best(u"\U00020BB7野家").starts_with(u"\U00020BB7"));
}

TEST_F(EngineReadings, NumbersAreReadAsNumbers)
{
    EXPECT_EQ(Best(u"２０２６年"), u"にせんにじゅうろくねん");
    EXPECT_EQ(Best(u"2026年"), u"にせんにじゅうろくねん");
    EXPECT_EQ(Best(u"100円"), u"ひゃくえん");
    EXPECT_EQ(Best(u"3 8"), u"さん はち");
    // Digits joined to Latin letters are part of that word.
    EXPECT_EQ(Best(u"MP3プレーヤー"), u"MP3ぷれーやー");
    EXPECT_EQ(Best(u"4Kテレビ"), u"4Kてれび");
    EXPECT_EQ(Best(u"ABC 123"), u"ABC ひゃくにじゅうさん");
}

TEST_F(EngineReadings, HalfWidthInputIsLookedUpAsFullWidth)
{
    EXPECT_EQ(Best(u"ｶﾞｲﾄﾞﾌﾞｯｸ"), Best(u"ガイドブック"));
    EXPECT_EQ(Best(u"ﾊﾟﾝ"), u"ぱん");
}

TEST(NumberReading, PlacesAndSoundChanges)
{
    auto read = [](std::string_view d) { return NumberReading(d); };
    EXPECT_EQ(read("0"), u"ぜろ");
    EXPECT_EQ(read("7"), u"なな");
    EXPECT_EQ(read("10"), u"じゅう");
    EXPECT_EQ(read("300"), u"さんびゃく");
    EXPECT_EQ(read("600"), u"ろっぴゃく");
    EXPECT_EQ(read("800"), u"はっぴゃく");
    EXPECT_EQ(read("3000"), u"さんぜん");
    EXPECT_EQ(read("8000"), u"はっせん");
    EXPECT_EQ(read("1999"), u"せんきゅうひゃくきゅうじゅうきゅう");
    EXPECT_EQ(read("10000"), u"いちまん");
    EXPECT_EQ(read("20000001"), u"にせんまんいち");
    EXPECT_EQ(read("100000000"), u"いちおく");
    EXPECT_EQ(read("1000000000000"), u"いっちょう");
    EXPECT_EQ(read("007"), u"ぜろぜろなな");
    EXPECT_EQ(read("12345678901234567"), u"いちにさんよんごろくななはちきゅうぜろいちにさんよんごろくなな");
}

TEST(Normalize, WidthFormsAndPositions)
{
    auto n = Normalize(u"aｶﾞﾊﾟﾞ x");
    EXPECT_EQ(n.text, u"ａガパ゛ ｘ");
    EXPECT_EQ(n.origin, (std::vector<std::size_t>{0, 1, 3, 5, 6, 7, 8}));
    EXPECT_EQ(Normalize(u"ﾞｳﾞ").text, u"゛ヴ");
}

// A name alone reads as a name; a count, an ordinary word spelt like a name
// and a name inside ordinary text keep their readings.
TEST_F(EngineReadings, NamesAloneReadAsNames)
{
    const struct {
        std::u16string_view text, first, alsoAmongFive;
    } cases[] = {
        {u"博", u"ひろし", u""},                          // kept out of ordinary text, first alone
        {u"陽子さん", u"ようこさん", u""},                // the address makes it a name
        {u"田中\u3000太郎", u"たなか\u3000たろう", u""},  // the space stays as typed
        {u"源氏", u"げんじ", u"みなもとし"},              // the word first, the name after it
        {u"三本", u"さんぼん", u""},                      // a count, not the surname みもと
        {u"博が来た", u"はくがきた", u""},
        {u"高品質", u"こうひんしつ", u"たかしなただし"},  // words as cheap as the name come first
    };
    for (const auto& c : cases) {
        const auto list = List(c.text, 5);
        ASSERT_FALSE(list.empty());
        EXPECT_EQ(list.front(), c.first) << test::ToUtf8(std::u16string(c.text));
        EXPECT_EQ(Best(c.text), list.front());
        if (!c.alsoAmongFive.empty()) {
            EXPECT_LT(Rank(list, c.alsoAmongFive), 5u);
        }
        // The furigana read the text as its first reading does.
        std::u16string joined;
        for (const ReadingSegment& s : engine_.BestSegments(c.text)) joined += s.reading;
        EXPECT_EQ(joined, list.front()) << test::ToUtf8(std::u16string(c.text));
    }
}

// A text that is one name as a whole is offered no reading of it cut
// otherwise; a question of number alone asks the count, in text the analysis
// decides.
TEST_F(EngineReadings, WholeNamesAndQuestionsAloneKeepTheirReading)
{
    const struct {
        std::u16string_view text, first, never;
    } cases[] = {
        {u"秋葉原", u"あきはばら", u"あきばげん"},    // not 秋葉 with the given name 原
        {u"錦糸町", u"きんしちょう", u"きんしまち"},  // the station, not 錦糸 with 町
        {u"港区", u"みなとく", u""},                  // the ward, not the word こうく
        {u"何時", u"なんじ", u""},
        {u"何時までも", u"いつまでも", u""},
    };
    for (const auto& c : cases) {
        const auto list = List(c.text, 5);
        ASSERT_FALSE(list.empty());
        EXPECT_EQ(list.front(), c.first) << test::ToUtf8(std::u16string(c.text));
        if (!c.never.empty()) {
            EXPECT_EQ(Rank(list, c.never), list.size()) << test::ToUtf8(std::u16string(c.text));
        }
    }
}

// 々 repeats the kanji before it: a word spelt with it reads whole, and a
// 々 no word holds takes its kanji's reading, never staying as written.
TEST_F(EngineReadings, RepeatMarkReadsAsItsKanji)
{
    EXPECT_EQ(Best(u"精々"), u"せいぜい");
    EXPECT_EQ(Best(u"各々"), u"おのおの");
    EXPECT_EQ(Best(u"奥々"), u"おくおく");
    for (const char16_t* text : {u"精々", u"各々", u"奥々", u"山々を見る"})
        for (const auto& reading : List(text))
            EXPECT_EQ(reading.find(u'々'), std::u16string::npos) << test::ToUtf8(reading);
}

}  // namespace
}  // namespace lexidrop
