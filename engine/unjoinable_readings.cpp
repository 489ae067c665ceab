#include "engine/unjoinable_readings.h"

#include <algorithm>
#include <string_view>

namespace lexidrop {
namespace {

// Voiced and half-voiced hiragana and the sound they are made from.
constexpr std::u16string_view kVoiced = u"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ";
constexpr std::u16string_view kPlain = u"かきくけこさしすせそたちつてとはひふへほはひふへほ";

std::u16string Unvoiced(std::u16string_view reading)
{
    std::u16string out(reading);
    if (!out.empty())
        if (const std::size_t k = kVoiced.find(out[0]); k != kVoiced.npos) out[0] = kPlain[k];
    return out;
}

}  // namespace

void DropUnjoinable(std::vector<ReadingChoice>& choices, const std::vector<std::u16string>& pieces,
                    std::int32_t best)
{
    auto text = [&](std::int32_t piece) -> std::u16string_view {
        return piece < 0 ? std::u16string_view() : std::u16string_view(pieces[static_cast<std::size_t>(piece)]);
    };
    auto rendakuAlone = [&](const ReadingChoice& c) {
        if (c.piece == best || c.piece < 0 || c.through || c.covers) return false;
        const std::u16string plain = Unvoiced(text(c.piece));
        if (plain == text(c.piece)) return false;
        return std::any_of(choices.begin(), choices.end(),
                           [&](const ReadingChoice& other) { return !other.through && text(other.piece) == plain; });
    };
    std::vector<bool> drop(choices.size());
    for (std::size_t i = 0; i < choices.size(); ++i) drop[i] = rendakuAlone(choices[i]);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (!drop[i]) choices[kept++] = choices[i];
    choices.resize(kept);
}

}  // namespace lexidrop
