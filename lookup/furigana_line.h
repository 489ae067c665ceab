// Furigana as a lookup shows them: readings ready for Shift-JIS and mapped
// like the other readings of the lookup.
#pragma once

#include "engine/furigana.h"
#include "engine/reading_engine.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexidrop {

// The hiragana Shift-JIS lacks become katakana, then the width, kana and
// case mapping of `mappingFlags` applies (as MapStringForms takes it; a
// refused combination leaves the readings as they are).
void MapFuriganaReadings(std::vector<FuriganaPiece>& pieces, std::uint32_t mappingFlags);

// The brackets form of `text` on the engine's best analysis, its readings
// mapped; empty when no group carries a kanji (a text of kana, Latin letters
// and numbers needs no furigana line).
std::u16string FuriganaLine(ReadingEngine& engine, std::u16string_view text, std::uint32_t mappingFlags);

}  // namespace lexidrop
