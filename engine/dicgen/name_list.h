// A list of people's names with their readings, kept as a script's data:
// records such as { kanji: "陽翔", hiragana: "はると", … } in an array of
// given names (`firstNames`, by gender) and one of surnames (`lastNames`);
// its addresses keep the country's cities, towns and villages (`city`) so.
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

struct Place {
    std::u16string spelling, reading;  // reading in hiragana
};

// The cities, towns and villages of the `city` array, each as the
// municipality's own name: 高山市 たかやまし; a town or village in a county
// without the county (上川郡美瑛町 → 美瑛町 びえいちょう). Wards of a city
// (札幌市中央区) and records whose reading does not show where the county
// ends are left out.
std::vector<Place> ParseMunicipalities(std::u16string_view script);

}  // namespace lexidrop::name_list
