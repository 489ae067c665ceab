// Alternatives a reader would never accept, dropped before the candidate
// list is searched, and the cost margin beyond which no alternative is
// offered at all.
#pragma once

#include "engine/dictionary.h"
#include "engine/reading_sequences.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lexidrop {

// How much dearer than the best analysis a reading may be and still be
// offered: a word alone may be meant in any of its senses, in a text its
// neighbours have all but decided it. Measured on the gold sets: a larger
// margin brings back readings no reader accepts (in context: context.tsv has
// 0.08 of them per item at 1000, 0.06 at 500 and 250), a smaller one loses
// readings they expect to see (a word alone; in context at 0).
inline constexpr std::int64_t kWordAloneCostMargin = 6000;
inline constexpr std::int64_t kInContextCostMargin = 500;
// How much worse than the best analysis's own choice an alternative may join
// its neighbours. Measured on the gold sets: 500 and 1000 keep every
// required reading, 250 loses some; readings no reader accepts stay fewest
// from 1000 down.
inline constexpr std::int64_t kUnjoinableLinkMargin = 1000;
// A name's other readings, for a name alone, over its likeliest one (吉田
// よした is a name somewhere, but not what a reader of 吉田 expects).
inline constexpr std::int64_t kDearNameMargin = 1000;

// Drops from one position's choices the readings that cannot stand where the
// word stands: a rendaku form of another of its readings, alone (その本 ぼん,
// ぽん beside ほん; 国 ぐに beside くに). In a text of one word the lexicon's
// own readings stay (頃 ごろ, 分別 ぶんべつ): only the rendaku forms marked as
// maybe a compound's (国 ぐに, 箱 ばこ) are dropped there, beside any reading
// of the whole text's spelling, names included (`spelt`: 白 ぱく beside the
// surname はく). `best` is the best analysis's piece there, which always
// stays; pieces holds the readings' texts.
void DropUnjoinable(std::vector<ReadingChoice>& choices, const std::vector<std::u16string>& pieces,
                    std::int32_t best, bool oneWord, const std::vector<std::u16string>& spelt);

// Drops, at every position, the choices that join the best analysis's
// neighbours far worse than its own choice there does: a verb's stem that
// needs its ending (上 のぼ, 中 あた), a suffix at the start of a text. The
// neighbours are the best analysis's choices before and after (or the start
// and end of the text); words spanning several positions are left alone.
void DropUnjoinableLinks(const Dictionary& dictionary, std::vector<std::vector<ReadingChoice>>& choices,
                         const std::vector<std::int32_t>& bestPieces, std::int64_t margin);

// For a text that is one word, which may be meant as any word spelt so
// whatever the start and end of the text favour (人 ひと, じん, にん; 行く
// いく, ゆく): drops only the choices isWordPart says are inflected forms
// that need the rest of their word (上 のぼ). `best` always stays.
template <typename IsWordPart>
void DropWordParts(std::vector<ReadingChoice>& choices, std::int32_t best, IsWordPart&& isWordPart)
{
    std::erase_if(choices, [&](const ReadingChoice& c) { return c.piece != best && isWordPart(c); });
}

// Drops the choices isName says are names' readings and that cost more than
// margin above the cheapest choice of the best piece: a rare reading of a
// name (吉田 よした) is no alternative a reader expects.
template <typename IsName>
void DropDearNames(std::vector<ReadingChoice>& choices, std::int32_t best, std::int64_t margin, IsName&& isName)
{
    std::int64_t bestCost = INT64_MAX;
    for (const ReadingChoice& c : choices)
        if (c.piece == best && c.cost < bestCost) bestCost = c.cost;
    std::size_t kept = 0;
    for (const ReadingChoice& c : choices)
        if (c.piece == best || c.through || c.cost - bestCost <= margin || !isName(c)) choices[kept++] = c;
    choices.resize(kept);
}

}  // namespace lexidrop
