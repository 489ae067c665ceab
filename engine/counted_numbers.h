// Numbers as they are read aloud, alone or with a counter: 三本 さんぼん,
// 一人 ひとり, 二十日 はつか, 1,980円 せんきゅうひゃくはちじゅうえん.
//
// A number is written with kanji numerals (三百六十五, 二〇二六), full-width
// digits with optional thousands separators and a decimal point (１，９８０,
// ３．５), digits before a large unit (５万), or 何 for "how many". The
// counter's sound changes follow the number's last element (its ones digit,
// or 十, 百, 千, 万 when it ends in one).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lexidrop {

// Whether c can be part of a written number (kanji numeral or full-width digit).
bool IsNumeralCharacter(char16_t c);

// Lengths of the counters that text starts with, longest first.
std::vector<std::size_t> CountersAt(std::u16string_view text);

// Where a count stands, when that changes how it is read.
enum class CountPlace {
    kAnywhere,
    kDayOfMonth,   // after a month: the date reading of 一日 first
    kPartOfRatio,  // after 割 or before a count of 厘: 分 is a tenth of a 割 (五分 ごぶ)
    kAfterTwoAnd,  // after 二、: two or three days are にさんにち (二、三日)
    kAlone,        // the whole text: a numeral kanji also has its other reading (四 し)
};

// Readings of numeral followed by counter (empty: the number alone), the
// likelier first; empty when numeral is not a number read here or the counter
// does not go with it.
std::vector<std::u16string> CountedReadings(std::u16string_view numeral, std::u16string_view counter,
                                            CountPlace place = CountPlace::kAnywhere);

}  // namespace lexidrop
