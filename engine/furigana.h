// Furigana: a text with the readings of its kanji, as groups of kanji (or
// digits) with their reading between stretches of plain text, and the two
// written forms of it: "base[reading]" brackets (the flash-card convention)
// and HTML ruby.
#pragma once

#include "engine/reading_engine.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lexidrop {

class Dictionary;

struct FuriganaPiece {
    std::u16string base;     // the text as typed
    std::u16string reading;  // empty for plain text, shown as it is
};

// Kanji, with the marks written in their place: 々, 〆, 〇 and the counter
// marks ヶ and ヵ.
bool IsKanji(char16_t c);

// Whether a dictionary word is spelt `surface` (full-width forms, as
// Normalize gives them) and read `reading` (hiragana).
using ReadingCheck = std::function<bool(std::u16string_view surface, std::u16string_view reading)>;

// The check against the words of `dictionary` (which must outlive it).
ReadingCheck DictionaryReadingCheck(const Dictionary& dictionary);

// Splits every segment of `text` into groups and plain text, so that kana
// written in the segment stay outside the groups:
//
// - A segment without kanji or digits, or whose reading is its own spelling
//   (text the engine keeps as typed, a kanji it has no reading for), is plain.
// - Otherwise each run of kanji and digits (々, 〆, 〇, ヶ and ヵ count as
//   kanji; a comma or point between digits belongs to the number) is a slot
//   and every other character an anchor. The reading must
//   be the anchors in order, each slot taking at least one reading character
//   between them; kana anchors match their hiragana or katakana form. A run
//   of kanji between kana is one group: its reading cannot be divided
//   without knowing each kanji's share (今日 きょう, 大人 おとな).
// - Where the reading can be divided in several ways (好き嫌い: す|きら or
//   すき|ら, because き occurs twice), the division with the most slots that
//   `known` confirms wins: the slot alone, or the slot with the kana that
//   follow it, read as a dictionary word (好き すき, 嫌い きらい). Among
//   equals the earliest division wins, where earlier slots take the
//   shortest readings.
// - A segment whose reading does not fit its anchors at all (Ｃ型 read
//   しーがた, the letter has no anchor in the reading) is one group.
//
// Neighbouring plain text is joined into one piece.
std::vector<FuriganaPiece> AlignFurigana(std::u16string_view text,
                                         const std::vector<ReadingSegment>& segments,
                                         const ReadingCheck& known = {});

// The furigana of `text` on the engine's best analysis; ambiguous divisions
// are decided by the engine's dictionary.
std::vector<FuriganaPiece> Furigana(ReadingEngine& engine, std::u16string_view text);

// The brackets form: every group as base[reading], with one half-width space
// before a group that does not start a line; half-width brackets of the
// text become full-width ones, as the convention has no escape.
std::u16string FuriganaBrackets(const std::vector<FuriganaPiece>& pieces);

// The HTML form: <ruby>base<rt>reading</rt></ruby> for every group, with
// &, < and > written as entities.
std::u16string FuriganaRuby(const std::vector<FuriganaPiece>& pieces);

}  // namespace lexidrop
