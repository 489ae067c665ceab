#include "engine/dicgen/edict.h"

#include "engine/kana.h"

namespace lexidrop::edict {

std::vector<Entry> ParseEntries(std::u16string_view text)
{
    std::vector<Entry> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == text.npos) end = text.size();
        const std::u16string_view line = text.substr(start, end - start);
        start = end + 1;
        const std::size_t space = line.find(u" [");
        const std::size_t close = line.find(u"] /");
        if (space == line.npos || close == line.npos || close <= space + 2 || space == 0) continue;
        Entry e{std::u16string(line.substr(0, space)),
                kana::ToHiragana(line.substr(space + 2, close - space - 2)),
                {},
                false};
        const std::u16string_view glosses = line.substr(close + 3);
        const std::size_t shut = glosses.find(u')');
        if (glosses.starts_with(u"(") && shut != glosses.npos) {
            const std::u16string_view tags = glosses.substr(1, shut - 1);
            for (std::size_t p = 0; p <= tags.size();) {
                std::size_t comma = tags.find(u',', p);
                if (comma == tags.npos) comma = tags.size();
                e.tags.emplace_back(tags.substr(p, comma - p));
                p = comma + 1;
            }
        }
        e.common = glosses.find(u"/(P)/") != glosses.npos;
        out.push_back(std::move(e));
    }
    return out;
}

}  // namespace lexidrop::edict
