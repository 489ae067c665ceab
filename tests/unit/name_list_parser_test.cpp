// The dictionary compiler's reader of a name list kept as a script's data:
// which records it takes, as given names, surnames or municipalities, and
// which it passes over.
#include "engine/dicgen/name_list.h"

#include <gtest/gtest.h>

namespace lexidrop::name_list {
namespace {

TEST(NameListParser, TakesGivenNamesAndSurnamesInOrder)
{
    const std::u16string script =
        u"// generated/names.json\n"
        u"var firstNames = { male: [{ kanji: \"陽翔\", hiragana: \"はると\", katakana: \"ハルト\" }, "
        u"{ kanji: \"蒼\", hiragana: \"そう\" }], female: [{ hiragana: \"ゆい\" }, "
        u"{ kanji: \"結菜\", hiragana: \"\" }, { kanji: \"陽葵\", hiragana: \"ひまり\" }] };\n"
        u"var lastNames = [{ kanji: \"佐藤\", hiragana: \"さとう\" }, { kanji: \"鈴木\", hiragana: \"すずき }];\n"
        u"var names_default = { firstNames, lastNames };\n";
    const std::vector<Name> want = {
        {u"陽翔", u"はると", true}, {u"蒼", u"そう", true}, {u"陽葵", u"ひまり", true}, {u"佐藤", u"さとう", false}};
    const std::vector<Name> got = ParseNames(script);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].spelling, want[i].spelling) << i;
        EXPECT_EQ(got[i].reading, want[i].reading) << i;
        EXPECT_EQ(got[i].given, want[i].given) << i;
    }
    EXPECT_TRUE(ParseNames(u"var lastNames = [{ kanji: \"佐藤\", hiragana: \"さとう\" }];").empty());
}

TEST(NameListParser, TakesMunicipalitiesWithoutTheirCounty)
{
    const std::u16string script =
        u"var prefecture = [{ kanji: \"北海道\", hiragana: \"ほっかいどう\" }];\n"
        u"var city = [{ kanji: \"札幌市中央区\", hiragana: \"さっぽろしちゅうおうく\" }, "
        u"{ kanji: \"高山市\", hiragana: \"たかやまし\" }, { kanji: \"郡上市\", hiragana: \"ぐじょうし\" }, "
        u"{ kanji: \"上川郡美瑛町\", hiragana: \"かみかわぐんびえいちょう\" }, "
        u"{ kanji: \"相楽郡和束町\", hiragana: \"そうらくわづかちょう\" }, { kanji: \"千代田区\", hiragana: \"ちよだく\" }];\n"
        u"var town = [{ kanji: \"儀間\", hiragana: \"ぎま\" }];\n";
    const std::vector<Place> want = {
        {u"高山市", u"たかやまし"}, {u"郡上市", u"ぐじょうし"}, {u"美瑛町", u"びえいちょう"}, {u"千代田区", u"ちよだく"}};
    const std::vector<Place> got = ParseMunicipalities(script);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].spelling, want[i].spelling) << i;
        EXPECT_EQ(got[i].reading, want[i].reading) << i;
    }
    EXPECT_TRUE(ParseMunicipalities(u"var town = [{ kanji: \"儀間\", hiragana: \"ぎま\" }];").empty());
}

}  // namespace
}  // namespace lexidrop::name_list
