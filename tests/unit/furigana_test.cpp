// Furigana: segments of the best analysis, the alignment of each segment's
// spelling with its reading, and the two written forms.
#include "engine/furigana.h"
#include "engine/kana.h"
#include "engine/string_forms.h"
#include "lookup/furigana_line.h"
#include "engine_corpus.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <regex>

namespace lexidrop {
namespace {

using test::FromUtf8;
using test::ToUtf8;

std::u16string U(const char8_t* s)
{
    return FromUtf8(reinterpret_cast<const char*>(s));
}

// The brackets form of one segment spelt `surface` and read `reading`.
std::string Aligned(const char8_t* surface, const char8_t* reading, const ReadingCheck& known = {})
{
    const std::u16string text = U(surface);
    return ToUtf8(FuriganaBrackets(AlignFurigana(text, {{0, text.size(), U(reading)}}, known)));
}

std::string S(const char8_t* s)
{
    return reinterpret_cast<const char*>(s);
}

TEST(FuriganaAlignment, KanaInTheSpellingStayOutsideTheGroups)
{
    EXPECT_EQ(Aligned(u8"良い", u8"よい"), S(u8"良[よ]い"));
    EXPECT_EQ(Aligned(u8"取り扱い", u8"とりあつかい"), S(u8"取[と]り 扱[あつか]い"));
    EXPECT_EQ(Aligned(u8"お茶", u8"おちゃ"), S(u8"お 茶[ちゃ]"));
    EXPECT_EQ(Aligned(u8"食べ物", u8"たべもの"), S(u8"食[た]べ 物[もの]"));
    // Katakana in the spelling match the hiragana reading, half-width ones too.
    EXPECT_EQ(Aligned(u8"缶コーヒー", u8"かんこーひー"), S(u8"缶[かん]コーヒー"));
    EXPECT_EQ(Aligned(u8"ｶﾞｽ代", u8"がすだい"), S(u8"ｶﾞｽ 代[だい]"));
}

TEST(FuriganaAlignment, KanjiRunsNumbersAndCountersAreWholeGroups)
{
    EXPECT_EQ(Aligned(u8"今日", u8"きょう"), S(u8"今日[きょう]"));
    EXPECT_EQ(Aligned(u8"大人", u8"おとな"), S(u8"大人[おとな]"));
    EXPECT_EQ(Aligned(u8"三日", u8"みっか"), S(u8"三日[みっか]"));
    EXPECT_EQ(Aligned(u8"2026年", u8"にせんにじゅうろくねん"), S(u8"2026年[にせんにじゅうろくねん]"));
    EXPECT_EQ(Aligned(u8"１ヶ月", u8"いっかげつ"), S(u8"１ヶ月[いっかげつ]"));
    EXPECT_EQ(Aligned(u8"1,980円", u8"せんきゅうひゃくはちじゅうえん"),
              S(u8"1,980円[せんきゅうひゃくはちじゅうえん]"));
    EXPECT_EQ(Aligned(u8"3.5キロ", u8"さんてんごきろ"), S(u8"3.5[さんてんご]キロ"));
    EXPECT_EQ(Aligned(u8"佐々木さん", u8"ささきさん"), S(u8"佐々木[ささき]さん"));
    // Punctuation a unit's word ends with stays outside its group.
    EXPECT_EQ(Aligned(u8"32℃、", u8"さんじゅうにど、"), S(u8"32℃[さんじゅうにど]、"));
}

TEST(FuriganaAlignment, TheRepeatMarkJoinsTheGroupBeforeIt)
{
    auto joined = [](const char8_t* text, std::vector<ReadingSegment> segments) {
        return ToUtf8(FuriganaBrackets(AlignFurigana(U(text), segments)));
    };
    EXPECT_EQ(joined(u8"人々が", {{0, 1, U(u8"ひと")}, {1, 2, U(u8"びと")}, {2, 3, U(u8"が")}}),
              S(u8"人々[ひとびと]が"));
    EXPECT_EQ(joined(u8"村々", {{0, 1, U(u8"むら")}, {1, 2, U(u8"々")}}), S(u8"村々[むらむら]"));
    EXPECT_EQ(joined(u8"の々", {{0, 1, U(u8"の")}, {1, 2, U(u8"々")}}), S(u8"の々"));
}

TEST(FuriganaAlignment, TextWithoutAReadingOfItsOwnIsPlain)
{
    EXPECT_EQ(Aligned(u8"ひらがな", u8"ひらがな"), S(u8"ひらがな"));
    EXPECT_EQ(Aligned(u8"カタカナ", u8"かたかな"), S(u8"カタカナ"));
    EXPECT_EQ(Aligned(u8"MP3", u8"MP3"), S(u8"MP3"));
    // An unknown kanji the engine reads as itself gets no annotation of itself.
    EXPECT_EQ(Aligned(u8"彁", u8"彁"), S(u8"彁"));
    EXPECT_EQ(Aligned(u8"  ", u8"  "), S(u8"  "));
}

TEST(FuriganaAlignment, AmbiguousDivisions)
{
    // き occurs twice: す|きら or すき|ら. Without a dictionary the earliest
    // division (shortest first readings) wins; with one, the division whose
    // slots are known words.
    EXPECT_EQ(Aligned(u8"好き嫌い", u8"すききらい"), S(u8"好[す]き 嫌[きら]い"));
    EXPECT_EQ(Aligned(u8"物の怪", u8"もののけ"), S(u8"物[も]の 怪[のけ]"));
    const ReadingCheck known = [](std::u16string_view surface, std::u16string_view reading) {
        return (surface == u"物" && reading == u"もの") || (surface == u"好き" && reading == u"すき");
    };
    EXPECT_EQ(Aligned(u8"物の怪", u8"もののけ", known), S(u8"物[もの]の 怪[け]"));
    EXPECT_EQ(Aligned(u8"好き嫌い", u8"すききらい", known), S(u8"好[す]き 嫌[きら]い"));
    // A reading that does not fit the kana of the spelling: one group.
    EXPECT_EQ(Aligned(u8"Ｃ型", u8"しーがた"), S(u8"Ｃ型[しーがた]"));
    EXPECT_EQ(Aligned(u8"書く", u8"かいた"), S(u8"書く[かいた]"));
}

TEST(FuriganaForms, BracketsSpacesAndEscapes)
{
    const std::u16string text = U(u8"a [今日] 良い\n明日");
    const std::vector<ReadingSegment> segments = {{0, 3, U(u8"a [")}, {3, 5, U(u8"きょう")},
                                                  {5, 7, U(u8"] ")},  {7, 9, U(u8"よい")},
                                                  {9, 10, u"\n"},     {10, 12, U(u8"あした")}};
    const auto pieces = AlignFurigana(text, segments);
    // A group after a space still gets its own, a group starting a line none.
    EXPECT_EQ(ToUtf8(FuriganaBrackets(pieces)), S(u8"a ［ 今日[きょう]］  良[よ]い\n明日[あした]"))
        << "half-width brackets of the text are full width";
    const std::u16string html = U(u8"<b>&今日");
    EXPECT_EQ(ToUtf8(FuriganaRuby(AlignFurigana(html, {{0, 4, U(u8"<b>&")}, {4, 6, U(u8"きょう")}}))),
              S(u8"&lt;b&gt;&amp;<ruby>今日<rt>きょう</rt></ruby>"));
}

class FuriganaOfText : public ::testing::Test {
protected:
    ReadingEngine engine{test::BuiltDictionary()};

