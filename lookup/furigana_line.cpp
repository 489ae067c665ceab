#include "lookup/furigana_line.h"

#include "lookup/engine_reverse_conversion.h"
#include "engine/string_forms.h"

#include <algorithm>

namespace lexidrop {

void MapFuriganaReadings(std::vector<FuriganaPiece>& pieces, std::uint32_t mappingFlags)
{
    for (FuriganaPiece& piece : pieces) {
        if (piece.reading.empty()) continue;
        piece.reading = ForShiftJis(std::move(piece.reading));
        std::u16string mapped = piece.reading;
        if (mappingFlags != 0 && MapStringForms(mappingFlags, mapped)) piece.reading = std::move(mapped);
    }
}

std::u16string FuriganaLine(ReadingEngine& engine, std::u16string_view text, std::uint32_t mappingFlags)
{
    std::vector<FuriganaPiece> pieces = Furigana(engine, text);
    const bool kanji = std::any_of(pieces.begin(), pieces.end(), [](const FuriganaPiece& piece) {
        return !piece.reading.empty() &&
               std::any_of(piece.base.begin(), piece.base.end(), [](char16_t c) { return IsKanji(c); });
    });
    if (!kanji) return {};
    MapFuriganaReadings(pieces, mappingFlags);
    return FuriganaBrackets(pieces);
}

}  // namespace lexidrop
