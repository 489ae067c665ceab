// Numbers with counters: the sound-change rule on numbers the gold set does
// not hold, what is refused as a number, and how they show in the engine's
// candidate lists.
#include "engine/counted_numbers.h"
#include "engine/reading_engine.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lexidrop {
namespace {

using Readings = std::vector<std::u16string>;

TEST(CountedReadings, SoundChangesFollowTheLastElementOfTheNumber)
{
    EXPECT_EQ(CountedReadings(u"２１", u"本"), Readings{u"にじゅういっぽん"});
    EXPECT_EQ(CountedReadings(u"三百", u"本"), Readings{u"さんびゃっぽん"});
    EXPECT_EQ(CountedReadings(u"六百", u"匹"), Readings{u"ろっぴゃっぴき"});
    EXPECT_EQ(CountedReadings(u"三千", u"杯"), Readings{u"さんぜんばい"});
    EXPECT_EQ(CountedReadings(u"一万", u"本"), Readings{u"いちまんぼん"});
    EXPECT_EQ(CountedReadings(u"１０５", u"分"), Readings{u"ひゃくごふん"});
    EXPECT_EQ(CountedReadings(u"４０", u"分"), (Readings{u"よんじゅっぷん", u"よんじっぷん"}));
    EXPECT_EQ(CountedReadings(u"２４", u"時"), Readings{u"にじゅうよじ"});
    EXPECT_EQ(CountedReadings(u"十四", u"日"), Readings{u"じゅうよっか"});
    EXPECT_EQ(CountedReadings(u"十一", u"日"), Readings{u"じゅういちにち"});
    EXPECT_EQ(CountedReadings(u"１", u"日", CountPlace::kDayOfMonth), (Readings{u"ついたち", u"いちにち"}));
    EXPECT_EQ(CountedReadings(u"５", u"分", CountPlace::kPartOfRatio), Readings{u"ごぶ"});
    // Only one and two people have words of their own.
    EXPECT_EQ(CountedReadings(u"２１", u"人"), Readings{u"にじゅういちにん"});
    EXPECT_EQ(CountedReadings(u"何", u"ヶ月間"), Readings{u"なんかげつかん"});
    EXPECT_EQ(CountedReadings(u"１，０００，０００", u"円"), Readings{u"ひゃくまんえん"});
    EXPECT_EQ(CountedReadings(u"１．５", u"倍"), Readings{u"いってんごばい"});
    EXPECT_EQ(CountedReadings(u"１０．１", u"本"), Readings{u"じゅってんいっぽん"});
    EXPECT_EQ(CountedReadings(u"５億", u"円"), Readings{u"ごおくえん"});
    EXPECT_EQ(CountedReadings(u"０", u"人"), Readings{u"ぜろにん"});
    // Regular counters' forms worked out from their reading: voiced after ん,
    // and units from other languages with the plain form first.
    EXPECT_EQ(CountedReadings(u"千", u"貫"), (Readings{u"せんがん", u"せんかん"}));
    EXPECT_EQ(CountedReadings(u"何", u"寸"), (Readings{u"なんずん", u"なんすん"}));
    EXPECT_EQ(CountedReadings(u"１００", u"テラ"), (Readings{u"ひゃくてら", u"ひゃってら"}));
    EXPECT_EQ(CountedReadings(u"３００", u"カロリー"), (Readings{u"さんびゃくかろりー", u"さんびゃっかろりー"}));
    EXPECT_EQ(CountedReadings(u"６", u"ヘクタール"), Readings{u"ろくへくたーる"});
}

TEST(CountedReadings, WhatIsNoNumberIsRefused)
{
    for (const char16_t* numeral :
         {u"０１", u"０６００", u"１，９８", u"１，９８００", u"１．", u"十十", u"万万", u"五百三千",
          u"１２百", u"１２３４５６７８９０１２３４５６７", u"１００００兆", u"", u"本"})
        EXPECT_TRUE(CountedReadings(numeral, u"本").empty()) << test::ToUtf8(numeral);
    EXPECT_TRUE(CountedReadings(u"何", u"").empty());
    EXPECT_TRUE(CountedReadings(u"十一", u"つ").empty());  // つ counts up to nine
    EXPECT_TRUE(CountedReadings(u"三", u"頁").empty());
    EXPECT_EQ(CountersAt(u"時間半です"), (std::vector<std::size_t>{3, 2, 1}));
    EXPECT_TRUE(CountersAt(u"です").empty());
}

class EngineCounters : public ::testing::Test {
protected:
    Readings List(std::u16string_view text) { return engine_.Readings(text, 20); }
    ReadingEngine engine_{test::BuiltDictionary()};
};

TEST_F(EngineCounters, CountsInTextAndNamesAndVersionsLeftAlone)
{
    EXPECT_EQ(engine_.BestReading(u"りんごが２１個ある"), u"りんごがにじゅういっこある");
    EXPECT_EQ(engine_.BestReading(u"午後 3時 に"), u"ごご さんじ に");
    // Digits that belong to names, versions and codes are not counts.
    EXPECT_EQ(engine_.BestReading(u"i386用"), u"i386よう");
    EXPECT_EQ(engine_.BestReading(u"Linux 2.6.33 以降"), u"Linux に.ろく.さんじゅうさん いこう");
    EXPECT_EQ(engine_.BestReading(u"0120番"), u"ぜろいちにぜろばん");
    EXPECT_EQ(engine_.BestReading(u"001日"), u"ぜろぜろいちにち");
    // Words that only start with a numeral keep their own readings.
    EXPECT_EQ(engine_.BestReading(u"三日月"), u"みかづき");
    EXPECT_EQ(engine_.BestReading(u"万一"), u"まんいち");
    EXPECT_EQ(engine_.BestReading(u"時間は十分ある"), u"じかんはじゅうぶんある");
}

TEST_F(EngineCounters, ListsHoldNoKanjiAndNoNamesOfSingleKanji)
{
    const Readings none;
    for (const char16_t* text :
         {u"三百", u"八千", u"コーヒーを一杯ください", u"一本", u"一階", u"三千円", u"百円"}) {
        for (const auto& reading : List(text)) {
            EXPECT_TRUE(std::none_of(reading.begin(), reading.end(), [](char16_t c) { return c >= 0x4E00; }))
                << test::ToUtf8(text) << ": " << test::ToUtf8(reading);
            for (const char16_t* name : {u"はじめ", u"きざはし", u"つぶら", u"まる"})
                EXPECT_EQ(reading.find(name), reading.npos)
                    << test::ToUtf8(text) << ": " << test::ToUtf8(reading);
        }
    }
    // Other readings of the same count follow it, without repeats.
    const Readings seven = List(u"七人");
    EXPECT_EQ(seven, (Readings{u"しちにん", u"ななにん"}));
}

}  // namespace
}  // namespace lexidrop
