#include "engine/unjoinable_readings.h"

#include "engine/kana.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace lexidrop {

void DropUnjoinable(std::vector<ReadingChoice>& choices, const std::vector<std::u16string>& pieces,
                    std::int32_t best, bool oneWord, const std::vector<std::u16string>& spelt)
{
    auto text = [&](std::int32_t piece) -> std::u16string_view {
        return piece < 0 ? std::u16string_view() : std::u16string_view(pieces[static_cast<std::size_t>(piece)]);
    };
    auto rendakuAlone = [&](const ReadingChoice& c) {
        if (c.piece == best || c.piece < 0 || c.through || c.covers || (oneWord && !c.compound)) return false;
        const std::u16string plain = kana::Unvoiced(text(c.piece));
        if (plain == text(c.piece)) return false;
        return std::any_of(choices.begin(), choices.end(),
                           [&](const ReadingChoice& other) { return !other.through && text(other.piece) == plain; }) ||
               (oneWord && std::find(spelt.begin(), spelt.end(), plain) != spelt.end());
    };
    std::vector<bool> drop(choices.size());
    for (std::size_t i = 0; i < choices.size(); ++i) drop[i] = rendakuAlone(choices[i]);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (!drop[i]) choices[kept++] = choices[i];
    choices.resize(kept);
}

void DropUnjoinableLinks(const Dictionary& dictionary, std::vector<std::vector<ReadingChoice>>& choices,
                         const std::vector<std::int32_t>& bestPieces, std::int64_t margin)
{
    const std::size_t m = choices.size();
    // The best analysis's own choice at each position (none where a word spans
    // it), copied: the lists shrink below.
    std::vector<std::optional<ReadingChoice>> best(m);
    for (std::size_t j = 0; j < m; ++j)
        for (const ReadingChoice& c : choices[j])
            if (c.piece == bestPieces[j] && !c.through && !c.covers && (!best[j] || c.cost < best[j]->cost))
                best[j] = c;
    auto join = [&](std::size_t j, const ReadingChoice& c) -> std::int64_t {
        const std::int64_t before = j == 0 ? dictionary.ConnectionCost(0, c.left)
                                    : best[j - 1] ? dictionary.ConnectionCost(best[j - 1]->right, c.left)
                                                  : 0;
        const std::int64_t after = j + 1 == m ? dictionary.ConnectionCost(c.right, 0)
                                   : best[j + 1] ? dictionary.ConnectionCost(c.right, best[j + 1]->left)
                                                 : 0;
        return before + after;
    };
    for (std::size_t j = 0; j < m; ++j) {
        if (!best[j]) continue;
        const std::int64_t own = join(j, *best[j]);
        auto& list = choices[j];
        std::size_t kept = 0;
        for (const ReadingChoice& c : list)
            if (c.piece == bestPieces[j] || c.through || c.covers || join(j, c) - own <= margin) list[kept++] = c;
        list.resize(kept);
    }
}

}  // namespace lexidrop
