// Words of UniDic's lexicon (lex.csv, one entry a line): the readings a
// word standing on its own gives a spelling with a kanji, with UniDic's cost
// of each, to tell common readings from rare ones.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexidrop::unidic {

struct Entry {
    std::u16string spelling, reading;  // reading in hiragana
    long cost;
    std::u16string origin;  // 語種: 和 native, 漢 Sino-Japanese, 混 mixed, 外 foreign…
    bool dictionaryForm;    // the form a dictionary lists: uninflected, or a verb's or adjective's 終止形
    bool ownSpelling;  // UniDic files the word under this spelling, not another (揶揄う under からかう, 本気
                       // as まじ)
};

// The entries of `lines` spelt with a kanji whose part of speech is a word of
// its own (a common noun, pronoun, verb, adjective, adverb and the like; no
// name, affix or stem) in its own form: a form that only a compound takes
// (rendaku 日 び, a final small tsu 日 にっ), a classical conjugation's and a
// spoken or dialect form (払う はろう) are left out, and so is a reading
// that is not its word's own sound or a variant that only voices or doubles
// one (名前 なまい, 冷え as a spoken 冷たい).
std::vector<Entry> ParseEntries(std::u16string_view lines);

}  // namespace lexidrop::unidic