    std::string Brackets(const char8_t* text, std::uint32_t flags = 0)
    {
        std::vector<FuriganaPiece> pieces = Furigana(engine, U(text));
        MapFuriganaReadings(pieces, flags);
        return ToUtf8(FuriganaBrackets(pieces));
    }
};

TEST_F(FuriganaOfText, Sentences)
{
    EXPECT_EQ(Brackets(u8"今日は良い天気です"), S(u8"今日[きょう]は 良[よ]い 天気[てんき]です"));
    EXPECT_EQ(Brackets(u8"  お茶を 2026 杯"), S(u8"  お 茶[ちゃ]を  2026[にせんにじゅうろく]  杯[はい]"));
    EXPECT_EQ(Brackets(u8"今日は", kMapKatakana), S(u8"今日[キョウ]は"));
    // Letters read as a word are a group, so the line says what the reading says.
    EXPECT_EQ(Brackets(u8"AM10:00と3:00PM"), S(u8"AM[ごぜん] 10:00[じゅうじ]と 3:00PM[ごごさんじ]"));
    EXPECT_EQ(Brackets(u8""), "");
}

TEST_F(FuriganaOfText, TheLineOfALookup)
{
    EXPECT_EQ(ToUtf8(FuriganaLine(engine, U(u8"今日は"), kMapKatakana | kMapHalfWidth)), S(u8"今日[ｷｮｳ]は"));
    // Only where a kanji has a reading: kana, Latin text and numbers need no line.
    EXPECT_EQ(FuriganaLine(engine, U(u8"ひらがなとABC、2026"), 0), u"");
    const std::u16string unread = u"\u4EEC";  // a kanji no source reads
    EXPECT_EQ(FuriganaLine(engine, unread, 0), u"");
    // Readings go on to Shift-JIS: hiragana it lacks become katakana.
    std::vector<FuriganaPiece> pieces = {{U(u8"驩"), U(u8"ゔぁ")}};
    MapFuriganaReadings(pieces, 0);
    EXPECT_EQ(pieces[0].reading, U(u8"ヴぁ"));
}

// Undoes the brackets form: the text as written (half-width brackets as
// full width), and the text with every group replaced by its reading.
void UndoBrackets(const std::u16string& form, std::u16string& text, std::u16string& read,
                  std::u16string& bare)
{
    text.clear();
    read.clear();
    bare.clear();
    std::u16string plain;  // text since the last group
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form[i] != u'[') {
            plain += form[i];
            continue;
        }
        const std::size_t close = form.find(u']', i);
        std::size_t baseFrom = plain.find_last_of(u" \n\r");
        baseFrom = baseFrom == std::u16string::npos ? 0 : baseFrom + 1;
        std::u16string base = plain.substr(baseFrom);
        std::u16string before = plain.substr(0, baseFrom);
        if (!before.empty() && before.back() == u' ') before.pop_back();  // the space the form adds
        text += before + base;
        read += before + form.substr(i + 1, close - i - 1);
        bare += before;
        plain.clear();
        i = close;
    }
    text += plain;
    read += plain;
    bare += plain;
}

