// Text-side rules of the reading engine: how input is normalised before the
// dictionary sees it, and how the words of an analysis become one reading.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lexidrop {

// Input with half-width forms replaced by full-width ones (ASCII letters,
// digits and symbols, half-width katakana with their voicing marks joined),
// as the dictionary spells them. Spaces, tabs and line breaks stay.
struct NormalizedText {
    std::u16string text;
    // origin[i]: index in the original of normalized character i; one extra
    // element maps text.size() to the original's size.
    std::vector<std::size_t> origin;
};

NormalizedText Normalize(std::u16string_view original);
// The same into `out`, whose buffers are reused.
void NormalizeInto(std::u16string_view original, NormalizedText& out);

// One word of an analysis, in positions of the normalized text: leading
// spaces start at spaceBegin, the word itself spans [begin, end).
struct WordSpan {
    std::size_t spaceBegin;
    std::size_t begin;
    std::size_t end;
};

// The part of the reading each word contributes when its own reading does not
// count: text outside kana and kanji is kept as typed, a run of digits is read
// as one number (carried by the run's first word, the others give nothing).
// fixed[i] is false where the word's reading (or, for an unknown word, its
// spelling in hiragana) is used.
struct WordPieces {
    std::vector<std::u16string> text;
    std::vector<bool> fixed;
};

WordPieces FixedPieces(const NormalizedText& normalized, std::u16string_view original,
                       const std::vector<WordSpan>& words);

// The leading spaces of a word as typed.
std::u16string_view LeadingSpaces(const NormalizedText& normalized, std::u16string_view original,
                                  const WordSpan& word);

// A string of digits ('0'..'9') read as a Japanese number in hiragana;
// leading zeros or more than 16 digits are read digit by digit.
std::u16string NumberReading(std::string_view digits);

}  // namespace lexidrop
