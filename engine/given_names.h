// Given names among the most given to children in the yearly rankings, with
// the readings parents give them, the commonest first. The lexicons lack
// many of them (湊斗 みなと, 穂乃果 ほのか) or put a rarer reading first
// (陽葵 はるき before ひまり); the dictionary compiler makes each a given name
// read so, and a copied text that is one of them alone reads as the name
// even where it also spells a word (蒼空 そら, not そうくう).
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace lexidrop {

struct RankedGivenName {
    std::u16string_view spelling;
    std::u16string_view readings;  // separated by '|', the commonest first
};

std::span<const RankedGivenName> RankedGivenNames();

// The name's readings, the commonest first.
std::vector<std::u16string_view> ReadingsOf(const RankedGivenName& name);

// Whether the spelling is one of the table's names.
bool IsRankedGivenName(std::u16string_view spelling);

// Whether the table lists the reading for the spelling.
bool IsRankedReading(std::u16string_view spelling, std::u16string_view reading);

}  // namespace lexidrop