// A text as it sounds: full-width forms, katakana as hiragana.
std::u16string Spoken(std::u16string_view text)
{
    return kana::ToHiragana(Normalize(text).text);
}

void UndoRuby(const std::u16string& form, std::u16string& text, std::u16string& read, std::u16string& bare)
{
    auto unescape = [](std::string s) {
        s = std::regex_replace(s, std::regex("&lt;"), "<");
        s = std::regex_replace(s, std::regex("&gt;"), ">");
        return std::regex_replace(s, std::regex("&amp;"), "&");
    };
    const std::regex group("<ruby>(.*?)<rt>(.*?)</rt></ruby>");
    const std::string html = ToUtf8(form);
    text = FromUtf8(unescape(std::regex_replace(html, group, "$1")));
    read = FromUtf8(unescape(std::regex_replace(html, group, "$2")));
    bare = FromUtf8(unescape(std::regex_replace(html, group, "")));
}

TEST_F(FuriganaOfText, CorpusSentencesGiveBackTheirTextAndReading)
{
    const auto sentences = test::JapaneseSentences();
    ASSERT_GT(sentences.size(), 1000u);
    int failures = 0;
    for (const std::u16string& sentence : sentences) {
        const std::u16string reading = engine.BestReading(sentence);
        std::u16string joined;
        std::size_t at = 0;
        for (const ReadingSegment& segment : engine.BestSegments(sentence)) {
            EXPECT_EQ(segment.begin, at);
            EXPECT_LT(segment.begin, segment.end);
            at = segment.end;
            joined += segment.reading;
        }
        EXPECT_EQ(at, sentence.size());
        EXPECT_EQ(joined, reading) << ToUtf8(sentence);

        const auto pieces = Furigana(engine, sentence);
        std::u16string asWritten = sentence;
        std::replace(asWritten.begin(), asWritten.end(), u'[', u'［');
        std::replace(asWritten.begin(), asWritten.end(), u']', u'］');
        std::u16string readingAsWritten = reading;
        std::replace(readingAsWritten.begin(), readingAsWritten.end(), u'[', u'［');
        std::replace(readingAsWritten.begin(), readingAsWritten.end(), u']', u'］');
        for (int form = 0; form < 2; ++form) {
            std::u16string text, read, bare;
            if (form == 0)
                UndoBrackets(FuriganaBrackets(pieces), text, read, bare);
            else
                UndoRuby(FuriganaRuby(pieces), text, read, bare);
            EXPECT_EQ(text, form == 0 ? asWritten : sentence) << ToUtf8(sentence);
            // Kana outside the groups stay as written; the reading has them in hiragana.
            EXPECT_EQ(Spoken(read), Spoken(form == 0 ? readingAsWritten : reading)) << ToUtf8(sentence);
            // Kanji outside the groups only where the engine itself has no reading.
            for (char16_t c : bare)
                if (c >= u'\u4E00' && c <= u'\u9FFF' && reading.find(c) == std::u16string::npos)
                    ADD_FAILURE() << "bare " << ToUtf8(std::u16string(1, c)) << " in " << ToUtf8(sentence);
        }
        for (const FuriganaPiece& piece : pieces) {
            if (piece.reading.empty()) continue;
            auto kanjiLike = [](char16_t c) {
                return (c >= u'\u4E00' && c <= u'\u9FFF') || c == u'々' || c == u'ヶ' ||
                       (c >= u'0' && c <= u'9') || kana::IsFullWidthDigit(c);
            };
            // A number keeps its sign and unit in its group (-1, 100%, 1.2MB).
            const bool number = std::any_of(piece.base.begin(), piece.base.end(), [](char16_t c) {
                return (c >= u'0' && c <= u'9') || kana::IsFullWidthDigit(c);
            });
            // A symbol read as a word is a group of its own (〜 から).
            const bool symbol = std::none_of(piece.base.begin(), piece.base.end(), kana::IsLetterOrDigit);
            if (!number && !symbol && (!kanjiLike(piece.base.front()) || !kanjiLike(piece.base.back()))) ++failures;
        }
    }
    // Groups that begin or end with something else come only from words whose
    // reading cannot be divided (a letter in a word like Ｘ線).
    EXPECT_LE(failures, 5);
}

}  // namespace
}  // namespace lexidrop
