// Alternatives a reader would never accept, dropped before the candidate
// list is searched, and the cost margin beyond which no alternative is
// offered at all.
#pragma once

#include "engine/reading_sequences.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lexidrop {

// How much dearer than the best analysis a reading may be and still be
// offered: a word alone may be meant in any of its senses, in a text its
// neighbours have all but decided it. Measured on the gold sets: a larger
// margin brings back readings no reader accepts (in context), a smaller one
// loses readings they expect to see (a word alone).
inline constexpr std::int64_t kWordAloneCostMargin = 6000;
inline constexpr std::int64_t kInContextCostMargin = 1000;
// A name's other readings, for a name alone, over its likeliest one (吉田
// よした is a name somewhere, but not what a reader of 吉田 expects).
inline constexpr std::int64_t kDearNameMargin = 1000;

// Drops from one position's choices the readings that cannot stand where the
// word stands: a rendaku form of another of its readings, alone (その本 ぼん,
// ぽん beside ほん; 国 ぐに beside くに). `best` is the best analysis's piece
// there, which always stays; pieces holds the readings' texts.
void DropUnjoinable(std::vector<ReadingChoice>& choices, const std::vector<std::u16string>& pieces,
                    std::int32_t best);

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
