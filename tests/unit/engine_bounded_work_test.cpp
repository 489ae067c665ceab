// The candidate search's work follows the number of readings asked for, not
// the number of ways a text can be read: counted in expanded candidates.
#include "engine/reading_engine.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace lexidrop {
namespace {

TEST(EngineBoundedWork, ExpansionsStayWithinAConstantTimesTheLimit)
{
    struct Case {
        const char16_t* text;
        std::size_t limit;
    };
    // Texts of many words with several readings each, and katakana words whose
    // dictionary reading and unknown-word reading render alike (many search
    // branches give the same string).
    const Case cases[] = {
        {u"今日明日市場上手大人一日今日明日市場上手大人一日今日明日市場", 1},
        {u"今日明日市場上手大人一日今日明日市場上手大人一日今日明日市場", 99},
        // 2^15 sequences, all rendering the same reading.
        {u"カメラとテレビとラジオとカメラとテレビとラジオとカメラとテレビとラジオとカメラとテレビと", 20},
        {u"カメラとテレビとラジオとカメラとテレビとラジオとカメラとテレビとラジオとカメラとテレビと", 99},
        {u"一日一日一日一日一日一日一日一日一日一日一日一日一日一日一日一日", 99},
    };
    ReadingEngine engine(test::BuiltDictionary());
    for (const Case& c : cases) {
        const auto readings = engine.Readings(c.text, c.limit);
        EXPECT_FALSE(readings.empty()) << test::ToUtf8(c.text);
        EXPECT_LE(readings.size(), c.limit);
        EXPECT_EQ(std::set<std::u16string>(readings.begin(), readings.end()).size(), readings.size());
        EXPECT_LE(engine.ExpandedCandidates(), ReadingEngine::kExpansionsPerReading * c.limit)
            << test::ToUtf8(c.text) << " " << c.limit;
    }
}

}  // namespace
}  // namespace lexidrop
