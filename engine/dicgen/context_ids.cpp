#include "engine/dicgen/context_ids.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace lexidrop::dicgen {
namespace {

// A text position starts an unknown word far less often than its character's
// category is seen there: most positions are taken by dictionary words.
constexpr double kUnknownWordShare = 0.1;

std::vector<std::uint16_t> HeaviestFirst(const std::vector<double>& weight)
{
    std::vector<std::uint16_t> ids(weight.size());
    std::iota(ids.begin(), ids.end(), std::uint16_t{0});
    std::stable_sort(ids.begin() + 1, ids.end(), [&](auto a, auto b) { return weight[a] > weight[b]; });
    std::vector<std::uint16_t> newId(weight.size());
    for (std::size_t i = 0; i < ids.size(); ++i) newId[ids[i]] = static_cast<std::uint16_t>(i);
    return newId;
}

}  // namespace

ContextIdOrder FrequentContextIdsFirst(const std::vector<ContextUse>& uses, std::size_t leftIds,
                                       std::size_t rightIds, const std::vector<std::uint32_t>& charInfo,
                                       unsigned categoryShift)
{
    std::vector<double> share(65536, 0.0);  // of all characters of all spellings
    double characters = 0;
    for (const ContextUse& u : uses)
        for (char16_t c : u.surface) share[c] += 1, characters += 1;
    if (characters > 0)
        for (double& s : share) s /= characters;
    std::map<std::uint32_t, double> categoryShare;
    for (std::size_t c = 0; c < share.size() && c < charInfo.size(); ++c)
        categoryShare[charInfo[c] >> categoryShift] += share[c];

    std::vector<double> left(leftIds, 0.0), right(rightIds, 0.0);
    for (const ContextUse& u : uses) {
        double weight = 1;
        if (u.surface.empty()) {
            weight = kUnknownWordShare * categoryShare[u.category];
        } else {
            for (char16_t c : u.surface) weight *= share[c];
        }
        left[u.left] += weight;
        right[u.right] += weight;
    }
    return {HeaviestFirst(left), HeaviestFirst(right)};
}

std::vector<std::int16_t> RenumberedMatrix(const std::vector<std::int16_t>& matrix, std::size_t leftIds,
                                           std::size_t rightIds, const ContextIdOrder& order)
{
    std::vector<std::int16_t> out(matrix.size());
    for (std::size_t l = 0; l < leftIds; ++l)
        for (std::size_t r = 0; r < rightIds; ++r)
            out[order.left[l] * rightIds + order.right[r]] = matrix[l * rightIds + r];
    return out;
}

}  // namespace lexidrop::dicgen
