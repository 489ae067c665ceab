// Renumbering of context ids for the cache. The connection matrix is read at
// every text position for each pair of a word ending there and a word
// starting there; a few dozen parts of speech (particles, endings, common
// nouns, unknown words) make most of those reads. Giving the ids that occur
// most the smallest numbers puts their costs together in one small corner of
// the matrix that stays in the cache. The analysis is the same under any
// numbering.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lexidrop::dicgen {

// One entry as far as the ordering cares: a dictionary word with its
// spelling, or an unknown-word entry of a character category.
struct ContextUse {
    std::uint16_t left, right;
    std::u16string_view surface;  // empty for unknown-word entries
    std::uint32_t category = 0;   // unknown-word entries: the category they stand for
};

// New id by old id, for each side; id 0 (the start and end of a text) stays 0.
struct ContextIdOrder {
    std::vector<std::uint16_t> left;   // left ids of following words (matrix rows)
    std::vector<std::uint16_t> right;  // right ids of preceding words (matrix columns)
};

// Orders each side by how often its ids are expected in a lattice: a word by
// how likely its spelling is, from the frequencies of its characters among
// all spellings, an unknown-word entry by how common its category's characters
// are. charInfo gives each UTF-16 unit's default category in its top bits.
ContextIdOrder FrequentContextIdsFirst(const std::vector<ContextUse>& uses, std::size_t leftIds,
                                       std::size_t rightIds, const std::vector<std::uint32_t>& charInfo,
                                       unsigned categoryShift);

// The matrix (by following word's left id, then preceding word's right id)
// with both ids renumbered.
std::vector<std::int16_t> RenumberedMatrix(const std::vector<std::int16_t>& matrix, std::size_t leftIds,
                                           std::size_t rightIds, const ContextIdOrder& order);

}  // namespace lexidrop::dicgen
