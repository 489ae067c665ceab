// Words whose reading the text around them decides: 人気 is ひとけ in
// 人気のない道 and にんき in 人気の歌手, 中 is じゅう in 今年中 and ちゅう in
// 会議中, 生 is なま before foods. One table, matched on the text before and
// after the word.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lexidrop {

// Whether some word of the table starts with c (a quick test before the lookup).
bool MayHaveDecidedReading(char16_t c);

// The readings a reader accepts for the word text[begin, end) where it
// stands, the likelier first; empty when the table decides nothing there.
std::vector<std::u16string> DecidedReadings(std::u16string_view text, std::size_t begin, std::size_t end);

// The kinds of word before that change a word's reading.
enum class WordBefore { kSurname, kPlace, kKatakana };
// The readings of a word right after a word of that kind, the likelier
// first, where they differ from its readings elsewhere (家 け after a
// surname: 鈴木家 すずきけ, not 専門家's か; 色 いろ after a word in katakana:
// オレンジ色); none when none do.
std::vector<std::u16string> ReadingsAfter(WordBefore before, std::u16string_view word);
// Whether some word read otherwise after a kind of word starts with c.
bool MayReadAfterWord(char16_t c);

}  // namespace lexidrop
