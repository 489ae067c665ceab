#include "engine/dicgen/name_list.h"

#include <algorithm>

namespace lexidrop::name_list {
namespace {

// The quoted value of `key` inside the record text, or nothing.
std::u16string_view Field(std::u16string_view record, std::u16string_view key)
{
    const std::size_t at = record.find(key);
    if (at == record.npos) return {};
    const std::size_t open = at + key.size();
    const std::size_t close = record.find(u'"', open);
    return close == record.npos ? std::u16string_view{} : record.substr(open, close - open);
}

void Records(std::u16string_view part, bool given, std::vector<Name>& out)
{
    // A record runs from a brace to the next closing one (the array's own
    // opening brace joins its first record).
    for (std::size_t start = part.find(u'{'), end = 0; start != part.npos; start = part.find(u'{', end)) {
        end = std::min(part.find(u'}', start), part.size());
        const std::u16string_view record = part.substr(start, end - start);
        const std::u16string_view spelling = Field(record, u"kanji: \""), reading = Field(record, u"hiragana: \"");
        if (!spelling.empty() && !reading.empty()) out.push_back({std::u16string(spelling), std::u16string(reading), given});
    }
}

}  // namespace

std::vector<Name> ParseNames(std::u16string_view script)
{
    std::vector<Name> out;
    const std::size_t given = script.find(u"firstNames");
    const std::size_t surnames = script.find(u"lastNames");
    if (given == script.npos || surnames == script.npos || surnames < given) return out;
    Records(script.substr(given, surnames - given), true, out);
    // The surnames' array ends where the next declaration starts.
    const std::size_t after = script.find(u"var ", surnames);
    Records(script.substr(surnames, after == script.npos ? script.npos : after - surnames), false, out);
    return out;
}

}  // namespace lexidrop::name_list
