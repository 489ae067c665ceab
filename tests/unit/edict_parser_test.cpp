// The EDICT and ENAMDICT line parser of the dictionary compiler: what it
// takes from a line, and the lines it passes over.
#include "engine/dicgen/edict.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

namespace lexidrop::edict {
namespace {

struct Case {
    std::u16string_view line;
    bool taken;
    std::u16string_view spelling, reading;
    std::vector<std::u16string> tags;
    bool common;
};

TEST(EdictParser, TakesSpellingReadingTagsAndCommonMark)
{
    const Case cases[] = {
        {u"大分 [だいぶ] /(adv) (uk) considerably/greatly/(P)/", true, u"大分", u"だいぶ", {u"adv"}, true},
        {u"今日 [こんにち] /(n-t) (1) today/(2) these days/", true, u"今日", u"こんにち", {u"n-t"}, false},
        {u"仏 [フツ] /(n,adj-no) France/", true, u"仏", u"ふつ", {u"n", u"adj-no"}, false},
        {u"陽葵 [ひまり] /(f) Himari/", true, u"陽葵", u"ひまり", {u"f"}, false},
        {u"歳 [さい] /suffix (P) in a gloss/", true, u"歳", u"さい", {}, false},
        {u"素 [そ] /(n plain, with no closing bracket/", true, u"素", u"そ", {}, false},
        // Lines in kana alone, the header, a reading left empty, no spelling.
        {u"ヽ /(unc) repetition mark in katakana/", false, {}, {}, {}, false},
        {u"　？？？ /EDICT, EDICT_SUB(P), EDICT2 Japanese-English/", false, {}, {}, {}, false},
        {u"語 [] /(n) word/(P)/", false, {}, {}, {}, false},
        {u" [ご] /(n) word/", false, {}, {}, {}, false},
        {u"語 [ご /(n) word/", false, {}, {}, {}, false},
    };
    for (const Case& c : cases) {
        const std::vector<Entry> entries = ParseEntries(c.line);
        SCOPED_TRACE(test::ToUtf8(std::u16string(c.line)));
        ASSERT_EQ(entries.size(), c.taken ? 1u : 0u);
        if (!c.taken) continue;
        EXPECT_EQ(entries[0].spelling, c.spelling);
        EXPECT_EQ(entries[0].reading, c.reading);
        EXPECT_EQ(entries[0].tags, c.tags);
        EXPECT_EQ(entries[0].common, c.common);
    }
}

TEST(EdictParser, ReadsEveryLineWithOrWithoutAFinalLineBreak)
{
    const std::vector<Entry> entries =
        ParseEntries(u"今日 [きょう] /(n-t) today/(P)/\n\n明日 [あす] /(n-t) tomorrow/");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].reading, u"きょう");
    EXPECT_TRUE(entries[0].common);
    EXPECT_EQ(entries[1].spelling, u"明日");
    EXPECT_FALSE(entries[1].common);
}

}  // namespace
}  // namespace lexidrop::edict
