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

// Calls take(spelling, reading) for each record of the part with both.
template <typename Take>
void ForEachRecord(std::u16string_view part, Take take)
{
    // A record runs from a brace to the next closing one (the array's own
    // opening brace joins its first record).
    for (std::size_t start = part.find(u'{'), end = 0; start != part.npos; start = part.find(u'{', end)) {
        end = std::min(part.find(u'}', start), part.size());
        const std::u16string_view record = part.substr(start, end - start);
        const std::u16string_view spelling = Field(record, u"kanji: \""), reading = Field(record, u"hiragana: \"");
        if (!spelling.empty() && !reading.empty()) take(spelling, reading);
    }
}

void Records(std::u16string_view part, bool given, std::vector<Name>& out)
{
    ForEachRecord(part, [&](std::u16string_view spelling, std::u16string_view reading) {
        out.push_back({std::u16string(spelling), std::u16string(reading), given});
    });
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

std::vector<Place> ParseMunicipalities(std::u16string_view script)
{
    std::vector<Place> out;
    const std::size_t begin = script.find(u"var city = [");
    if (begin == script.npos) return out;
    const std::size_t end = script.find(u"];", begin);
    ForEachRecord(script.substr(begin, end == script.npos ? script.npos : end - begin),
                  [&](std::u16string_view spelling, std::u16string_view reading) {
                      const std::size_t county = spelling.find(u'郡');
                      if (county != spelling.npos && county > 0 && county + 1 < spelling.size() &&
                          (spelling.ends_with(u'町') || spelling.ends_with(u'村'))) {
                          // The county's name is read up to its ぐん.
                          const std::size_t read = reading.find(u"ぐん");
                          if (read == reading.npos || reading.find(u"ぐん", read + 1) != reading.npos) return;
                          spelling.remove_prefix(county + 1);
                          reading.remove_prefix(read + 2);
                      }
                      const bool ward = spelling.ends_with(u'区') && spelling.find(u'市') != spelling.npos;
                      if (!ward && !spelling.empty() && !reading.empty())
                          out.push_back({std::u16string(spelling), std::u16string(reading)});
                  });
    return out;
}

}  // namespace lexidrop::name_list
