// Entries of the EDICT and ENAMDICT dictionary files: one per line,
// "spelling [reading] /(tags) gloss/.../", already decoded from EUC-JP.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexidrop::edict {

struct Entry {
    std::u16string spelling, reading;  // reading in hiragana
    std::vector<std::u16string> tags;  // the first gloss's part-of-speech or name-type tags
    bool common;                       // marked (P)
};

// Entries with a spelling and a reading; lines written in kana alone (no
// reading in brackets), lines with an empty reading and the header line are
// left out. A first gloss whose tag list is not closed gives no tags.
std::vector<Entry> ParseEntries(std::u16string_view text);

}  // namespace lexidrop::edict
