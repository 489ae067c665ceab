// A list of people's names with their readings, kept as a script's data:
// records such as { kanji: "陽翔", hiragana: "はると", … } in an array of
// given names (`firstNames`, by gender) and one of surnames (`lastNames`).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexidrop::name_list {

struct Name {
    std::u16string spelling, reading;  // reading in hiragana
    bool given;                        // a given name; otherwise a surname
};

// The records with a spelling and a reading, in the list's order; records
// that lack either, or whose quotes are not closed, are left out.
std::vector<Name> ParseNames(std::u16string_view script);

}  // namespace lexidrop::name_list
