// The reading-sequence search on hand-made choices: cheapest first, each
// sequence once, and words spanning several positions only with their
// pass-through continuations.
#include "engine/reading_sequences.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace lexidrop {
namespace {

using Sequence = std::vector<std::int32_t>;

std::vector<Sequence> All(const std::vector<std::vector<ReadingChoice>>& choices, const Sequence& best)
{
    ReadingSequenceSearch search(test::BuiltDictionary(), choices, best);
    std::vector<Sequence> out;
    while (const Sequence* s = search.Next()) out.push_back(*s);
    return out;
}

TEST(ReadingSequenceSearch, CheapestFirstEachOnce)
{
    // Context id 0 throughout, so only the word costs differ.
    const std::vector<std::vector<ReadingChoice>> choices = {{{0, 0, 10, 0}, {0, 0, 30, 1}, {0, 0, 35, 1}},
                                                             {{0, 0, 5, 2}, {0, 0, 7, 3}}};
    EXPECT_EQ(All(choices, {0, 2}), (std::vector<Sequence>{{0, 2}, {0, 3}, {1, 2}, {1, 3}}));
}

TEST(ReadingSequenceSearch, SpanningWordsComeWithTheirPassThroughs)
{
    // Position 0: word 0 or a word (piece 2) covering positions 0-1; position 1:
    // word 1 or the pass-through (piece 3).
    const std::vector<std::vector<ReadingChoice>> choices = {{{0, 0, 10, 0}, {0, 0, 12, 2, 1}},
                                                             {{0, 0, 5, 1}, {0, 0, 0, 3, 0, true}}};
    const auto all = All(choices, {0, 1});
    EXPECT_EQ(all, (std::vector<Sequence>{{0, 1}, {2, 3}}));
    // A pass-through cannot end the text on a word that still covers positions.
    const std::vector<std::vector<ReadingChoice>> cut = {{{0, 0, 10, 0}, {0, 0, 1, 2, 1}}};
    EXPECT_EQ(All(cut, {0}), (std::vector<Sequence>{{0}}));
}

}  // namespace
}  // namespace lexidrop
