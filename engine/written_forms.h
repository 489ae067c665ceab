// Numbers in the forms people write them, read as a reader says them: with a
// unit or a symbol (12km じゅうにきろ, 25% にじゅうごぱーせんと, 18℃
// じゅうはちど), with a money sign (¥980, $5), as a time of day (7:45
// しちじよんじゅうごふん), as a range (5〜6個 ごからろっこ), signed (−5℃
// まいなすごど, +3 ぷらすさん); codes of digits and hyphens (03-1234-5678) as typed; and
// symbols that stand for words (㈱ かぶしきがいしゃ, ② に, Ⅲ さん).
//
// The text is the engine's normalized text (full-width ASCII forms).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexidrop {

struct WrittenForm {
    std::size_t end;  // the form spans [begin, end) of the text
    std::vector<std::u16string> readings;  // likelier first; empty: keep it as typed
};

// The written form that starts at text[begin], if any. Digits that run on
// from letters, digits or a decimal point before begin start none.
std::optional<WrittenForm> WrittenFormAt(std::u16string_view text, std::size_t begin);

// Whether a written form or a symbol word may start at text[begin]: only at
// a digit, before one, or at a symbol; most words are skipped by this alone.
bool MayStartWrittenForm(std::u16string_view text, std::size_t begin);

// Readings of a word made only of symbols that stand for words or numbers
// (㈱, №, ①, Ⅱ); empty for any other word.
std::vector<std::u16string> SymbolWordReadings(std::u16string_view word);

// Whether c marks a range between two quantities (〜, ～).
bool IsRangeMark(char16_t c);

}  // namespace lexidrop
